// The accessibility base: variants, IDispatch, IAccessible and IEnumVARIANT,
// window events told to accessibility clients (recorded, since no client
// listens on this platform), and reaching a window's accessible object.
// Texts are UTF-8 where the platform passes BSTRs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/com.h"
#include "platform/win/winuser.h"

namespace win {

extern const IID IID_IAccessible, IID_IEnumVARIANT;

using VARTYPE = uint16_t;
constexpr VARTYPE VT_EMPTY = 0, VT_I4 = 3, VT_DATE = 7, VT_DISPATCH = 9, VT_UNKNOWN = 13, VT_UI8 = 21;

struct IDispatch;

// A variant of the kinds the accessibility and shell-detail calls exchange
// (a date counts days since 1899-12-30 in local time). A variant
// holding an interface holds one reference, dropped by VariantClear.
struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  union {
    int32_t lVal = 0;
    uint64_t ullVal;
    double date;
    IUnknown* punkVal;
    IDispatch* pdispVal;
  };
};
void VariantInit(VARIANT* v);
// Releases a held interface and empties the variant.
HRESULT VariantClear(VARIANT* v);
// dst (cleared first) becomes a copy of src; an interface gains a reference.
// DISP_E_BADVARTYPE for a kind this platform does not know.
HRESULT VariantCopy(VARIANT* dst, const VARIANT* src);
inline VARIANT VariantI4(int32_t value) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

struct IDispatch : IUnknown {
  virtual HRESULT GetTypeInfoCount(uint32_t* count) = 0;
  virtual HRESULT GetTypeInfo(uint32_t index, uint32_t locale, IUnknown** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID iid, const char* const* names, uint32_t count, uint32_t locale,
                                int32_t* ids) = 0;
  virtual HRESULT Invoke(int32_t id, REFIID iid, uint32_t locale, uint16_t flags, void* params, VARIANT* result,
                         void* exception, uint32_t* argError) = 0;

protected:
  ~IDispatch() = default;
};

struct IAccessible : IDispatch {
  virtual HRESULT get_accParent(IDispatch** parent) = 0;
  virtual HRESULT get_accChildCount(int32_t* count) = 0;
  virtual HRESULT get_accChild(VARIANT child, IDispatch** out) = 0;
  virtual HRESULT get_accName(VARIANT child, std::string* name) = 0;
  virtual HRESULT get_accValue(VARIANT child, std::string* value) = 0;
  virtual HRESULT get_accDescription(VARIANT child, std::string* text) = 0;
  virtual HRESULT get_accRole(VARIANT child, VARIANT* role) = 0;
  virtual HRESULT get_accState(VARIANT child, VARIANT* state) = 0;
  virtual HRESULT get_accHelp(VARIANT child, std::string* help) = 0;
  virtual HRESULT get_accHelpTopic(std::string* file, VARIANT child, int32_t* topic) = 0;
  virtual HRESULT get_accKeyboardShortcut(VARIANT child, std::string* shortcut) = 0;
  virtual HRESULT get_accFocus(VARIANT* child) = 0;
  virtual HRESULT get_accSelection(VARIANT* children) = 0;
  virtual HRESULT get_accDefaultAction(VARIANT child, std::string* action) = 0;
  virtual HRESULT accSelect(int32_t flags, VARIANT child) = 0;
  virtual HRESULT accLocation(int32_t* left, int32_t* top, int32_t* width, int32_t* height, VARIANT child) = 0;
  virtual HRESULT accNavigate(int32_t direction, VARIANT start, VARIANT* end) = 0;
  virtual HRESULT accHitTest(int32_t x, int32_t y, VARIANT* child) = 0;
  virtual HRESULT accDoDefaultAction(VARIANT child) = 0;
  virtual HRESULT put_accName(VARIANT child, const std::string& name) = 0;
  virtual HRESULT put_accValue(VARIANT child, const std::string& value) = 0;

protected:
  ~IAccessible() = default;
};

struct IEnumVARIANT : IUnknown {
  virtual HRESULT Next(uint32_t count, VARIANT* items, uint32_t* fetched) = 0;
  virtual HRESULT Skip(uint32_t count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumVARIANT** out) = 0;

protected:
  ~IEnumVARIANT() = default;
};

constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003u);
constexpr HRESULT DISP_E_BADVARTYPE = HRESULT(0x80020008u);

constexpr int32_t OBJID_WINDOW = 0, OBJID_CLIENT = -4, OBJID_MENU = -3, OBJID_CARET = -8;
constexpr int32_t CHILDID_SELF = 0;
constexpr uint32_t EVENT_SYSTEM_MENUSTART = 0x0004, EVENT_SYSTEM_MENUEND = 0x0005,
                   EVENT_SYSTEM_MENUPOPUPSTART = 0x0006, EVENT_SYSTEM_MENUPOPUPEND = 0x0007,
                   EVENT_OBJECT_CREATE = 0x8000, EVENT_OBJECT_DESTROY = 0x8001, EVENT_OBJECT_SHOW = 0x8002,
                   EVENT_OBJECT_HIDE = 0x8003, EVENT_OBJECT_FOCUS = 0x8005, EVENT_OBJECT_SELECTION = 0x8006,
                   EVENT_OBJECT_STATECHANGE = 0x800A, EVENT_OBJECT_NAMECHANGE = 0x800C,
                   EVENT_OBJECT_VALUECHANGE = 0x800E;

// Tells accessibility clients of an event; none listens here, so it is recorded.
void NotifyWinEvent(uint32_t event, HWND hwnd, int32_t objectId, int32_t childId);
struct TWinEventRecord {
  uint32_t Event;
  HWND Hwnd;
  int32_t ObjectId, ChildId;
};
// The events told since the last call, oldest first; the record is emptied.
std::vector<TWinEventRecord> TakeWinEvents();

// How a window answers WM_GETOBJECT: a cookie for the object (one reference
// kept until ObjectFromLresult takes it); 0 when the object does not have iid.
LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
// The object of a cookie as iid; the cookie is used up. E_INVALIDARG for an unknown cookie.
HRESULT ObjectFromLresult(LRESULT cookie, REFIID iid, WPARAM wParam, void** out);
// Sends WM_GETOBJECT with the object id; the window's object, or E_FAIL when
// it has none to give (this platform makes no default proxy).
HRESULT AccessibleObjectFromWindow(HWND hwnd, uint32_t objectId, REFIID iid, void** out);

}  // namespace win
