#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace kerumo {

class FakePlatform;

struct FakeControlState {
  std::string caption;
  double width = 0;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool timerEnabled = false;
  Colour foreColour;
  bool underline = false;
};

// A form that keeps the state the core gave it and logs every call.
class FakeForm : public FormWindow {
 public:
  FakeForm(FakePlatform& owner, const FormDesign& design, FormEvents& events);
  ~FakeForm() override;

  void setLeft(double twips) override;
  void setTop(double twips) override;
  double left() const override { return left_; }
  double top() const override { return top_; }
  double width() const override;
  double height() const override;
  void setVisible(bool visible) override;
  bool isVisible() const override { return visible_; }
  int32_t setWindowPos(InsertAfter insertAfter, uint32_t flags) override;
  void setForeground() override;
  void beginSystemMove() override;
  void setCaption(const std::string& control, const std::string& text) override;
  std::string text(const std::string& control) const override;
  void setWidth(const std::string& control, double twips) override;
  void setControlVisible(const std::string& control, bool visible) override;
  void setEnabled(const std::string& control, bool enabled) override;
  void setForeColour(const std::string& control, Colour colour) override;
  void setUnderline(const std::string& control, bool underline) override;
  void setChecked(const std::string& control, bool checked) override;
  bool isChecked(const std::string& control) const override;
  void setFocus(const std::string& control) override;
  void setFigure(const std::string& figure, const FigureReading& reading) override;
  void setTimerEnabled(const std::string& timer, bool enabled) override;
  void setMenuVisible(bool visible) override;
  void setMenuItemChecked(const std::string& item, bool checked) override;
  void popupMenu() override;
  void showModal() override;
  void close() override;

  const FormDesign& design() const { return design_; }
  FormEvents& events() { return events_; }
  const FakeControlState& control(const std::string& name) const;
  // What a screen reader hears of the figure now.
  const FigureReading& figure(const std::string& name) const;
  bool topmost() const { return topmost_; }
  bool menuVisible() const { return menuVisible_; }
  bool menuItemChecked(const std::string& item) const;
  bool closed() const { return closed_; }
  const std::string& focus() const { return focus_; }
  // Fires `timer` as the window system would: only while it runs; false
  // when it is stopped.
  bool fireTimer(const std::string& timer);
  // Lets a test type into a text field without going through key events.
  void typeText(const std::string& control, const std::string& text) { state(control).caption = text; }

 private:
  void log(const std::string& call) const;
  FakeControlState& state(const std::string& name);
  void requireControl(const std::string& name) const;
  void requireMenuItem(const std::string& item) const;

  FakePlatform& owner_;
  FormDesign design_;
  FormEvents& events_;
  std::map<std::string, FakeControlState> controls_;
  std::map<std::string, bool> menuChecks_;
  std::map<std::string, FigureReading> figures_;
  double left_ = 0;
  double top_ = 0;
  bool visible_ = false;
  bool topmost_ = false;
  bool menuVisible_ = true;
  bool closed_ = false;
  std::string focus_;
};

struct FakeMessageBox {
  std::string prompt;
  uint32_t style;
  std::string title;
};

// Records every call in order; tests script the answers and fire the events.
class FakePlatform : public Platform {
 public:
  FakePlatform();

  std::unique_ptr<FormWindow> createForm(const FormDesign& design, FormEvents& events) override;
  int messageBox(const std::string& prompt, uint32_t style, const std::string& title) override;
  bool notifyIcon(NotifyOperation operation, const TrayIconRecord& record) override;
  void shellOpen(const std::string& target) override;
  double twipsPerPixelX() const override { return twipsPerPixel; }
  double twipsPerPixelY() const override { return twipsPerPixel; }
  std::vector<TwipsRect> screenWorkAreas() const override { return workAreas; }
  void processPendingEvents() override;
  int runEventLoop(PlatformEvents& events) override;
  void quit(int exitCode) override;
  bool claimSingleInstance(const std::string& key) override;

  // The live form of that name, or nullptr.
  FakeForm* form(const std::string& name) const;
  void forget(const FakeForm* form);
  void log(const std::string& call) { calls.push_back(call); }
  // The shell's callback for the icon added first, as a real backend
  // delivers it: a posted move on its window whose X is the mouse message.
  void sendTrayCallback(int32_t mouseMessage);
  // Calls logged since `from`, for checking the order of one step.
  std::vector<std::string> callsSince(size_t from) const;
  // A control or menu item its form's design does not have was named.
  void unknownName(const std::string& message) const;

  // Scripted answers
  bool trayAvailable = true;
  bool instanceFree = true;
  double twipsPerPixel = 15;
  std::vector<TwipsRect> workAreas{{0, 0, 1920 * 15, 1050 * 15}};
  std::function<int(const FakeMessageBox&)> onMessageBox;
  std::function<void(FakeForm&)> onPopupMenu;
  std::function<void(FakeForm&)> onShowModal;
  std::function<void(PlatformEvents&)> onEventLoop;
  // Hears every name a form's design lacks; unset, the test aborts saying so.
  std::function<void(const std::string&)> onUnknownName;

  // What happened
  std::vector<std::string> calls;
  std::vector<FakeMessageBox> messageBoxes;
  std::vector<TrayIconRecord> trayIcons;  // icons currently present
  std::vector<std::string> shellOpened;
  std::vector<std::string> claimedKeys;
  std::optional<int> quitCode;

 private:
  std::vector<FakeForm*> forms_;
};

// Short text of a number for the call log: integers without a fraction.
std::string fakeNumber(double value);

}  // namespace kerumo
