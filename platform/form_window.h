#pragma once
#include <cstdint>
#include <string>

#include "platform/form_design.h"

namespace kerumo {

// Mouse buttons as bit values, as the window system reports them.
namespace MouseButton {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace MouseButton

// Where a mouse move came from: the pointer itself, or a message posted to
// the form (the tray icon's callback), whose X and Y are no pointer position.
enum class MoveOrigin { Pointer, Posted };

// Where a window goes in the z-order, with the window system's handle values.
enum class InsertAfter : int32_t { Topmost = -1, NoTopmost = -2 };

namespace WindowPosFlag {
inline constexpr uint32_t NoSize = 0x01;
inline constexpr uint32_t NoMove = 0x02;
inline constexpr uint32_t ShowWindow = 0x40;
}  // namespace WindowPosFlag

// What a form hears from the window system. `control` is the name of the
// control that took the event, or empty for the form's own surface.
// Coordinates are twips relative to that control's parent client area.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void onMouseDown(const std::string& control, int button, int shift, double x, double y) = 0;
  virtual void onMouseMove(const std::string& control, int button, int shift, double x, double y,
                           MoveOrigin origin) = 0;
  virtual void onDoubleClick(const std::string& control) = 0;
  virtual void onClick(const std::string& control) = 0;
  // May set `keyAscii` to 0 to swallow the key.
  virtual void onKeyPress(const std::string& control, int& keyAscii) = 0;
  virtual void onTimer(const std::string& timer) = 0;
  virtual void onMenuCommand(const std::string& item) = 0;
  // The window system is closing the form (close button, Alt+F4, session end).
  virtual void onUnload() = 0;
};

// A live form, created by the platform from its design.
class FormWindow {
 public:
  virtual ~FormWindow() = default;

  // Outer top-left corner of the window on the virtual screen, in twips.
  virtual void setLeft(double twips) = 0;
  virtual void setTop(double twips) = 0;
  virtual double left() const = 0;
  virtual double top() const = 0;
  // Outer size in twips, frame included.
  virtual double width() const = 0;
  virtual double height() const = 0;

  virtual void setVisible(bool visible) = 0;
  virtual bool isVisible() const = 0;
  // Reorders the window like SetWindowPos with position and size kept;
  // returns non-zero on success.
  virtual int32_t setWindowPos(InsertAfter insertAfter, uint32_t flags) = 0;
  virtual void setForeground() = 0;
  // Hands the pressed left button to the window system's own window move.
  virtual void beginSystemMove() = 0;

  virtual void setCaption(const std::string& control, const std::string& text) = 0;
  virtual std::string text(const std::string& control) const = 0;
  virtual void setWidth(const std::string& control, double twips) = 0;
  virtual void setControlVisible(const std::string& control, bool visible) = 0;
  virtual void setEnabled(const std::string& control, bool enabled) = 0;
  virtual void setForeColour(const std::string& control, Colour colour) = 0;
  virtual void setUnderline(const std::string& control, bool underline) = 0;
  virtual void setChecked(const std::string& control, bool checked) = 0;
  virtual bool isChecked(const std::string& control) const = 0;
  virtual void setFocus(const std::string& control) = 0;
  // A figure reads differently now; the form tells a screen reader of
  // the change without taking the focus.
  virtual void setFigure(const std::string& figure, const FigureReading& reading) = 0;
  // A form's timers are created stopped, whatever their design says: the
  // form starts them once its load work has run.
  virtual void setTimerEnabled(const std::string& timer, bool enabled) = 0;

  virtual void setMenuVisible(bool visible) = 0;
  virtual void setMenuItemChecked(const std::string& item, bool checked) = 0;
  // Pops the form's menu up at the pointer; a chosen item arrives through
  // FormEvents::onMenuCommand before this returns.
  virtual void popupMenu() = 0;

  // Shows the form modally: returns once the form is closed.
  virtual void showModal() = 0;
  // Closes the form without asking it (the program's own unload).
  virtual void close() = 0;
};

}  // namespace kerumo
