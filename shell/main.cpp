#include <iostream>

#include "platform/platform.h"
#include "shell/kerumo_app.h"
#include "shell/settings_file.h"

namespace {

// The monitoring libraries by name, or the built-in sources, at the first tick.
kerumo::LibraryLoader systemLibraries(std::ostream& diagnostics) {
  return [&diagnostics] {
    return kerumo::MonitorLibraries{kerumo::loadResourceInfo(diagnostics), kerumo::loadPortIo(diagnostics)};
  };
}

}  // namespace

int main(int argc, char** argv) {
  auto platform = kerumo::createPlatform(argc, argv);
  if (!platform) return 1;  // no window system: already said why
  return kerumo::runKerumo(*platform, kerumo::SettingsFileName, std::cerr, systemLibraries(std::cerr));
}
