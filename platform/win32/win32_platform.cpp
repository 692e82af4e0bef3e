#include "platform/win32/win32_platform.h"

#include <commctrl.h>
#include <shellapi.h>

#include <chrono>
#include <cwchar>
#include <iomanip>
#include <sstream>

#include "platform/screen_areas.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_text.h"

namespace kerumo::win32 {
namespace {

constexpr const wchar_t* ListenerClass = L"KerumoPlatform";
constexpr UINT_PTR TrayRetryTimer = 1;

// A short, stable name for the settings file a program instance owns.
std::wstring instanceName(const std::string& key) {
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
  std::wostringstream name;
  name << L"Kerumo-" << std::hex << std::setw(16) << std::setfill(L'0') << hash;
  return name.str();
}

BOOL CALLBACK collectWorkArea(HMONITOR monitor, HDC, RECT*, LPARAM param) {
  auto* areas = reinterpret_cast<std::vector<MONITORINFO>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) areas->push_back(info);
  return TRUE;
}

HWND createListener(WNDPROC procedure, void* owner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = ListenerClass;
  RegisterClassExW(&wc);
  // A hidden top-level window, not a message-only one: only top-level
  // windows hear broadcasts and the session's end.
  return CreateWindowExW(WS_EX_TOOLWINDOW, ListenerClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), owner);
}

// Makes a message box topmost before it is first shown, as MB_TOPMOST
// asks; some implementations of the window system leave the flag out.
LRESULT CALLBACK keepBoxOnTop(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    SetWindowPos(call->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

Win32Platform::Win32Platform() {
  declareDpiAwareness();
  scale_.twipsPerPixel = twipsPerPixel(systemDpi());
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  activationRequest_ = RegisterWindowMessageW(L"Kerumo.ComeForward");
  listener_.reset(createListener(windowProcedure, this));
}

// The program deletes its tray icon itself at unload; the forms are gone
// by now, so the record is not touched here.
Win32Platform::~Win32Platform() {
  SetWindowLongPtrW(listener_.get(), GWLP_USERDATA, 0);
}

std::unique_ptr<FormWindow> Win32Platform::createForm(const FormDesign& design, FormEvents& events) {
  return std::make_unique<Win32Form>(design, events, scale_);
}

int Win32Platform::messageBox(const std::string& prompt, uint32_t style, const std::string& title) {
  // Task-modal like the program's own dialogs. A warning comes from a timer
  // tick, with no input of the user's: Windows may refuse it the foreground
  // and only flash the task bar, so the box is also topmost and stays in
  // front of the window the user works in.
  const UniqueHook onTop(SetWindowsHookExW(WH_CALLWNDPROCRET, keepBoxOnTop, nullptr, GetCurrentThreadId()));
  return MessageBoxW(nullptr, widen(withCrLf(prompt)).c_str(), widen(title).c_str(),
                     style | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

bool Win32Platform::sendTrayRecord(DWORD operation, const TrayIconRecord& record) {
  auto* form = dynamic_cast<Win32Form*>(record.window);
  if (!form) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = form->handle();
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  if (record.icon != Picture::None) {
    if (!trayIcon_) {
      const int size = GetSystemMetrics(SM_CXSMICON);
      trayIcon_ = loadIcon(record.icon, size, size);
    }
    data.hIcon = trayIcon_.get();
  }
  wcsncpy(data.szTip, widen(record.tip).c_str(), std::size(data.szTip) - 1);
  return Shell_NotifyIconW(operation, &data) != FALSE;
}

// A refusal starts the tries again later (TrayAddRetry): the shell may be
// busy at sign-in without ever saying "TaskbarCreated" afterwards.
bool Win32Platform::addTrayIcon() {
  const bool added = sendTrayRecord(NIM_ADD, *trayRecord_);
  if (!added) trayRetry_.refused();
  else if (trayRetry_.pending()) trayRetry_.cancel();
  return added;
}

void Win32Platform::runTrayRetryTimer(bool run) {
  if (run) {
    SetTimer(listener_.get(), TrayRetryTimer, static_cast<UINT>(std::chrono::milliseconds(TrayAddRetry::Interval).count()),
             nullptr);
  } else {
    KillTimer(listener_.get(), TrayRetryTimer);
  }
}

bool Win32Platform::notifyIcon(NotifyOperation operation, const TrayIconRecord& record) {
  switch (operation) {
    case NotifyOperation::Add:
      // Kept even when the shell is not up yet: it is added when it comes.
      trayRecord_ = record;
      return addTrayIcon();
    case NotifyOperation::Modify: return sendTrayRecord(NIM_MODIFY, record);
    case NotifyOperation::Delete:
      trayRecord_.reset();
      if (trayRetry_.pending()) trayRetry_.cancel();
      return sendTrayRecord(NIM_DELETE, record);
  }
  return false;
}

void Win32Platform::shellOpen(const std::string& target) {
  ShellExecuteW(GetDesktopWindow(), L"open", widen(target).c_str(), nullptr, L"", SW_SHOW);
}

std::vector<TwipsRect> Win32Platform::screenWorkAreas() const {
  std::vector<MONITORINFO> monitors;
  EnumDisplayMonitors(nullptr, nullptr, collectWorkArea, reinterpret_cast<LPARAM>(&monitors));
  std::vector<ScreenArea> screens;
  for (const MONITORINFO& m : monitors) screens.push_back({toPixelBox(m.rcWork), (m.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return workAreasPrimaryFirst(screens, scale_.twipsPerPixel);
}

// Tab, Enter and Escape move through a form's controls as in a dialog.
void Win32Platform::dispatch(MSG& message) {
  HWND active = GetActiveWindow();
  if (active && IsDialogMessageW(active, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void Win32Platform::processPendingEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the loop that owns it
      return;
    }
    dispatch(message);
  }
}

int Win32Platform::runEventLoop(PlatformEvents& events) {
  events_ = &events;
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  events_ = nullptr;
  return static_cast<int>(message.wParam);
}

void Win32Platform::quit(int exitCode) { PostQuitMessage(exitCode); }

bool Win32Platform::claimSingleInstance(const std::string& key) {
  const std::wstring name = instanceName(key);
  instanceMutex_.reset(CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str()));
  if (instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    instanceMutex_.reset();
    if (HWND running = FindWindowW(ListenerClass, name.c_str())) PostMessageW(running, activationRequest_, 0, 0);
    return false;
  }
  SetWindowTextW(listener_.get(), name.c_str());
  return true;
}

LRESULT CALLBACK Win32Platform::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return platform ? platform->handle(window, message, wParam, lParam)
                  : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Platform::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_) {
    if (trayRecord_) addTrayIcon();
    return 0;
  }
  if (message == activationRequest_) {
    if (events_) events_->onActivationRequest();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      // An add that timed out may still have reached the shell: then the
      // icon is there, a second add fails, and a modify succeeds.
      if (wParam == TrayRetryTimer && trayRecord_ && trayRetry_.onTimer([this] {
            return sendTrayRecord(NIM_ADD, *trayRecord_) || sendTrayRecord(NIM_MODIFY, *trayRecord_);
          }) && events_) {
        events_->onTrayIconAdded();
      }
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      // The process may end as soon as this returns: the unload work runs now.
      if (wParam && events_) events_->onTerminationRequest();
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      if (events_) events_->onScreensChanged();
      return 0;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETWORKAREA && events_) events_->onScreensChanged();
      return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace kerumo::win32

namespace kerumo {

std::unique_ptr<Platform> createPlatform(int&, char**) { return std::make_unique<win32::Win32Platform>(); }

}  // namespace kerumo
