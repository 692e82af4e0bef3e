#include "dialogs/form2.h"

#include "dialogs/form2_controls.h"
#include "dialogs/form2_design.h"

namespace kerumo {
namespace {

const Colour LinkBlue = Colour::bgr(0xFF0000);
const Colour Black = Colour::bgr(0);

}  // namespace

void Form2::show() {
  if (!isOpen()) {
    // A closed window is dropped here, never inside one of its own handlers.
    window_.reset();
    window_ = platform_.createForm(form2Design(), *this);
    closed_ = false;
  }
  window_->setVisible(true);
  window_->setForeground();
}

void Form2::highlight(const char* link, const char* other) {
  window_->setForeColour(link, LinkBlue);
  window_->setUnderline(link, true);
  plain(other);
}

void Form2::plain(const char* link) {
  window_->setForeColour(link, Black);
  window_->setUnderline(link, false);
}

void Form2::Label1_MouseMove() { highlight(form2::Label1, form2::Label6); }

void Form2::Label6_MouseMove() { highlight(form2::Label6, form2::Label1); }

void Form2::Form_MouseMove() {
  plain(form2::Label1);
  plain(form2::Label6);
}

void Form2::Label1_Click() { platform_.shellOpen(window_->text(form2::Label1)); }

void Form2::Label6_Click() { platform_.shellOpen(window_->text(form2::Label6)); }

void Form2::Command1_Click() {
  if (!isOpen()) return;
  window_->close();
  closed_ = true;
}

void Form2::onMouseMove(const std::string& control, int, int, double, double, MoveOrigin) {
  if (control == form2::Label1) Label1_MouseMove();
  else if (control == form2::Label6) Label6_MouseMove();
  else if (control.empty()) Form_MouseMove();
}

void Form2::onClick(const std::string& control) {
  if (control == form2::Label1) Label1_Click();
  else if (control == form2::Label6) Label6_Click();
  else if (control == form2::Command1) Command1_Click();
}

}  // namespace kerumo
