#include "platform/win32/win32_accessible.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>

#include <memory>

namespace kerumo::win32 {
namespace {

bool childOf(const VARIANT& child, long count, long* index) {
  if (child.vt != VT_I4 || child.lVal < CHILDID_SELF || child.lVal > count) return false;
  *index = child.lVal;
  return true;
}

HRESULT text(const std::wstring& value, BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (value.empty()) return S_FALSE;
  *out = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT number(long value, VARIANT* out) {
  if (!out) return E_POINTER;
  VariantInit(out);
  out->vt = VT_I4;
  out->lVal = value;
  return S_OK;
}

}  // namespace

// The IAccessible itself: reference-counted by its clients, answering from
// its source for as long as the window has not cut it off.
class AccessibleObject final : public IAccessible {
 public:
  explicit AccessibleObject(AccessibleSource& source) : source_(&source) {}
  void disconnect() { source_ = nullptr; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (!out) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: screen readers call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    return CreateStdAccessibleObject(source_->window(), OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    *count = source_->count();
    return S_OK;
  }
  // The children are simple elements, answered by this object.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    long index = 0;
    if (!source_) return RPC_E_DISCONNECTED;
    return childOf(child, source_->count(), &index) ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem& item) { return text(item.name, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem& item) { return text(item.value, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem&) { return text({}, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    return answer(child, [&](const AccessibleItem& item) { return number(item.role, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    return answer(child, [&](const AccessibleItem& item) { return number(item.state, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem&) { return text({}, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem&) { return text({}, out); });
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!source_) return RPC_E_DISCONNECTED;
    if (GetFocus() != source_->window()) return S_FALSE;
    return number(CHILDID_SELF, out);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    return source_ ? S_FALSE : RPC_E_DISCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return answer(child, [&](const AccessibleItem& item) { return text(item.defaultAction, out); });
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!left || !top || !width || !height) return E_POINTER;
    return answer(child, [&](const AccessibleItem& item) {
      *left = item.screen.left;
      *top = item.screen.top;
      *width = item.screen.right - item.screen.left;
      *height = item.screen.bottom - item.screen.top;
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!source_) return RPC_E_DISCONNECTED;
    long from = 0;
    const long count = source_->count();
    if (!childOf(start, count, &from)) return E_INVALIDARG;
    long to = 0;
    if (from == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD) to = 1;
    else if (from == CHILDID_SELF && direction == NAVDIR_LASTCHILD) to = count;
    else if (from != CHILDID_SELF && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN)) to = from + 1;
    else if (from != CHILDID_SELF && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP)) to = from - 1;
    if (to < 1 || to > count) return S_FALSE;
    return number(to, out);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
    if (!out) return E_POINTER;
    VariantInit(out);
    if (!source_) return RPC_E_DISCONNECTED;
    const POINT at{x, y};
    for (long i = 1; i <= source_->count(); ++i) {
      const AccessibleItem item = source_->item(i);
      if (!(item.state & STATE_SYSTEM_INVISIBLE) && PtInRect(&item.screen, at)) return number(i, out);
    }
    const AccessibleItem self = source_->item(CHILDID_SELF);
    return PtInRect(&self.screen, at) ? number(CHILDID_SELF, out) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return answer(child, [&](const AccessibleItem& item) {
      if (item.defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
      source_->doDefaultAction(child.lVal);
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  template <class Reply>
  HRESULT answer(const VARIANT& child, Reply reply) {
    if (!source_) return RPC_E_DISCONNECTED;
    long index = 0;
    if (!childOf(child, source_->count(), &index)) return E_INVALIDARG;
    return reply(source_->item(index));
  }

  ULONG references_ = 1;
  AccessibleSource* source_;
};

AccessibleServer::~AccessibleServer() {
  if (!object_) return;
  object_->disconnect();
  object_->Release();
}

AccessibleObject* AccessibleServer::object() {
  if (!object_) object_ = new AccessibleObject(source_);
  return object_;
}

LRESULT AccessibleServer::answer(WPARAM wParam, LPARAM lParam) {
  if (static_cast<long>(lParam) != OBJID_CLIENT) return DefWindowProcW(source_.window(), WM_GETOBJECT, wParam, lParam);
  return LresultFromObject(IID_IAccessible, wParam, object());
}

LRESULT AccessibleServer::direct() {
  // A pointer means something only in this process, and the object lives in
  // this thread's apartment: another thread or program gets no answer and
  // so holds no reference.
  if (InSendMessage()) return 0;
  IAccessible* given = object();
  given->AddRef();
  return reinterpret_cast<LRESULT>(given);
}

UINT directObjectMessage() {
  static const UINT message = RegisterWindowMessageW(L"KerumoClientAccessibleObject");
  return message;
}

void notifyChanged(HWND window, long child) {
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, OBJID_CLIENT, child);
}

namespace {

struct ChildAnswer {
  std::unique_ptr<AccessibleSource> source;
  AccessibleServer server;
  explicit ChildAnswer(AccessibleSource* s) : source(s), server(*s) {}
};

LRESULT CALLBACK answeringChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
  auto* answer = reinterpret_cast<ChildAnswer*>(data);
  if (message == WM_GETOBJECT && static_cast<long>(lParam) == OBJID_CLIENT) return answer->server.answer(wParam, lParam);
  if (message == directObjectMessage()) return answer->server.direct();
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(child, answeringChild, id);
    delete answer;
  }
  return DefSubclassProc(child, message, wParam, lParam);
}

}  // namespace

void answerAccessibility(HWND child, AccessibleSource* source) {
  SetWindowSubclass(child, answeringChild, 2, reinterpret_cast<DWORD_PTR>(new ChildAnswer(source)));
}

}  // namespace kerumo::win32
