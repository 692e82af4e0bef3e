#pragma once
#include <string>

#include "platform/form_window.h"

namespace kerumo::testing {

// A form's handlers for tests that only build or look at a window.
struct NoFormEvents : FormEvents {
  void onMouseDown(const std::string&, int, int, double, double) override {}
  void onMouseMove(const std::string&, int, int, double, double, MoveOrigin) override {}
  void onDoubleClick(const std::string&) override {}
  void onClick(const std::string&) override {}
  void onKeyPress(const std::string&, int&) override {}
  void onTimer(const std::string&) override {}
  void onMenuCommand(const std::string&) override {}
  void onUnload() override {}
};

}  // namespace kerumo::testing
