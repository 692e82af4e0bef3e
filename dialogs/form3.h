#pragma once
#include <functional>
#include <memory>

#include "platform/platform.h"

namespace kerumo {

// The title of every error box: the dialog's and the settings file's.
inline constexpr const char* ErrorTitle = "ケルモエラー";
inline constexpr const char* RangeErrorPrompt = "1～99の値で入力してください。";

// The warning-settings dialog. It works on the program-wide values and
// calls `resumeSampling` (the meter's timer back on) when it goes away.
class Form3 : public FormEvents {
 public:
  Form3(Platform& platform, std::function<void()> resumeSampling);

  void Form_Load();
  void Check1_Click();
  void Text1_KeyPress(int& keyAscii);
  void Command1_Click();

  void onMouseDown(const std::string&, int, int, double, double) override {}
  void onMouseMove(const std::string&, int, int, double, double, MoveOrigin) override {}
  void onDoubleClick(const std::string&) override {}
  void onClick(const std::string& control) override;
  void onKeyPress(const std::string& control, int& keyAscii) override;
  void onTimer(const std::string&) override {}
  void onMenuCommand(const std::string&) override {}
  void onUnload() override;

  FormWindow& window() { return *window_; }

 private:
  void setFieldsEnabled(bool enabled);
  void unload();

  Platform& platform_;
  std::function<void()> resumeSampling_;
  std::unique_ptr<FormWindow> window_;
};

// Creates the dialog, shows it modally and returns once it is closed;
// `open` points at it meanwhile.
void showForm3(Platform& platform, std::function<void()> resumeSampling, Form3*& open);

}  // namespace kerumo
