// The Strings lines of a translation component kept a second time as sorted
// collections, so that identifier lookups and the translation of resource
// strings are binary searches.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/classes/collection.h"
#include "platform/classes/strings.h"

class TsiCustomLang;

// A collection that sorts by moving its items (Hoare quicksort).
class TsiSortCollection : public TCollection {
  DX_CLASS(TsiSortCollection, TCollection)
public:
  using TCompare = std::function<int32_t(TCollectionItem* a, TCollectionItem* b)>;
  using TCollection::TCollection;
  void SortItems(const TCompare& compare);

protected:
  virtual void QuickSortRange(int32_t l, int32_t r, const TCompare& compare);
};

class TsiStringsCollectionItem : public TCollectionItem {
  DX_CLASS(TsiStringsCollectionItem, TCollectionItem)
public:
  explicit TsiStringsCollectionItem(TCollection* collection) : TCollectionItem(collection) {}
  // Entry k - 1 holds the text of language k.
  TStringList* LanguageTexts() { return &texts_; }
  const std::string& Ident() const { return ident_; }
  void SetIdent(const std::string& v) { ident_ = v; }
  // The text of language k; empty beyond the entries.
  std::string Text(int32_t language) const;

private:
  TStringList texts_;
  std::string ident_;
};

class TsiStringsCollection : public TsiSortCollection {
  DX_CLASS(TsiStringsCollection, TsiSortCollection)
public:
  explicit TsiStringsCollection(TsiCustomLang* owner);
  TPersistent* GetOwner() override;
  TsiStringsCollectionItem* Add() { return static_cast<TsiStringsCollectionItem*>(TCollection::Add()); }
  TsiStringsCollectionItem* Items(int32_t i) const {
    return static_cast<TsiStringsCollectionItem*>(TCollection::Items(i));
  }
  // 0: ordered by Ident; k > 0: by the text of language k.
  int32_t SortLanguage() const { return sortLanguage_; }
  void SetSortLanguage(int32_t v) { sortLanguage_ = v; }
  void SortBySortLanguage();

  // Linear, ignoring ASCII case; -1 when none.
  int32_t IndexOfIdent(std::string_view ident) const;
  // Binary searches over a collection sorted by Ident, or by SortLanguage's text; -1 when none.
  int32_t FindIdent(std::string_view ident) const;
  int32_t FindText(std::string_view text) const;
  // The text of language of the item ident names; empty when none.
  std::string FindTextByIdent(std::string_view ident, int32_t language) const;
  // The targetLanguage text of the item whose SortLanguage text is text (the
  // test-mode text of its language-1 text when empty and test mode is on);
  // text itself when none.
  std::string FindTranslation(const std::string& text, int32_t targetLanguage) const;

private:
  int32_t Search(const std::function<int32_t(const TsiStringsCollectionItem&)>& compareToKey) const;
  TsiCustomLang* owner_;
  int32_t sortLanguage_ = 0;
};
