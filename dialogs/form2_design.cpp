#include "dialogs/form2_design.h"

#include <string>

#include "dialogs/author.h"
#include "dialogs/form2_controls.h"
#include "dialogs/dialog_controls.h"

namespace kerumo {
namespace {

// Reached with Tab in the design's tab order and opened with Enter too.
ControlDesign link(ControlDesign label) {
  label.link = true;
  return label;
}

}  // namespace

FormDesign form2Design() {
  static const std::string credit = std::string("作者\u3000") + AuthorName;
  FormDesign d;
  d.name = form2::Name;
  d.caption = "";
  d.accessibleName = "ケルモ";
  d.frame = FrameStyle::SizableNoCaption;
  d.showInTaskbar = true;
  d.startPosition = StartPosition::CenterScreen;
  d.clientWidth = 3330;
  d.clientHeight = 2610;
  d.controls = {
      dialogLabel(form2::Label2, "ダウンロードありがとう御座います。", {120, 120, 3060, 180}, 1),
      dialogLabel(form2::Label3, "本ソフトはフリーウェアです。", {120, 360, 2520, 180}, 3),
      dialogLabel(form2::Label4, "どなた様もご自由にご利用ください。", {120, 600, 3060, 180}, 4),
      dialogLabel(form2::Label5, credit.c_str(), {120, 960, 0, 195}, 5, 9.75),
      link(dialogLabel(form2::Label6, AuthorMailLink, {120, 1200, 0, 180}, 6)),
      link(dialogLabel(form2::Label1, AuthorWebLink, {120, 1440, 0, 195}, 0, 9.75)),
      dialogButton(form2::Command1, "OK", {120, 1920, 3015, 375}, 2),
  };
  return d;
}

}  // namespace kerumo
