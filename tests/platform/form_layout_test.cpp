// Where controls, dialogs and work areas go on screen, and in which colours.
#include "platform/form_colours.h"
#include "platform/form_layout.h"
#include "platform/screen_areas.h"

#include <gtest/gtest.h>

namespace kerumo {
namespace {

ControlDesign control(const char* name, ControlKind kind, int tabIndex) {
  ControlDesign c;
  c.name = name;
  c.kind = kind;
  c.tabIndex = tabIndex;
  return c;
}

TEST(FormLayout, TabSkipsLabelsAndKeepsCreationOrderAmongEqualIndexes) {
  FormDesign d;
  d.controls = {control("Button2", ControlKind::Button, 3), control("Label1", ControlKind::Label, 0),
                control("Text1", ControlKind::TextBox, 3), control("Check1", ControlKind::CheckBox, 1),
                control("Button1", ControlKind::Button, -1)};
  EXPECT_EQ(tabOrder(d), (std::vector<std::string>{"Button1", "Check1", "Button2", "Text1"}));
}

TEST(FormLayout, AnAutoSizedLabelFitsItsTextOnTheSideItsAlignmentNames) {
  const PixelBox design{41, 8, 21, 12};
  const struct {
    Alignment alignment;
    bool autoSize;
    int textWidth, textHeight;
    PixelBox box;
  } cases[] = {
      {Alignment::Right, true, 7, 12, {55, 8, 7, 12}},    // one digit keeps the right edge
      {Alignment::Right, true, 21, 12, {41, 8, 21, 12}},
      {Alignment::Right, true, 30, 13, {32, 8, 30, 13}},  // wider than its box grows to the left
      {Alignment::Left, true, 7, 12, {41, 8, 7, 12}},
      {Alignment::Left, true, 30, 12, {41, 8, 30, 12}},
      {Alignment::Right, false, 7, 12, design},           // not auto-sized: the design box
      {Alignment::Left, false, 30, 12, design},
  };
  for (const auto& c : cases) {
    ControlDesign label;
    label.alignment = c.alignment;
    label.autoSize = c.autoSize;
    EXPECT_EQ(labelBox(label, design, c.textWidth, c.textHeight), c.box) << c.textWidth;
  }
}

TEST(FormLayout, CentringSplitsTheSpareRoomOfTheWorkArea) {
  const struct {
    PixelBox area;
    int width, height;
    PixelPoint origin;
  } cases[] = {
      {{0, 0, 1920, 1050}, 222, 174, {849, 438}},
      {{0, 0, 1920, 1050}, 223, 175, {848, 437}},   // an odd pixel goes right and down
      {{1920, 30, 1280, 994}, 240, 320, {2440, 367}},
      {{0, 0, 200, 100}, 300, 150, {-50, -25}},     // larger than the area: overhangs evenly
  };
  for (const auto& c : cases) EXPECT_EQ(centredOrigin(c.area, c.width, c.height), c.origin) << c.width;
}

// Text over the picture stays as dark as the picture was made for, except
// in high contrast, where the picture goes; links never vanish.
TEST(FormColours, TextOverThePictureKeepsItsDarkTextAndLinksTakeTheSystemsColoursOffTheDesign) {
  using enum DesktopColours;
  FormDesign pictured;
  pictured.background = Picture::Background;
  pictured.backColour = Colour::system(SystemColour::ActiveBorder);
  const FormDesign plain;
  ControlDesign label = control("Label1", ControlKind::Label, -1);
  label.transparent = true;
  const ControlDesign shape = control("Shape1", ControlKind::Shape, -1);
  const Colour buttonText = Colour::system(SystemColour::ButtonText);
  const Colour black = Colour::bgr(0);
  const Colour blue = Colour::bgr(0xFF0000);
  const struct {
    const FormDesign& form;
    const ControlDesign& control;
    Colour designed;
    DesktopColours desktop;
    Colour shown;
  } cases[] = {
      {pictured, label, buttonText, Designed, black},
      {pictured, label, buttonText, DarkTheme, black},
      {pictured, label, buttonText, HighContrast, buttonText},
      {pictured, shape, Colour::system(SystemColour::WindowText), DarkTheme, black},
      {pictured, shape, Colour::bgr(0x0000FF), HighContrast, Colour::bgr(0x0000FF)},  // the bars keep red
      {plain, label, buttonText, DarkTheme, buttonText},                              // dialogs follow the theme
  };
  for (const auto& c : cases) EXPECT_EQ(shownColour(c.form, c.control, c.designed, c.desktop), c.shown);
  EXPECT_TRUE(drawsPicture(pictured, DarkTheme));
  EXPECT_FALSE(drawsPicture(pictured, HighContrast));
  EXPECT_EQ(shownBackColour(pictured, HighContrast), Colour::system(SystemColour::ButtonFace));
  EXPECT_EQ(shownBackColour(pictured, DarkTheme), pictured.backColour);
  EXPECT_EQ(shownLinkColour(black, Designed), black);
  EXPECT_EQ(shownLinkColour(blue, Designed), blue);
  EXPECT_EQ(shownLinkColour(black, DarkTheme), Colour::system(SystemColour::WindowText));
  EXPECT_EQ(shownLinkColour(blue, HighContrast), Colour::system(SystemColour::HotLight));
}

TEST(ScreenAreas, PrimaryComesFirstAndTheOthersKeepTheirOrder) {
  const PixelBox left{-1280, 0, 1280, 1024};
  const PixelBox primary{0, 0, 1920, 1050};
  const PixelBox right{1920, 30, 1280, 994};
  const struct {
    std::vector<ScreenArea> screens;
    double twipsPerPixel;
    std::vector<TwipsRect> areas;
  } cases[] = {
      {{{primary, true}}, 15, {{0, 0, 28800, 15750}}},
      {{{left, false}, {primary, true}, {right, false}},
       15,
       {{0, 0, 28800, 15750}, {-19200, 0, 19200, 15360}, {28800, 450, 19200, 14910}}},
      {{{right, false}, {left, false}}, 15, {{28800, 450, 19200, 14910}, {-19200, 0, 19200, 15360}}},
      {{{primary, true}}, 10, {{0, 0, 19200, 10500}}},  // 144 dots per inch
      {{}, 15, {{0, 0, 1024 * 15, 768 * 15}}},           // no screen listed: the fallback
      {{}, 10, {{0, 0, 10240, 7680}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(workAreasPrimaryFirst(c.screens, c.twipsPerPixel), c.areas) << c.screens.size();
  }
}

}  // namespace
}  // namespace kerumo
