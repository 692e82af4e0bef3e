#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "platform/tray_callback.h"

namespace kerumo {

std::string fakeNumber(double value) {
  std::ostringstream out;
  if (value == std::floor(value)) {
    out << static_cast<long long>(value);
  } else {
    out << value;
  }
  return out.str();
}

namespace {

double frameTwips(FrameStyle frame) {
  // One pixel of thin frame around the meter; a tool window adds a title bar.
  switch (frame) {
    case FrameStyle::FixedSingleNoCaption: return 15;
    case FrameStyle::FixedToolWindow: return 45;
    case FrameStyle::SizableNoCaption: return 60;
  }
  return 0;
}

const char* insertAfterName(InsertAfter insertAfter) {
  return insertAfter == InsertAfter::Topmost ? "HWND_TOPMOST" : "HWND_NOTOPMOST";
}

}  // namespace

FakeForm::FakeForm(FakePlatform& owner, const FormDesign& design, FormEvents& events)
    : owner_(owner), design_(design), events_(events) {
  for (const auto& c : design.controls) {
    FakeControlState s;
    s.caption = c.caption;
    s.width = c.rect.width;
    s.visible = c.visible;
    s.enabled = c.enabled;
    s.foreColour = c.foreColour;
    s.underline = c.font.underline;
    controls_[c.name] = s;
  }
  if (design.menu) {
    for (const auto& item : design.menu->items) menuChecks_[item.name] = item.checked;
  }
  for (const auto& f : design.figures) figures_[f.name] = f.reading;
}

FakeForm::~FakeForm() { owner_.forget(this); }

void FakeForm::log(const std::string& call) const { owner_.log(design_.name + "." + call); }

// A misspelt name would otherwise pass for a control nobody looks at.
void FakeForm::requireControl(const std::string& name) const {
  if (!design_.control(name)) owner_.unknownName(design_.name + " has no control named \"" + name + "\"");
}

void FakeForm::requireMenuItem(const std::string& item) const {
  if (!design_.menuItem(item)) owner_.unknownName(design_.name + " has no menu item named \"" + item + "\"");
}

FakeControlState& FakeForm::state(const std::string& name) {
  requireControl(name);
  return controls_[name];
}

const FakeControlState& FakeForm::control(const std::string& name) const {
  static const FakeControlState none;
  requireControl(name);
  const auto it = controls_.find(name);
  return it == controls_.end() ? none : it->second;
}

const FigureReading& FakeForm::figure(const std::string& name) const {
  static const FigureReading none;
  const auto it = figures_.find(name);
  if (it == figures_.end()) owner_.unknownName(design_.name + " has no figure named \"" + name + "\"");
  return it == figures_.end() ? none : it->second;
}

void FakeForm::setFigure(const std::string& name, const FigureReading& reading) {
  if (!design_.figure(name)) owner_.unknownName(design_.name + " has no figure named \"" + name + "\"");
  figures_[name] = reading;
  log("setFigure " + name + " " + reading.name);
}

bool FakeForm::menuItemChecked(const std::string& item) const {
  requireMenuItem(item);
  const auto it = menuChecks_.find(item);
  return it != menuChecks_.end() && it->second;
}

void FakeForm::setLeft(double twips) {
  left_ = twips;
  log("setLeft " + fakeNumber(twips));
}

void FakeForm::setTop(double twips) {
  top_ = twips;
  log("setTop " + fakeNumber(twips));
}

double FakeForm::width() const { return design_.clientWidth + 2 * frameTwips(design_.frame); }

double FakeForm::height() const { return design_.clientHeight + 2 * frameTwips(design_.frame); }

void FakeForm::setVisible(bool visible) {
  visible_ = visible;
  log(std::string("setVisible ") + (visible ? "1" : "0"));
}

int32_t FakeForm::setWindowPos(InsertAfter insertAfter, uint32_t flags) {
  topmost_ = insertAfter == InsertAfter::Topmost;
  if (flags & WindowPosFlag::ShowWindow) visible_ = true;
  std::ostringstream flagText;
  flagText << "0x" << std::hex << flags;
  log(std::string("setWindowPos ") + insertAfterName(insertAfter) + " " + flagText.str());
  return 1;
}

void FakeForm::setForeground() { log("setForeground"); }

void FakeForm::beginSystemMove() { log("beginSystemMove"); }

void FakeForm::setCaption(const std::string& control, const std::string& text) {
  state(control).caption = text;
  log("setCaption " + control + " " + text);
}

std::string FakeForm::text(const std::string& control) const { return this->control(control).caption; }

void FakeForm::setWidth(const std::string& control, double twips) {
  state(control).width = twips;
  log("setWidth " + control + " " + fakeNumber(twips));
}

void FakeForm::setControlVisible(const std::string& control, bool visible) {
  state(control).visible = visible;
  log("setControlVisible " + control + (visible ? " 1" : " 0"));
}

void FakeForm::setEnabled(const std::string& control, bool enabled) {
  state(control).enabled = enabled;
  log("setEnabled " + control + (enabled ? " 1" : " 0"));
}

void FakeForm::setForeColour(const std::string& control, Colour colour) {
  state(control).foreColour = colour;
  std::ostringstream value;
  value << "0x" << std::hex << colour.value;
  log("setForeColour " + control + " " + value.str());
}

void FakeForm::setUnderline(const std::string& control, bool underline) {
  state(control).underline = underline;
  log("setUnderline " + control + (underline ? " 1" : " 0"));
}

void FakeForm::setChecked(const std::string& control, bool checked) {
  state(control).checked = checked;
  log("setChecked " + control + (checked ? " 1" : " 0"));
}

bool FakeForm::isChecked(const std::string& control) const { return this->control(control).checked; }

void FakeForm::setFocus(const std::string& control) {
  requireControl(control);
  focus_ = control;
  log("setFocus " + control);
}

void FakeForm::setTimerEnabled(const std::string& timer, bool enabled) {
  state(timer).timerEnabled = enabled;
  log("setTimerEnabled " + timer + (enabled ? " 1" : " 0"));
}

bool FakeForm::fireTimer(const std::string& timer) {
  if (!control(timer).timerEnabled) return false;
  events_.onTimer(timer);
  return true;
}

void FakeForm::setMenuVisible(bool visible) {
  menuVisible_ = visible;
  log(std::string("setMenuVisible ") + (visible ? "1" : "0"));
}

void FakeForm::setMenuItemChecked(const std::string& item, bool checked) {
  requireMenuItem(item);
  menuChecks_[item] = checked;
  log("setMenuItemChecked " + item + (checked ? " 1" : " 0"));
}

void FakeForm::popupMenu() {
  log("popupMenu");
  if (owner_.onPopupMenu) owner_.onPopupMenu(*this);
}

void FakeForm::showModal() {
  visible_ = true;
  log("showModal");
  if (owner_.onShowModal) owner_.onShowModal(*this);
}

void FakeForm::close() {
  visible_ = false;
  closed_ = true;
  log("close");
}

FakePlatform::FakePlatform() = default;

std::unique_ptr<FormWindow> FakePlatform::createForm(const FormDesign& design, FormEvents& events) {
  log("createForm " + design.name);
  auto created = std::make_unique<FakeForm>(*this, design, events);
  forms_.push_back(created.get());
  return created;
}

FakeForm* FakePlatform::form(const std::string& name) const {
  const auto it = std::find_if(forms_.begin(), forms_.end(), [&](FakeForm* f) { return f->design().name == name; });
  return it == forms_.end() ? nullptr : *it;
}

void FakePlatform::forget(const FakeForm* form) { std::erase(forms_, form); }

std::vector<std::string> FakePlatform::callsSince(size_t from) const {
  return {calls.begin() + static_cast<std::ptrdiff_t>(std::min(from, calls.size())), calls.end()};
}

void FakePlatform::unknownName(const std::string& message) const {
  if (onUnknownName) {
    onUnknownName(message);
    return;
  }
  std::cerr << "FakePlatform: " << message << '\n';
  std::abort();
}

int FakePlatform::messageBox(const std::string& prompt, uint32_t style, const std::string& title) {
  log("messageBox " + title);
  messageBoxes.push_back({prompt, style, title});
  return onMessageBox ? onMessageBox(messageBoxes.back()) : MessageBoxOk;
}

bool FakePlatform::notifyIcon(NotifyOperation operation, const TrayIconRecord& record) {
  log(std::string("notifyIcon ") + (operation == NotifyOperation::Add ? "Add" : operation == NotifyOperation::Delete ? "Delete" : "Modify"));
  if (!trayAvailable) return false;
  if (operation == NotifyOperation::Add) trayIcons.push_back(record);
  if (operation == NotifyOperation::Delete) std::erase(trayIcons, record);
  return true;
}

void FakePlatform::sendTrayCallback(int32_t mouseMessage) {
  if (trayIcons.empty()) return;
  auto* owner = dynamic_cast<FakeForm*>(trayIcons.front().window);
  if (!owner) return;
  owner->events().onMouseMove({}, 0, 0, postedMoveTwips(mouseMessage, twipsPerPixel), 0, MoveOrigin::Posted);
}

void FakePlatform::shellOpen(const std::string& target) {
  log("shellOpen " + target);
  shellOpened.push_back(target);
}

void FakePlatform::processPendingEvents() { log("processPendingEvents"); }

int FakePlatform::runEventLoop(PlatformEvents& events) {
  log("runEventLoop");
  if (onEventLoop) onEventLoop(events);
  return quitCode.value_or(0);
}

void FakePlatform::quit(int exitCode) {
  log("quit " + std::to_string(exitCode));
  quitCode = exitCode;
}

bool FakePlatform::claimSingleInstance(const std::string& key) {
  log("claimSingleInstance");
  claimedKeys.push_back(key);
  return instanceFree;
}

}  // namespace kerumo
