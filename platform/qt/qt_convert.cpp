#include "platform/qt/qt_convert.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

#include "platform/picture_data.h"

namespace kerumo::qt {

int toPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

double toTwips(int pixels) { return pixels * TwipsPerPixel; }

QRect toPixels(const TwipsRect& r) {
  return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

PixelBox toPixelBox(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

QRect toQRect(const PixelBox& b) { return {b.left, b.top, b.width, b.height}; }

QString toQString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QColor toQColor(Colour colour) {
  if (colour.kind == Colour::Kind::Explicit) {
    const uint32_t v = colour.value;
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
  }
  const QPalette palette = QApplication::palette();
  switch (colour.value) {
    case SystemColour::WindowText: return palette.color(QPalette::WindowText);
    case SystemColour::ButtonText: return palette.color(QPalette::ButtonText);
    case SystemColour::ButtonFace: return palette.color(QPalette::Button);
    case SystemColour::ActiveBorder: return palette.color(QPalette::Mid);
    case SystemColour::HotLight: return palette.color(QPalette::Link);
    default: return palette.color(QPalette::Window);
  }
}

DesktopColours desktopColours() {
  constexpr int HalfLight = 128;
  return QApplication::palette().color(QPalette::Button).lightness() < HalfLight ? DesktopColours::DarkTheme
                                                                                  : DesktopColours::Designed;
}

QFont toQFont(const FontDesign& wanted) {
  const bool proportional = wanted.family == PGothicFamily;
  QStringList families{toQString(wanted.family)};
  if (proportional) {
    families << "MS PGothic" << "IPAPGothic" << "IPAexGothic" << "Noto Sans CJK JP" << "VL PGothic";
  } else {
    families << "MS Gothic" << "IPAGothic" << "Noto Sans Mono CJK JP" << "Noto Sans CJK JP" << "VL Gothic";
  }
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(static_cast<int>(std::lround(wanted.points * 20 / TwipsPerPixel)));
  font.setBold(wanted.bold);
  font.setUnderline(wanted.underline);
  font.setStyleStrategy(QFont::PreferDefault);
  return font;
}

QPixmap toQPixmap(Picture picture) {
  const std::string_view data = pictureData(picture);
  QPixmap pixmap;
  pixmap.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<uint>(data.size()),
                      picture == Picture::Icon ? "ICO" : "GIF");
  return pixmap;
}

}  // namespace kerumo::qt
