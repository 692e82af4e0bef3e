#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kerumo {

// Positions and sizes are twips (1/1440 inch), as the forms are designed.
struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool operator==(const TwipsRect&) const = default;
};

// A colour either given explicitly in the window system's 0x00BBGGRR order
// or taken from the user's system colours by index.
struct Colour {
  enum class Kind { Explicit, System };
  Kind kind = Kind::System;
  uint32_t value = 0;

  static Colour bgr(uint32_t bbggrr) { return {Kind::Explicit, bbggrr}; }
  static Colour system(uint32_t index) { return {Kind::System, index}; }
  bool operator==(const Colour&) const = default;
};

namespace SystemColour {
inline constexpr uint32_t Window = 5;
inline constexpr uint32_t WindowText = 8;
inline constexpr uint32_t ActiveBorder = 10;
inline constexpr uint32_t ButtonFace = 15;
inline constexpr uint32_t ButtonText = 18;
inline constexpr uint32_t HotLight = 26;  // hot-tracked items: links under the pointer
}  // namespace SystemColour

// The designs' two Japanese gothics: fixed pitch for text, proportional for
// buttons. Backends that lack them pick the nearest installed gothic.
inline constexpr const char* GothicFamily = "ＭＳ ゴシック";
inline constexpr const char* PGothicFamily = "ＭＳ Ｐゴシック";

struct FontDesign {
  std::string family;
  double points = 9;
  bool bold = false;
  bool underline = false;
  bool operator==(const FontDesign&) const = default;
};

// Pictures are ours and built into the program; forms refer to them by name.
enum class Picture { None, Background, Logo, Icon };

enum class ControlKind { Timer, Image, Label, Shape, CheckBox, TextBox, Button };
enum class Alignment { Left, Right };

struct ControlDesign {
  std::string name;
  ControlKind kind = ControlKind::Label;
  std::string caption;
  TwipsRect rect;
  FontDesign font;
  Colour foreColour = Colour::system(SystemColour::ButtonText);
  Colour fillColour = Colour::system(SystemColour::ButtonFace);
  Colour borderColour = Colour::system(SystemColour::WindowText);
  Alignment alignment = Alignment::Left;
  bool autoSize = false;
  bool transparent = false;  // lets the form's picture show around the text
  std::string toolTip;
  Picture picture = Picture::None;
  int timerIntervalMs = 0;
  int tabIndex = -1;
  bool enabled = true;
  bool visible = true;
  bool inputMethod = true;  // false: the field takes no input-method composition
  // The label whose caption names this control to a screen reader.
  std::string labelledBy;
  // A label that opens its caption: reached with Tab, opened with Enter,
  // read out as a link.
  bool link = false;
};

// What a screen reader hears of one figure: the name says what it is, its
// value and its unit in one sentence; the value alone as text and number.
struct FigureReading {
  std::string name;
  std::string value;
  std::optional<int> number;  // none when there is no reading
  bool operator==(const FigureReading&) const = default;
};

// Labels read out together as one item, never one by one.
struct FigureDesign {
  std::string name;
  std::vector<std::string> controls;
  FigureReading reading;  // what the design's captions say
};

struct MenuItemDesign {
  std::string name;
  std::string caption;  // "-" makes a separator
  bool checked = false;
  bool enabled = true;
  bool visible = true;
};

struct MenuDesign {
  std::string name;
  std::string caption;
  std::vector<MenuItemDesign> items;

  const MenuItemDesign* item(const std::string& itemName) const {
    const auto it = std::find_if(items.begin(), items.end(), [&](const auto& i) { return i.name == itemName; });
    return it == items.end() ? nullptr : &*it;
  }
};

enum class FrameStyle {
  FixedSingleNoCaption,  // thin fixed frame, no title bar
  FixedToolWindow,       // small title bar, no buttons, fixed size
  SizableNoCaption,      // resizable frame, no title bar
};

enum class StartPosition { Manual, CenterScreen };

struct FormDesign {
  std::string name;
  std::string caption;
  FrameStyle frame = FrameStyle::FixedSingleNoCaption;
  bool showInTaskbar = true;
  StartPosition startPosition = StartPosition::Manual;
  double clientWidth = 0;  // twips
  double clientHeight = 0;
  Picture background = Picture::None;
  Picture icon = Picture::None;
  Colour backColour = Colour::system(SystemColour::ButtonFace);
  std::vector<ControlDesign> controls;  // in creation order; earlier ones lie on top
  // The window's name for a screen reader where its caption is empty.
  std::string accessibleName;
  std::vector<FigureDesign> figures;  // in reading order
  std::optional<MenuDesign> menu;

  const ControlDesign* control(const std::string& controlName) const {
    const auto it = std::find_if(controls.begin(), controls.end(), [&](const auto& c) { return c.name == controlName; });
    return it == controls.end() ? nullptr : &*it;
  }
  const FigureDesign* figure(const std::string& figureName) const {
    const auto it = std::find_if(figures.begin(), figures.end(), [&](const auto& f) { return f.name == figureName; });
    return it == figures.end() ? nullptr : &*it;
  }
  const MenuItemDesign* menuItem(const std::string& itemName) const { return menu ? menu->item(itemName) : nullptr; }
};

}  // namespace kerumo
