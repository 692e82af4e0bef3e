#pragma once
#include <filesystem>
#include <ostream>

#include "monitor/sampling_cycle.h"
#include "platform/platform.h"

namespace kerumo {

// Brings Kerumo up with the settings file at `settingsPath`, runs it until
// it ends, and returns the process's exit status.
int runKerumo(Platform& platform, const std::filesystem::path& settingsPath, std::ostream& diagnostics,
              LibraryLoader loader);

}  // namespace kerumo
