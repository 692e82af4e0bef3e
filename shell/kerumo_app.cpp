#include "shell/kerumo_app.h"

#include "shell/form1.h"

namespace kerumo {

int runKerumo(Platform& platform, const std::filesystem::path& settingsPath, std::ostream& diagnostics,
              LibraryLoader loader) {
  // Two instances would overwrite each other's settings at exit.
  if (!platform.claimSingleInstance(std::filesystem::weakly_canonical(std::filesystem::absolute(settingsPath)).string())) {
    return 0;
  }
  Form1 form1(platform, settingsPath, diagnostics, std::move(loader));
  if (!form1.Form_Load()) return 1;
  const int status = platform.runEventLoop(form1);
  form1.Form_Unload();
  return status;
}

}  // namespace kerumo
