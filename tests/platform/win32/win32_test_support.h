#pragma once
#include <filesystem>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "platform/win32/win32_api.h"

namespace kerumo::testing {

// Runs `undo` when the scope ends.
class AtScopeEnd {
 public:
  explicit AtScopeEnd(std::function<void()> undo) : undo_(std::move(undo)) {}
  ~AtScopeEnd() { undo_(); }
  AtScopeEnd(const AtScopeEnd&) = delete;
  AtScopeEnd& operator=(const AtScopeEnd&) = delete;

 private:
  std::function<void()> undo_;
};

// Runs the window system's pending messages for about `milliseconds`.
void pumpMessages(int milliseconds);
// Runs them until `done` holds, for `milliseconds` at most; says whether it held.
bool pumpMessagesUntil(const std::function<bool()>& done, int milliseconds);

// Moves the real pointer to the screen's bottom right corner, away from the
// windows under test: one that appears under the pointer hears it move
// there, whenever the window system gets round to it.
void parkThePointer();

// Saves what the screen shows of `window` as a PNG, for a person to look at.
bool saveWindowPicture(HWND window, const std::filesystem::path& file);

// What the screen shows of `window`'s client area, as 32-bit BGRA pixels, row by row.
std::vector<BYTE> clientPixels(HWND window);

// The folder the build keeps window pictures in, as Windows sees it.
std::filesystem::path picturesDir();

// Build paths come from the build's host; under wine its root is drive Z:.
std::filesystem::path hostPath(const std::string& path);

SIZE clientSize(HWND window);
std::wstring className(HWND window);
std::wstring textOf(HWND window);
// Every top-level window, or `parent`'s child windows, in the window system's
// order; only those of `windowClass`, when given.
std::vector<HWND> windowsUnder(HWND parent = nullptr, const wchar_t* windowClass = nullptr);

}  // namespace kerumo::testing
