// What the folder object and the UI objects share beyond platform/shell/places.h.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/shell/folders/shlobj.h"

namespace win {

// An enumerator (IEnumIDList, IEnumFORMATETC) over a snapshot of values;
// Give makes what Next hands out of one value, false when it cannot.
template <class I, class T, class Out, const IID& Iid, bool (*Give)(const T&, Out&)>
class TSnapshotEnumerator final : public TComObject<I> {
public:
  explicit TSnapshotEnumerator(std::vector<T> values, size_t pos = 0) : values_(std::move(values)), pos_(pos) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == Iid) return AnswerInterface<I>(this, out);
    return E_NOINTERFACE;
  }
  HRESULT Next(uint32_t count, Out* out, uint32_t* fetched) override {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    uint32_t n = 0;
    while (n < count && pos_ < values_.size() && Give(values_[pos_], out[n])) ++n, ++pos_;
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT Skip(uint32_t count) override {
    const size_t left = values_.size() - pos_;
    pos_ += std::min<size_t>(count, left);
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT Reset() override {
    pos_ = 0;
    return S_OK;
  }
  HRESULT Clone(I** out) override {
    if (!out) return E_POINTER;
    return AnswerInterface<I>(new TSnapshotEnumerator(values_, pos_), reinterpret_cast<void**>(out));
  }

private:
  std::vector<T> values_;
  size_t pos_;
};

HRESULT DetailValue(const SHCOLUMNID& id, const TPidlItem& item, VARIANT* value);

// A NUL-ended copy of text in task memory, as the shell hands strings out; null when memory is short.
char* TaskMemText(const std::string& text);

// The names of a DROPFILES block (CF_HDROP), every offset checked against
// size; nothing when it is malformed.
std::optional<std::vector<std::string>> FilesOfDropBlock(const uint8_t* block, size_t size);

// The drop target of a directory or the Trash; E_NOINTERFACE for other places.
HRESULT FolderDropTarget(const TFolderPlace& place, void** out);

// GetUIObjectOf's objects for items of place.
HRESULT UIObjectOf(const TFolderPlace& place, HWND owner, UINT count, PCIDL* pidls, REFIID iid, void** out);

}  // namespace win
