#include "shell/form1_design.h"

#include "shell/form1_controls.h"
#include "shell/meter_figures.h"

namespace kerumo {
namespace {

const Colour Red = Colour::bgr(0x0000FF);
const Colour Blue = Colour::bgr(0xFF0000);

ControlDesign label(const char* name, const char* caption, const TwipsRect& rect, const char* toolTip = "") {
  ControlDesign c;
  c.name = name;
  c.kind = ControlKind::Label;
  c.caption = caption;
  c.rect = rect;
  c.font = FontDesign{GothicFamily, 9, true};
  c.foreColour = Colour::system(SystemColour::ButtonText);
  c.autoSize = true;
  c.transparent = true;
  c.toolTip = toolTip;
  return c;
}

// A value label keeps its right edge where the design box ends, so figures
// stay next to their unit however many digits they have.
ControlDesign valueLabel(const char* name, const TwipsRect& rect) {
  ControlDesign c = label(name, "100", rect);
  c.alignment = Alignment::Right;
  return c;
}

ControlDesign shape(const char* name, Colour fill, double left) {
  ControlDesign c;
  c.name = name;
  c.kind = ControlKind::Shape;
  c.rect = {left, 600, 1005, 135};
  c.fillColour = fill;
  c.borderColour = Colour::system(SystemColour::WindowText);
  return c;
}

ControlDesign timer1() {
  ControlDesign c;
  c.name = form1::Timer1;
  c.kind = ControlKind::Timer;
  c.timerIntervalMs = 500;
  return c;
}

ControlDesign image5() {
  ControlDesign c;
  c.name = form1::Image5;
  c.kind = ControlKind::Image;
  c.picture = Picture::Logo;
  c.rect = {2565, 15, 1050, 300};
  return c;
}

MenuDesign mnuTray() {
  return MenuDesign{form1::mnuTray, "menu",
                    {{form1::mnuAbout, "ケルモの表示"},
                     {form1::noApp, "ケルモの非表示"},
                     {form1::mnuLine, "-"},
                     {form1::frmTop, "常に手前に表示"},
                     {form1::mnuBlank, "-"},
                     {form1::mnuCputmp, "CPU温度の表示"},
                     {form1::mnuKeikoku, "警告設定"},
                     {form1::mnuBlank2, "-"},
                     {form1::mnuEnd, "ケルモの終了"},
                     {form1::mnuBlank3, "-"},
                     {form1::mnuab, "about"}}};
}

// Legend, value and unit are one item to a screen reader, as the design
// captions read: "100" everywhere.
std::vector<FigureDesign> figures() {
  constexpr int16_t Design = 100;
  return {{form1::TemperatureFigure, {form1::Label1, form1::Label5, form1::Label20}, temperatureReading(Design)},
          {form1::MemoryFigure, {form1::Label13, form1::Label2, form1::Label17}, memoryReading(Design)},
          {form1::ResourcesFigure, {form1::Label14, form1::Label3, form1::Label19}, resourcesReading(Design)},
          {form1::CpuFigure, {form1::Label15, form1::Label16, form1::Label18}, cpuReading(Design)}};
}

}  // namespace

FormDesign form1Design() {
  FormDesign d;
  d.name = form1::Name;
  d.caption = "";
  d.frame = FrameStyle::FixedSingleNoCaption;
  d.showInTaskbar = false;
  d.startPosition = StartPosition::Manual;
  d.clientWidth = Form1ClientWidth;
  d.clientHeight = Form1ClientHeight;
  d.background = Picture::Background;
  d.icon = Picture::Icon;
  d.backColour = Colour::system(SystemColour::ActiveBorder);
  d.controls = {
      timer1(),
      image5(),
      label(form1::Label20, "℃", {960, 120, 195, 180}),
      label(form1::Label19, "%", {2160, 360, 105, 180}),
      label(form1::Label18, "%", {3360, 360, 105, 180}),
      label(form1::Label17, "%", {960, 360, 105, 180}),
      valueLabel(form1::Label5, {615, 120, 315, 180}),
      label(form1::Label1, "TEM", {120, 120, 315, 180}, "CPU温度"),
      shape(form1::Shape3, Red, 2520),
      shape(form1::Shape1, Red, 120),
      valueLabel(form1::Label16, {3015, 360, 315, 180}),
      label(form1::Label15, "CPU", {2520, 360, 315, 180}, "CPU使用率"),
      label(form1::Label14, "S_R", {1320, 360, 315, 180}, "システムリソース使用率"),
      label(form1::Label13, "MEM", {120, 360, 315, 180}, "物理メモリ使用率"),
      valueLabel(form1::Label3, {1815, 360, 315, 180}),
      valueLabel(form1::Label2, {615, 360, 315, 180}),
      shape(form1::Shape2, Blue, 120),
      shape(form1::Shape4, Blue, 2520),
      shape(form1::Shape5, Red, 1320),
      shape(form1::Shape6, Blue, 1320),
  };
  d.accessibleName = "ケルモ";
  d.figures = figures();
  d.menu = mnuTray();
  return d;
}

}  // namespace kerumo
