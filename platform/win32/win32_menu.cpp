#include "platform/win32/win32_menu.h"

#include "platform/win32/win32_text.h"

namespace kerumo::win32 {
namespace {

// Zero means "nothing chosen" to TrackPopupMenu.
constexpr UINT FirstItemId = 1000;

}  // namespace

PopupMenu::PopupMenu(const MenuDesign& design) : menu_(CreatePopupMenu()) {
  UINT id = FirstItemId;
  for (const MenuItemDesign& item : design.items) {
    if (!item.visible) continue;
    if (item.caption == "-") {
      AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) | (item.enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu_.get(), flags, id, widen(item.caption).c_str());
    ids_[item.name] = id;
    names_[id] = item.name;
    ++id;
  }
}

void PopupMenu::setChecked(const std::string& item, bool checked) {
  const auto it = ids_.find(item);
  if (it != ids_.end()) CheckMenuItem(menu_.get(), it->second, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::optional<std::string> PopupMenu::track(HWND owner) {
  POINT at{};
  GetCursorPos(&at);
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
  // Lets a menu opened from the tray close when the user clicks elsewhere.
  PostMessageW(owner, WM_NULL, 0, 0);
  const auto it = names_.find(chosen);
  if (it == names_.end()) return std::nullopt;
  return it->second;
}

}  // namespace kerumo::win32
