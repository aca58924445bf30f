#include "platform/com/oleacc.h"

#include <map>
#include <mutex>
#include <utility>

namespace win {

const IID IID_IAccessible{0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
const IID IID_IEnumVARIANT{0x00020404, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void VariantInit(VARIANT* v) {
  if (v) *v = VARIANT();
}

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_INVALIDARG;
  if ((v->vt == VT_UNKNOWN || v->vt == VT_DISPATCH) && v->punkVal) v->punkVal->Release();
  *v = VARIANT();
  return S_OK;
}

HRESULT VariantCopy(VARIANT* dst, const VARIANT* src) {
  if (!dst || !src) return E_INVALIDARG;
  if (src->vt != VT_EMPTY && src->vt != VT_I4 && src->vt != VT_DATE && src->vt != VT_UI8 && src->vt != VT_UNKNOWN &&
      src->vt != VT_DISPATCH)
    return DISP_E_BADVARTYPE;
  if (dst == src) return S_OK;
  VariantClear(dst);
  *dst = *src;
  if ((dst->vt == VT_UNKNOWN || dst->vt == VT_DISPATCH) && dst->punkVal) dst->punkVal->AddRef();
  return S_OK;
}

namespace {

struct Events {
  std::mutex M;
  std::vector<TWinEventRecord> Told;
};
Events& EV() {
  static auto* e = new Events;
  return *e;
}

// Objects handed out through WM_GETOBJECT, waiting for ObjectFromLresult.
struct Cookies {
  std::mutex M;
  std::map<LRESULT, IUnknown*> Objects;
  LRESULT Next = 1;
};
Cookies& CK() {
  static auto* c = new Cookies;
  return *c;
}

}  // namespace

void NotifyWinEvent(uint32_t event, HWND hwnd, int32_t objectId, int32_t childId) {
  std::lock_guard lk(EV().M);
  EV().Told.push_back({event, hwnd, objectId, childId});
}

std::vector<TWinEventRecord> TakeWinEvents() {
  std::lock_guard lk(EV().M);
  return std::exchange(EV().Told, {});
}

LRESULT LresultFromObject(REFIID iid, WPARAM, IUnknown* object) {
  if (!object) return 0;
  IUnknown* held = nullptr;
  if (FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&held))) || !held) return 0;
  std::lock_guard lk(CK().M);
  const LRESULT cookie = CK().Next++;
  CK().Objects[cookie] = held;
  return cookie;
}

HRESULT ObjectFromLresult(LRESULT cookie, REFIID iid, WPARAM, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IUnknown* held = nullptr;
  {
    std::lock_guard lk(CK().M);
    auto it = CK().Objects.find(cookie);
    if (it == CK().Objects.end()) return E_INVALIDARG;
    held = it->second;
    CK().Objects.erase(it);
  }
  const HRESULT hr = held->QueryInterface(iid, out);
  held->Release();
  return hr;
}

HRESULT AccessibleObjectFromWindow(HWND hwnd, uint32_t objectId, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsWindow(hwnd)) return E_INVALIDARG;
  const LRESULT cookie = SendMessage(hwnd, WM_GETOBJECT, 0, LPARAM(int32_t(objectId)));
  if (cookie <= 0) return E_FAIL;
  return ObjectFromLresult(cookie, iid, 0, out);
}

}  // namespace win
