#include <chrono>
#include <iostream>
#include <memory>

#include "platform/platform.h"
#include "shell/command_line.h"
#include "shell/kerumo_app.h"
#include "shell/settings_file.h"

namespace {

// The monitoring libraries by name, or the built-in sources, at the first
// tick. The CPU usage each tick takes is shared with the port source.
kerumo::LibraryLoader systemLibraries(std::ostream& diagnostics) {
  return [&diagnostics] {
    auto activity = std::make_shared<kerumo::CpuActivity>(std::chrono::steady_clock::now);
    return kerumo::MonitorLibraries{kerumo::loadResourceInfo(diagnostics), kerumo::loadPortIo(diagnostics, activity),
                                    activity};
  };
}

}  // namespace

int main(int argc, char** argv) {
  // Before the window system: "--help" works without a display.
  if (const auto status = kerumo::answerCommandLine(argc, argv, std::cout, std::cerr)) return *status;
  auto platform = kerumo::createPlatform(argc, argv);
  if (!platform) return 1;  // no window system: already said why
  return kerumo::runKerumo(*platform, kerumo::SettingsFileName, std::cerr, systemLibraries(std::cerr));
}
