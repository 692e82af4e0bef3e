#pragma once
#include <memory>

#include "platform/platform.h"

namespace kerumo {

// The about dialog: modeless, one window at a time, created from its design
// each time it is opened after "OK".
class Form2 : public FormEvents {
 public:
  explicit Form2(Platform& platform) : platform_(platform) {}

  // Opens the dialog, or brings the open one forward.
  void show();
  bool isOpen() const { return window_ && !closed_; }
  FormWindow* window() { return isOpen() ? window_.get() : nullptr; }

  void Label1_MouseMove();
  void Label6_MouseMove();
  void Form_MouseMove();
  void Label1_Click();
  void Label6_Click();
  void Command1_Click();

  void onMouseDown(const std::string&, int, int, double, double) override {}
  void onMouseMove(const std::string& control, int, int, double, double, MoveOrigin) override;
  void onDoubleClick(const std::string&) override {}
  void onClick(const std::string& control) override;
  void onKeyPress(const std::string&, int&) override {}
  void onTimer(const std::string&) override {}
  void onMenuCommand(const std::string&) override {}
  void onUnload() override { Command1_Click(); }

 private:
  void highlight(const char* link, const char* other);
  void plain(const char* link);

  Platform& platform_;
  std::unique_ptr<FormWindow> window_;
  bool closed_ = false;
};

}  // namespace kerumo
