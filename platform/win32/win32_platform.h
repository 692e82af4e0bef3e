#pragma once
#include "platform/win32/win32_api.h"
#include <objbase.h>

#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/tray_add_retry.h"
#include "platform/win32/win32_form.h"
#include "platform/win32/win32_handles.h"

namespace kerumo::win32 {

// COM for the picture decoder, for the life of the platform.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }

 private:
  bool initialised_;
};

// The program-wide side of the window system. A hidden window hears what
// the system says to every program: the session ending, the task bar being
// recreated, screens changing, and a second start asking us forward.
class Win32Platform : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  std::unique_ptr<FormWindow> createForm(const FormDesign& design, FormEvents& events) override;
  int messageBox(const std::string& prompt, uint32_t style, const std::string& title) override;
  bool notifyIcon(NotifyOperation operation, const TrayIconRecord& record) override;
  void shellOpen(const std::string& target) override;
  double twipsPerPixelX() const override { return scale_.twipsPerPixel; }
  double twipsPerPixelY() const override { return scale_.twipsPerPixel; }
  std::vector<TwipsRect> screenWorkAreas() const override;
  void processPendingEvents() override;
  int runEventLoop(PlatformEvents& events) override;
  void quit(int exitCode) override;
  bool claimSingleInstance(const std::string& key) override;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool sendTrayRecord(DWORD operation, const TrayIconRecord& record);
  bool addTrayIcon();
  void runTrayRetryTimer(bool run);
  static void dispatch(MSG& message);

  ComApartment com_;
  ScreenScale scale_;
  UINT taskbarCreated_ = 0;
  UINT activationRequest_ = 0;
  UniqueWindow listener_;
  UniqueKernelHandle instanceMutex_;
  UniqueIcon trayIcon_;
  std::optional<TrayIconRecord> trayRecord_;  // added again when the task bar comes back
  TrayAddRetry trayRetry_{[this](bool run) { runTrayRetryTimer(run); }};
  PlatformEvents* events_ = nullptr;
};

}  // namespace kerumo::win32
