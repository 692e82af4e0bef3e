#include "running_kerumo.h"

#include <string>

#include "win32_test_support.h"

namespace kerumo::testing {
namespace {

// A file the child process inherits as its standard error, or null.
HANDLE inheritableFile(const std::filesystem::path& file) {
  if (file.empty()) return nullptr;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

}  // namespace

std::filesystem::path builtProgram() { return hostPath(KERUMO_EXE); }

RunningKerumo::RunningKerumo(const std::filesystem::path& folder, const std::filesystem::path& program,
                             const std::filesystem::path& errors) {
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  HANDLE errorFile = inheritableFile(errors);
  if (errorFile != nullptr) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errorFile;
  }
  started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, errorFile != nullptr, 0, nullptr,
                            folder.c_str(), &startup, &process_);
  if (errorFile != nullptr) CloseHandle(errorFile);
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

HWND RunningKerumo::windowNow(const wchar_t* windowClass, bool visible) const {
  for (HWND candidate : windowsUnder()) {
    DWORD process = 0;
    GetWindowThreadProcessId(candidate, &process);
    const bool wanted = className(candidate) == windowClass && (!visible || IsWindowVisible(candidate));
    if (process == process_.dwProcessId && wanted) return candidate;
  }
  return nullptr;
}

HWND RunningKerumo::window(const wchar_t* windowClass, bool visible) const {
  HWND found = nullptr;
  pumpMessagesUntil([&] { return (found = windowNow(windowClass, visible)) != nullptr; }, 30000);
  return found;
}

std::optional<DWORD> RunningKerumo::waitForExit() const {
  if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace kerumo::testing
