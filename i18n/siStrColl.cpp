#include "i18n/siStrColl.h"

#include "i18n/siComp.h"
#include "platform/rtl/sysutils.h"

void TsiSortCollection::SortItems(const TCompare& compare) {
  if (Count() == 0) return;
  BeginUpdate();
  try {
    QuickSortRange(0, Count() - 1, compare);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TsiSortCollection::QuickSortRange(int32_t l, int32_t r, const TCompare& compare) {
  int32_t i = l;
  do {
    i = l;
    int32_t j = r;
    TCollectionItem* pivot = Items((l + r) / 2);  // the object, wherever it moves
    do {
      while (compare(Items(i), pivot) < 0) ++i;
      while (compare(Items(j), pivot) > 0) --j;
      if (i <= j) {
        TCollectionItem* atJ = Items(j);
        Items(i)->SetIndex(j);
        atJ->SetIndex(i);
        ++i;
        --j;
      }
    } while (i <= j);
    if (l < j) QuickSortRange(l, j, compare);
    l = i;
  } while (i < r);
}

std::string TsiStringsCollectionItem::Text(int32_t language) const {
  return language >= 1 && language <= texts_.Count() ? texts_.Strings(language - 1) : std::string();
}

TsiStringsCollection::TsiStringsCollection(TsiCustomLang* owner)
    : TsiSortCollection(CollectionItemClassOf<TsiStringsCollectionItem>()), owner_(owner) {}

TPersistent* TsiStringsCollection::GetOwner() { return owner_; }

void TsiStringsCollection::SortBySortLanguage() {
  const int32_t language = sortLanguage_;
  if (language == 0) {
    SortItems([](TCollectionItem* a, TCollectionItem* b) {
      return CompareText(static_cast<TsiStringsCollectionItem*>(a)->Ident(),
                         static_cast<TsiStringsCollectionItem*>(b)->Ident());
    });
  } else {
    SortItems([language](TCollectionItem* a, TCollectionItem* b) {
      return CompareStr(static_cast<TsiStringsCollectionItem*>(a)->Text(language),
                        static_cast<TsiStringsCollectionItem*>(b)->Text(language));
    });
  }
}

int32_t TsiStringsCollection::IndexOfIdent(std::string_view ident) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Ident(), ident)) return i;
  return -1;
}

int32_t TsiStringsCollection::Search(const std::function<int32_t(const TsiStringsCollectionItem&)>& compareToKey) const {
  // An empty collection has nothing to compare with.
  if (Count() == 0) return -1;
  int32_t lo = 0, hi = Count() - 1;
  do {
    const int32_t mid = (lo + hi) / 2;
    const int32_t c = compareToKey(*Items(mid));
    if (c == 0) return mid;
    if (c > 0) {
      hi = mid;
    } else if (lo == mid) {
      // Only the next item is left to try.
      return mid + 1 < Count() && compareToKey(*Items(mid + 1)) == 0 ? mid + 1 : -1;
    } else {
      lo = mid;
    }
  } while (lo < hi);
  return -1;
}

int32_t TsiStringsCollection::FindIdent(std::string_view ident) const {
  return Search([ident](const TsiStringsCollectionItem& item) { return CompareText(item.Ident(), ident); });
}

int32_t TsiStringsCollection::FindText(std::string_view text) const {
  const int32_t language = sortLanguage_;
  return Search([text, language](const TsiStringsCollectionItem& item) { return CompareStr(item.Text(language), text); });
}

std::string TsiStringsCollection::FindTextByIdent(std::string_view ident, int32_t language) const {
  const int32_t i = FindIdent(ident);
  return i < 0 ? std::string() : Items(i)->Text(language);
}

std::string TsiStringsCollection::FindTranslation(const std::string& text, int32_t targetLanguage) const {
  const int32_t i = FindText(text);
  if (i < 0) return text;
  std::string result = Items(i)->Text(targetLanguage);
  if (result.empty() && targetLanguage > 1 && owner_) result = owner_->TestModeText(Items(i)->Text(1));
  return result;
}
