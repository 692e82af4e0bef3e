#pragma once
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <string>

#include "platform/form_colours.h"
#include "platform/form_design.h"
#include "platform/form_layout.h"

namespace kerumo::qt {

// Qt works in device-independent pixels, which are 96-DPI pixels.
inline constexpr double TwipsPerPixel = 15;

int toPixels(double twips);
double toTwips(int pixels);
QRect toPixels(const TwipsRect& rect);
PixelBox toPixelBox(const QRect& rect);
QRect toQRect(const PixelBox& box);

QString toQString(const std::string& utf8);
QColor toQColor(Colour colour);
// Dark when the theme's button face, the dialogs' background, is. Qt does
// not say whether the desktop asks for high contrast.
DesktopColours desktopColours();
// The design's Japanese gothic where present, else the closest one Debian
// ships: Qt does not alias these family names by itself.
QFont toQFont(const FontDesign& font);
QPixmap toQPixmap(Picture picture);

}  // namespace kerumo::qt
