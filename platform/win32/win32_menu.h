#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/form_design.h"
#include "platform/win32/win32_handles.h"

namespace kerumo::win32 {

// The form's menu, only ever popped up (the forms have no menu bar).
class PopupMenu {
 public:
  explicit PopupMenu(const MenuDesign& design);
  void setChecked(const std::string& item, bool checked);
  // Shows the menu at the pointer; the chosen item's name, if any.
  std::optional<std::string> track(HWND owner);

 private:
  UniqueMenu menu_;
  std::map<std::string, UINT> ids_;
  std::map<UINT, std::string> names_;
};

}  // namespace kerumo::win32
