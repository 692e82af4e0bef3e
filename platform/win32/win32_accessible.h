#pragma once
#include <string>

#include "platform/win32/win32_api.h"

namespace kerumo::win32 {

// One item as a screen reader hears it.
struct AccessibleItem {
  std::wstring name;
  std::wstring value;
  long role = 0;   // ROLE_SYSTEM_*
  long state = 0;  // STATE_SYSTEM_*
  RECT screen{};   // where it is on the screen
  std::wstring defaultAction;
};

// What the accessible object of a window asks of it. Item 0 is the
// window's client area itself, items 1 to count() its simple children.
class AccessibleSource {
 public:
  virtual ~AccessibleSource() = default;
  virtual HWND window() const = 0;
  virtual long count() const { return 0; }
  virtual AccessibleItem item(long child) const = 0;
  virtual void doDefaultAction(long) {}
};

class AccessibleObject;

// The window's answer to WM_GETOBJECT for its client area: an IAccessible
// over `source`, made at the first question. When this goes, the object
// is cut off from the window, so a screen reader still holding it hears
// that it is gone rather than reading a destroyed window.
class AccessibleServer {
 public:
  explicit AccessibleServer(AccessibleSource& source) : source_(source) {}
  ~AccessibleServer();
  AccessibleServer(const AccessibleServer&) = delete;
  AccessibleServer& operator=(const AccessibleServer&) = delete;

  // Answers WM_GETOBJECT; other objects than the client area go to the
  // window system's default.
  LRESULT answer(WPARAM wParam, LPARAM lParam);
  // The answer to directObjectMessage().
  LRESULT direct();

 private:
  AccessibleObject* object();

  AccessibleSource& source_;
  AccessibleObject* object_ = nullptr;
};

// The window's own thread may take its client object itself with this
// message (the object, with a reference for the caller, or 0): wine's
// oleacc cannot hand a custom IAccessible over through LresultFromObject,
// as it has no stub for the interface.
UINT directObjectMessage();

// Tells screen readers that an item's name and value changed.
void notifyChanged(HWND window, long child);

// Answers WM_GETOBJECT of `child`, a window of the system's own class,
// with `source` while `child` lives; `source` is deleted with it.
void answerAccessibility(HWND child, AccessibleSource* source);

}  // namespace kerumo::win32
