#include "dialogs/form3.h"

#include <optional>
#include <string>

#include "dialogs/form3_controls.h"
#include "dialogs/form3_design.h"
#include "monitor/warning_settings.h"
#include "platform/decimal_text.h"

namespace kerumo {
namespace {

constexpr int Backspace = 8;

bool isThreshold(const std::optional<double>& value) { return value && *value >= 1 && *value <= 99; }

}  // namespace

Form3::Form3(Platform& platform, std::function<void()> resumeSampling)
    : platform_(platform),
      resumeSampling_(std::move(resumeSampling)),
      window_(platform.createForm(form3Design(), *this)) {}

void Form3::Form_Load() {
  const bool armed = WarnEnabled == 1;
  window_->setChecked(form3::Check1, armed);
  setFieldsEnabled(armed);
  window_->setCaption(form3::Text1, std::to_string(MemThreshold));
  window_->setCaption(form3::Text2, std::to_string(ResThreshold));
}

void Form3::setFieldsEnabled(bool enabled) {
  window_->setEnabled(form3::Text1, enabled);
  window_->setEnabled(form3::Text2, enabled);
}

void Form3::Check1_Click() {
  const bool armed = window_->isChecked(form3::Check1);
  WarnEnabled = armed ? 1 : 0;
  setFieldsEnabled(armed);
}

// Typed characters other than digits and backspace never reach the field;
// pasted text is caught by the check on confirmation.
void Form3::Text1_KeyPress(int& keyAscii) {
  const auto code = static_cast<int16_t>(keyAscii);
  if (code != Backspace && (code > '9' || code < '0')) keyAscii = 0;
}

void Form3::Command1_Click() {
  const auto memory = parseDecimal(window_->text(form3::Text1));
  const auto resources = parseDecimal(window_->text(form3::Text2));
  if (!isThreshold(memory) || !isThreshold(resources)) {
    platform_.messageBox(RangeErrorPrompt, MessageBoxStyle::OkOnly, ErrorTitle);
    return;
  }
  MemThreshold = static_cast<int16_t>(roundHalfToEven(*memory));
  ResThreshold = static_cast<int16_t>(roundHalfToEven(*resources));
  unload();
}

// Whichever way the dialog goes, the meter must not stay frozen.
void Form3::unload() {
  resumeSampling_();
  window_->close();
}

void Form3::onClick(const std::string& control) {
  if (control == form3::Check1) Check1_Click();
  if (control == form3::Command1) Command1_Click();
}

void Form3::onKeyPress(const std::string& control, int& keyAscii) {
  if (control == form3::Text1 || control == form3::Text2) Text1_KeyPress(keyAscii);
}

void Form3::onUnload() { unload(); }

void showForm3(Platform& platform, std::function<void()> resumeSampling, Form3*& open) {
  Form3 dialog(platform, std::move(resumeSampling));
  dialog.Form_Load();
  dialog.window().setFocus(form3::Check1);
  open = &dialog;
  dialog.window().showModal();
  open = nullptr;
}

}  // namespace kerumo
