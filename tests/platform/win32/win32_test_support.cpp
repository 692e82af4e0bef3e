#include "win32_test_support.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <chrono>
#include <vector>

#include "platform/win32/win32_handles.h"

namespace kerumo::testing {
namespace {

using Microsoft::WRL::ComPtr;

bool encodePng(const std::vector<BYTE>& pixels, int width, int height, const std::filesystem::path& file) {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const AtScopeEnd comEnds([com] {
    if (SUCCEEDED(com)) CoUninitialize();
  });
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(&factory))) &&
         SUCCEEDED(factory->CreateStream(&stream)) &&
         SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
         SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
         SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
         SUCCEEDED(frame->SetPixelFormat(&format)) &&
         SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width * 4),
                                      static_cast<UINT>(pixels.size()), const_cast<BYTE*>(pixels.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

BOOL CALLBACK collect(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::vector<BYTE> screenPixels(const RECT& r) {
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return {};
  const win32::WindowDc screen(nullptr);
  const win32::UniqueDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const win32::UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const win32::SelectedObject selected(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
  std::vector<BYTE> pixels(static_cast<const BYTE*>(bits), static_cast<const BYTE*>(bits) + width * height * 4);
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;  // the screen has no alpha
  return pixels;
}

}  // namespace

// Not GetTickCount64: under wine the server keeps that count, and on a busy
// machine it lags and then jumps, cutting a wait short.
void pumpMessages(int milliseconds) {
  pumpMessagesUntil([] { return false; }, milliseconds);
}

bool pumpMessagesUntil(const std::function<bool()>& done, int milliseconds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  MSG message{};
  do {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    Sleep(10);
  } while (std::chrono::steady_clock::now() < until);
  return false;
}

void parkThePointer() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

bool saveWindowPicture(HWND window, const std::filesystem::path& file) {
  RECT r{};
  GetWindowRect(window, &r);
  const std::vector<BYTE> pixels = screenPixels(r);
  return !pixels.empty() && encodePng(pixels, r.right - r.left, r.bottom - r.top, file);
}

std::vector<BYTE> clientPixels(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return screenPixels(r);
}

std::filesystem::path hostPath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return std::filesystem::path("Z:" + path).make_preferred();
  return std::filesystem::path(path).make_preferred();
}

std::filesystem::path picturesDir() { return hostPath(KERUMO_PICTURES_DIR); }

SIZE clientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring textOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::vector<HWND> windowsUnder(HWND parent, const wchar_t* windowClass) {
  std::vector<HWND> windows;
  if (parent != nullptr) {
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&windows));
  } else {
    EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
  }
  if (windowClass != nullptr) std::erase_if(windows, [&](HWND window) { return className(window) != windowClass; });
  return windows;
}

}  // namespace kerumo::testing
