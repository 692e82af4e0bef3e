#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_design.h"
#include "platform/form_window.h"

namespace kerumo {

// Message-box style bits and results, with the window system's values.
namespace MessageBoxStyle {
inline constexpr uint32_t OkOnly = 0;
}
inline constexpr int MessageBoxOk = 1;

enum class NotifyOperation { Add = 0, Modify = 1, Delete = 2 };

// The notification-icon record handed to the shell. Its callback message
// comes back to `window`'s events as a posted mouse move whose X, in twips,
// is the mouse-message number times the whole twips per pixel
// (platform/tray_callback.h).
struct TrayIconRecord {
  FormWindow* window = nullptr;
  uint32_t id = 0;
  uint32_t flags = 0;
  uint32_t callbackMessage = 0;
  Picture icon = Picture::None;
  std::string tip;
  bool operator==(const TrayIconRecord&) const = default;
};

// What the program hears from the platform outside any one form.
class PlatformEvents {
 public:
  virtual ~PlatformEvents() = default;
  // A signal or the session's end asks the program to stop.
  virtual void onTerminationRequest() = 0;
  // A second start in the same place asks this instance to come forward.
  virtual void onActivationRequest() = 0;
  // Screens were added, removed or resized.
  virtual void onScreensChanged() = 0;
  // The tray icon that had no tray to go to when it was added is shown now
  // that a tray has appeared.
  virtual void onTrayIconAdded() = 0;
  // The display is gone: nothing can be shown any more, and the process
  // ends as soon as this returns.
  virtual void onDisplayLost() = 0;
};

// Standard error's line when the display has gone; the program may add
// what became of its settings.
inline constexpr const char* DisplayLostLine = "kerumo: ディスプレイとの接続が切れました";

class Platform {
 public:
  virtual ~Platform() = default;

  virtual std::unique_ptr<FormWindow> createForm(const FormDesign& design, FormEvents& events) = 0;
  // Modal message box; the prompt's carriage returns are line breaks.
  virtual int messageBox(const std::string& prompt, uint32_t style, const std::string& title) = 0;
  // Shell_NotifyIcon-like; returns false when the shell refused. An icon
  // added while no tray is there is kept and shown when a tray appears.
  virtual bool notifyIcon(NotifyOperation operation, const TrayIconRecord& record) = 0;
  // The shell's "open" operation on a web address or mail link.
  virtual void shellOpen(const std::string& target) = 0;

  virtual double twipsPerPixelX() const = 0;
  virtual double twipsPerPixelY() const = 0;
  // Work areas of all screens, primary first, in twips.
  virtual std::vector<TwipsRect> screenWorkAreas() const = 0;

  // Lets pending window events run once.
  virtual void processPendingEvents() = 0;
  virtual int runEventLoop(PlatformEvents& events) = 0;
  // Ends the event loop with `exitCode`; windows are destroyed without events.
  virtual void quit(int exitCode) = 0;

  // Makes this process the one instance for `key`; false when another
  // process holds it, which is then asked to come forward.
  virtual bool claimSingleInstance(const std::string& key) = 0;
};

// Implemented by the backend the build chose; nullptr when no window system
// can be reached (the reason is already on standard error).
std::unique_ptr<Platform> createPlatform(int& argc, char** argv);

}  // namespace kerumo
