#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_api.h"

namespace kerumo::testing {

// The meter kept on top at 2000, 1500 twips (133, 100 pixels at 96 DPI),
// temperature shown, warnings off.
inline const std::string Settings = "1500\r\n2000\r\n0\r\n1\r\n0\r\n10\r\n10\r\n";

// The program the build made, as Windows sees its path.
std::filesystem::path builtProgram();

// A running kerumo.exe, ended at the latest when the test ends.
class RunningKerumo {
 public:
  // Starts `program` with `folder` as its current directory; what it says
  // on standard error goes to the file `errors`, when given.
  explicit RunningKerumo(const std::filesystem::path& folder, const std::filesystem::path& program = builtProgram(),
                         const std::filesystem::path& errors = {});
  ~RunningKerumo();
  RunningKerumo(const RunningKerumo&) = delete;
  RunningKerumo& operator=(const RunningKerumo&) = delete;

  bool running() const;

  // Waits for the program's window of `windowClass`, visible when asked.
  HWND window(const wchar_t* windowClass, bool visible) const;
  // The program's windows of `windowClass` that are there now.
  std::vector<HWND> windowsNow(const wchar_t* windowClass, bool visible = true) const;
  HWND windowNow(const wchar_t* windowClass, bool visible = true) const {
    const std::vector<HWND> found = windowsNow(windowClass, visible);
    return found.empty() ? nullptr : found.front();
  }
  // Waits for the meter, shown.
  HWND meter() const { return window(L"KerumoForm1", true); }

  // Closes the meter as a user does and waits for the exit, as waitForExit.
  std::optional<DWORD> close() const;

  // The exit code, or nullopt when it does not end within ten seconds.
  std::optional<DWORD> waitForExit() const;

 private:
  PROCESS_INFORMATION process_{};
  BOOL started_ = FALSE;
};

}  // namespace kerumo::testing
