#pragma once
#include "platform/form_design.h"
#include "platform/win32/win32_handles.h"

namespace kerumo::win32 {

// A decoded picture: a top-down 32-bit bitmap with premultiplied alpha, so
// a GIF's transparent pixels let the form show through.
struct Bitmap {
  UniqueBitmap handle;
  int width = 0;
  int height = 0;
  explicit operator bool() const { return handle != nullptr; }
};

// Decodes one of the program's own pictures; empty when it has none.
// Needs COM on the calling thread.
Bitmap decodePicture(Picture picture);

// The icon picture scaled to `width` x `height` pixels.
UniqueIcon loadIcon(Picture picture, int width, int height);

// Draws `bitmap` into `target`, stretched to it, blending its alpha.
void drawBitmap(HDC dc, const Bitmap& bitmap, const RECT& target);

}  // namespace kerumo::win32
