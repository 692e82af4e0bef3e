#pragma once
#include <string_view>

#include "platform/form_design.h"

namespace kerumo {

// The encoded file (GIF or ICO) of one of the program's own pictures.
std::string_view pictureData(Picture picture);

}  // namespace kerumo
