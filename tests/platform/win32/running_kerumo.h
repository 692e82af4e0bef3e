#pragma once
#include <filesystem>
#include <optional>

#include "platform/win32/win32_api.h"

namespace kerumo::testing {

// A running kerumo.exe, started in `folder` as a user would, and ended at
// the latest when the test ends.
class RunningKerumo {
 public:
  explicit RunningKerumo(const std::filesystem::path& folder);
  ~RunningKerumo();
  RunningKerumo(const RunningKerumo&) = delete;
  RunningKerumo& operator=(const RunningKerumo&) = delete;

  bool started() const { return started_ != FALSE; }
  bool running() const;

  // Waits for the program's window of `windowClass`, visible when asked.
  HWND window(const wchar_t* windowClass, bool visible) const;
  // The program's window of `windowClass` that is visible now, if any.
  HWND visibleWindow(const wchar_t* windowClass) const;

  // The exit code, or nullopt when it does not end within ten seconds.
  std::optional<DWORD> waitForExit() const;

 private:
  PROCESS_INFORMATION process_{};
  BOOL started_ = FALSE;
};

}  // namespace kerumo::testing
