#include "dialogs/form3_design.h"

#include "dialogs/dialog_controls.h"
#include "dialogs/form3_controls.h"

namespace kerumo {
namespace {

ControlDesign checkBox() {
  ControlDesign c;
  c.name = form3::Check1;
  c.kind = ControlKind::CheckBox;
  c.caption = "警告機能を利用する";
  c.rect = {120, 240, 2175, 495};
  c.font = FontDesign{GothicFamily, 9, false};
  c.tabIndex = 0;
  return c;
}

// Digits only are wanted, so the field takes no input-method composition.
// The row's heading names it to a screen reader.
ControlDesign textField(const char* name, const TwipsRect& rect, int tabIndex, const char* heading) {
  ControlDesign c;
  c.name = name;
  c.kind = ControlKind::TextBox;
  c.caption = "10";
  c.rect = rect;
  c.font = FontDesign{GothicFamily, 9, false};
  c.tabIndex = tabIndex;
  c.inputMethod = false;
  c.labelledBy = heading;
  return c;
}

}  // namespace

FormDesign form3Design() {
  FormDesign d;
  d.name = form3::Name;
  d.caption = "警告の設定";
  d.frame = FrameStyle::FixedToolWindow;
  d.showInTaskbar = false;
  d.startPosition = StartPosition::CenterScreen;
  d.clientWidth = 3525;
  d.clientHeight = 4575;
  d.controls = {
      checkBox(),
      dialogLabel(form3::Label1, "パソコンを使用中に", {240, 960, 1620, 180}, 1),
      dialogLabel(form3::Label2, "物理メモリ、システムリソース残量が", {240, 1200, 3060, 180}, 2),
      dialogLabel(form3::Label3, "一定の値以下になったときに", {240, 1440, 2340, 180}, 3),
      dialogLabel(form3::Label4, "メッセージボックスで警告をします。", {240, 1680, 3060, 180}, 4),
      dialogLabel(form3::Label5, "物理メモリ残り", {120, 2040, 1260, 180}, 5),
      textField(form3::Text1, {240, 2400, 855, 270}, 6, form3::Label5),
      dialogLabel(form3::Label7, "（％）以下になったら警告", {1200, 2520, 2160, 180}, 9),
      dialogLabel(form3::Label6, "システムリソース残量", {120, 2880, 1800, 180}, 7),
      textField(form3::Text2, {240, 3240, 855, 270}, 8, form3::Label6),
      dialogLabel(form3::Label8, "（％）以下になったら警告", {1200, 3360, 2160, 180}, 10),
      dialogButton(form3::Command1, "設定", {960, 3960, 1215, 495}, 11),
  };
  return d;
}

}  // namespace kerumo
