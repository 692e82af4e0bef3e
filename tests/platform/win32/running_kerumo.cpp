#include "running_kerumo.h"

#include <string>

#include "win32_test_support.h"

namespace kerumo::testing {

std::filesystem::path builtProgram() { return hostPath(KERUMO_EXE); }

RunningKerumo::RunningKerumo(const std::filesystem::path& folder, const std::filesystem::path& program,
                             const std::filesystem::path& errors) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};  // the child's standard error
  HANDLE errorFile = errors.empty() ? INVALID_HANDLE_VALUE
                                    : CreateFileW(errors.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  const BOOL redirected = errorFile != INVALID_HANDLE_VALUE;
  if (redirected) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errorFile;
  }
  started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, redirected, 0, nullptr, folder.c_str(),
                            &startup, &process_);
  if (redirected) CloseHandle(errorFile);
}

RunningKerumo::~RunningKerumo() {
  if (!started_) return;
  if (running()) TerminateProcess(process_.hProcess, 1);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

bool RunningKerumo::running() const {
  return started_ && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> RunningKerumo::windowsNow(const wchar_t* windowClass, bool visible) const {
  std::vector<HWND> found = windowsUnder(nullptr, windowClass);
  std::erase_if(found, [&](HWND candidate) {
    DWORD process = 0;
    GetWindowThreadProcessId(candidate, &process);
    return process != process_.dwProcessId || (visible && !IsWindowVisible(candidate));
  });
  return found;
}

HWND RunningKerumo::window(const wchar_t* windowClass, bool visible) const {
  HWND found = nullptr;
  pumpMessagesUntil([&] { return (found = windowNow(windowClass, visible)) != nullptr; }, 30000);
  return found;
}

std::optional<DWORD> RunningKerumo::close() const {
  PostMessageW(windowNow(L"KerumoForm1", false), WM_CLOSE, 0, 0);
  return waitForExit();
}

std::optional<DWORD> RunningKerumo::waitForExit() const {
  if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace kerumo::testing
