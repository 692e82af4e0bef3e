#include "platform/win32/win32_pictures.h"

#include <wincodec.h>

#include <cstring>
#include <vector>

#include "platform/picture_data.h"

namespace kerumo::win32 {
namespace {

// Releases a COM interface when the scope ends.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (p_) p_->Release();
  }
  Interface** out() { return &p_; }
  Interface* operator->() const { return p_; }
  Interface* get() const { return p_; }

 private:
  Interface* p_ = nullptr;
};

// The first frame of an encoded picture, as premultiplied BGRA.
bool convertFirstFrame(IWICImagingFactory* factory, std::string_view data, ComPtr<IWICStream>& stream,
                       ComPtr<IWICBitmapDecoder>& decoder, ComPtr<IWICBitmapFrameDecode>& frame,
                       ComPtr<IWICFormatConverter>& converter) {
  auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(data.data()));
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(bytes, static_cast<DWORD>(data.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) || FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom))) {
    return false;
  }
  return true;
}

Bitmap toDibSection(IWICBitmapSource* source) {
  UINT width = 0, height = 0;
  if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC delivers rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap bitmap{UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)),
                static_cast<int>(width), static_cast<int>(height)};
  if (!bitmap || FAILED(source->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)))) {
    return {};
  }
  return bitmap;
}

#pragma pack(push, 1)
struct IconDirEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes, offset;
};
#pragma pack(pop)

}  // namespace

Bitmap decodePicture(Picture picture) {
  const std::string_view data = pictureData(picture);
  if (data.empty()) return {};
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out())))) {
    return {};
  }
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICFormatConverter> converter;
  if (!convertFirstFrame(factory.get(), data, stream, decoder, frame, converter)) return {};
  return toDibSection(converter.get());
}

// An icon file is a directory of images; the system builds an icon from
// any one of them.
UniqueIcon loadIcon(Picture picture, int width, int height) {
  const std::string_view data = pictureData(picture);
  constexpr size_t HeaderBytes = 6;
  if (data.size() < HeaderBytes) return nullptr;
  WORD count = 0;
  std::memcpy(&count, data.data() + 4, sizeof count);
  const IconDirEntry* best = nullptr;
  for (WORD i = 0; i < count; ++i) {
    const size_t at = HeaderBytes + i * sizeof(IconDirEntry);
    if (at + sizeof(IconDirEntry) > data.size()) break;
    const auto* entry = reinterpret_cast<const IconDirEntry*>(data.data() + at);
    if (entry->offset + uint64_t{entry->bytes} > data.size()) continue;
    if (!best || (entry->width == width && best->width != width)) best = entry;
  }
  if (!best) return nullptr;
  auto* bytes = reinterpret_cast<BYTE*>(const_cast<char*>(data.data() + best->offset));
  return UniqueIcon(CreateIconFromResourceEx(bytes, best->bytes, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR));
}

void drawBitmap(HDC dc, const Bitmap& bitmap, const RECT& target) {
  if (!bitmap) return;
  UniqueDc source(CreateCompatibleDC(dc));
  SelectedObject selected(source.get(), bitmap.handle.get());
  SetStretchBltMode(dc, HALFTONE);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source.get(), 0, 0,
             bitmap.width, bitmap.height, blend);
}

}  // namespace kerumo::win32
