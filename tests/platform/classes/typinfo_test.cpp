#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/classes/component.h"
#include "platform/classes/typinfo.h"

namespace {

enum TShapeKind : uint8_t { skCircle, skSquare, skStar };
enum TShapeFlag : uint8_t { sfFilled, sfShadow, sfOutline };

class TShape : public TPersistent {
  DX_CLASS(TShape, TPersistent)
public:
  int32_t Width() const { return width_; }
  void SetWidth(int32_t v) {
    width_ = v;
    ++setterCalls;
  }
  TShapeKind Kind() const { return kind_; }
  void SetKind(TShapeKind v) {
    kind_ = v;
    ++setterCalls;
  }
  uint32_t Flags() const { return flags_; }
  void SetFlags(uint32_t v) {
    flags_ = v;
    ++setterCalls;
  }
  std::string Label() const { return label_; }
  void SetLabel(const std::string& v) {
    label_ = v;
    ++setterCalls;
  }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) {
    ratio_ = v;
    ++setterCalls;
  }
  int64_t Serial() const { return serial_; }
  void SetSerial(int64_t v) {
    serial_ = v;
    ++setterCalls;
  }
  TShape* Next() const { return next_; }
  void SetNext(TShape* v) {
    next_ = v;
    ++setterCalls;
  }
  int32_t Area() const { return width_ * width_; }
  bool HasLabel() const { return !label_.empty(); }
  std::function<void(TObject*)> OnChange;
  std::function<int(int)> OnMeasure;
  std::function<void(TObject*)> OnResize;  // published by TSquare only
  void Changed(TObject*) { ++changes; }
  int Twice(int v) { return 2 * v; }

  int setterCalls = 0;
  int changes = 0;

private:
  int32_t width_ = 10;
  TShapeKind kind_ = skCircle;
  uint32_t flags_ = 0;
  std::string label_;
  double ratio_ = 0;
  int64_t serial_ = 0;
  TShape* next_ = nullptr;
};

class TSquare : public TShape {
  DX_CLASS(TSquare, TShape)
public:
  int32_t Alpha() const { return 1; }
  void SetAlpha(int32_t) {}
};

PTypeInfo FlagsType() {
  static PTypeInfo t = DefineSetType("TShapeFlags", DefineEnumType<TShapeFlag>("TShapeFlag", {"sfFilled", "sfShadow", "sfOutline"}));
  return t;
}

void RegisterShapes() {
  static std::once_flag once;
  std::call_once(once, [] {
    DefineEnumType<TShapeKind>("TShapeKind", {"skCircle", "skSquare", "skStar"});
    Published<TShape>()
        .Int("Width", &TShape::Width, &TShape::SetWidth, 10)
        .Enum("Kind", &TShape::Kind, &TShape::SetKind, skCircle)
        .Set("Flags", &TShape::Flags, &TShape::SetFlags, FlagsType(), 0)
        .Str("Label", &TShape::Label, &TShape::SetLabel)
        .Stored(&TShape::HasLabel)
        .Float("Ratio", &TShape::Ratio, &TShape::SetRatio)
        .Int("Serial", &TShape::Serial, &TShape::SetSerial)
        .Obj("Next", &TShape::Next, &TShape::SetNext)
        .Int("Area", &TShape::Area, nullptr)
        .Event("OnChange", &TShape::OnChange)
        .Event("OnMeasure", &TShape::OnMeasure, "TMeasureEvent")
        .Method("Changed", &TShape::Changed)
        .Method("Twice", &TShape::Twice);
    // A descendant declares Alpha and gives Width a new default in its old place.
    Published<TSquare>()
        .Int("Alpha", &TSquare::Alpha, &TSquare::SetAlpha)
        .Int("Width", &TShape::Width, &TShape::SetWidth, 20)
        .Event("OnResize", &TShape::OnResize)
        .Method("Resized", &TShape::Changed);
  });
}

class TypInfoTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterShapes(); }
};

std::vector<std::string> Names(const TPropList& list) {
  std::vector<std::string> n;
  for (PPropInfo p : list) n.push_back(p->Name);
  return n;
}

TEST_F(TypInfoTest, LookupIgnoresCaseAndFollowsAncestors) {
  TSquare s;
  for (const char* name : {"width", "WIDTH", "Width", "kInD", "onchange", "alpha"})
    EXPECT_NE(GetPropInfo(&s, name), nullptr) << name;
  EXPECT_EQ(GetPropInfo(&s, "Widt"), nullptr);
  EXPECT_EQ(GetPropInfo(&s, "width", tkStringKinds), nullptr);  // found, but not of those kinds
  EXPECT_EQ(GetPropInfo(TShape::StaticClass(), "Alpha"), nullptr);
  EXPECT_TRUE(IsPublishedProp(&s, "LABEL"));
  EXPECT_TRUE(PropIsType(&s, "next", tkClass));
  EXPECT_FALSE(PropIsType(&s, "next", tkInteger));
  EXPECT_EQ(PropType(&s, "serial"), tkInt64);
  EXPECT_EQ(PropType(&s, "onmeasure"), tkMethod);
  EXPECT_EQ(GetPropInfo(&s, "OnMeasure")->PropType->Name, "TMeasureEvent");
  EXPECT_EQ(GetPropInfo(&s, "Next")->PropType->ClassType, TShape::StaticClass());
  EXPECT_THROW(PropType(&s, "nothing"), EPropertyError);
  // TComponent publishes Name (kept out of the stored list) and Tag.
  TComponent c(nullptr);
  EXPECT_TRUE(IsPublishedProp(&c, "name"));
  EXPECT_FALSE(IsStoredProp(&c, GetPropInfo(&c, "Name")));
  EXPECT_TRUE(IsPublishedProp(TComponent::StaticClass(), "tag"));
}

TEST_F(TypInfoTest, ListsAreSortedByNameOrInDeclarationOrder) {
  TSquare s;
  EXPECT_EQ(Names(GetPropList(&s)), (std::vector<std::string>{"Alpha", "Area", "Flags", "Kind", "Label", "Next",
                                                               "OnChange", "OnMeasure", "OnResize", "Ratio", "Serial",
                                                               "Width"}));
  EXPECT_EQ(Names(GetPropList(&s, tkProperties)),
            (std::vector<std::string>{"Alpha", "Area", "Flags", "Kind", "Label", "Next", "Ratio", "Serial", "Width"}));
  EXPECT_EQ(Names(GetPropList(&s, {tkInteger, tkInt64})), (std::vector<std::string>{"Alpha", "Area", "Serial", "Width"}));
  // The redeclared Width keeps its ancestor's place; the descendant's own come last.
  EXPECT_EQ(Names(GetPropInfos(TSquare::StaticClass())),
            (std::vector<std::string>{"Width", "Kind", "Flags", "Label", "Ratio", "Serial", "Next", "Area", "OnChange",
                                      "OnMeasure", "Alpha", "OnResize"}));
  EXPECT_EQ(*GetPropInfo(&s, "Width")->Default, 20);
  TShape plain;
  EXPECT_EQ(*GetPropInfo(&plain, "Width")->Default, 10);
}

TEST_F(TypInfoTest, ValuesGoThroughTheRealSetters) {
  TShape s, other;
  struct Row {
    const char* name;
    std::function<void()> set;
    std::function<bool()> check;
  };
  const std::vector<Row> rows = {
      {"ord", [&] { SetOrdProp(&s, "width", 42); }, [&] { return s.Width() == 42 && GetOrdProp(&s, "Width") == 42; }},
      {"enum by name", [&] { SetEnumProp(&s, "Kind", "SKSTAR"); },
       [&] { return s.Kind() == skStar && GetEnumProp(&s, "kind") == "skStar"; }},
      {"enum by ordinal", [&] { SetOrdProp(&s, "Kind", skSquare); }, [&] { return s.Kind() == skSquare; }},
      {"set as text", [&] { SetSetProp(&s, "Flags", "[sfOutline, sfFilled]"); },
       [&] { return s.Flags() == 0b101 && GetSetProp(&s, "Flags") == "[sfFilled,sfOutline]"; }},
      {"string", [&] { SetStrProp(&s, "Label", "héllo"); }, [&] { return GetStrProp(&s, "label") == "héllo"; }},
      {"float", [&] { SetFloatProp(&s, "Ratio", 0.25L); }, [&] { return GetFloatProp(&s, "Ratio") == 0.25L; }},
      {"int64", [&] { SetInt64Prop(&s, "Serial", INT64_MIN); }, [&] { return GetInt64Prop(&s, "Serial") == INT64_MIN; }},
      {"object", [&] { SetObjectProp(&s, "Next", &other); }, [&] { return GetObjectProp(&s, "Next") == &other; }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    int before = s.setterCalls;
    r.set();
    EXPECT_EQ(s.setterCalls, before + 1);
    EXPECT_TRUE(r.check());
  }
  EXPECT_EQ(GetObjectProp(&s, "Next", TSquare::StaticClass()), nullptr);  // not of the class asked for
  EXPECT_EQ(GetOrdProp(&s, "Area"), 42 * 42);
}

TEST_F(TypInfoTest, MisuseRaises) {
  TShape s;
  TComponent c(nullptr);
  EXPECT_THROW(GetOrdProp(&s, "Nothing"), EPropertyError);
  EXPECT_THROW(SetOrdProp(&s, "Area", 1), EPropertyError);  // read-only
  EXPECT_THROW(SetEnumProp(&s, "Kind", "skOval"), EPropertyConvertError);
  EXPECT_THROW(SetSetProp(&s, "Flags", "[sfFilled, sfGlow]"), EPropertyConvertError);
  EXPECT_THROW(GetStrProp(&s, "Width"), EPropertyConvertError);
  EXPECT_THROW(SetObjectProp(&s, "Next", &c), EPropertyConvertError);  // a TComponent is no TShape
  EXPECT_THROW(GetOrdProp(&c, GetPropInfo(&s, "Width")), EPropertyError);  // another class's property
  EXPECT_EQ(s.Width(), 10);
}

TEST_F(TypInfoTest, EventsBindPublishedMethodsByName) {
  TShape s, target;
  SetMethodProp(&s, "OnChange", TMethod{&target, "changed"});
  ASSERT_TRUE(s.OnChange);
  s.OnChange(&s);
  EXPECT_EQ(target.changes, 1);
  EXPECT_EQ(GetMethodProp(&s, "OnChange"), (TMethod{&target, "Changed"}));
  SetMethodProp(&s, "OnMeasure", TMethod{&target, "Twice"});
  EXPECT_EQ(s.OnMeasure(21), 42);
  EXPECT_THROW(SetMethodProp(&s, "OnChange", TMethod{&target, "Twice"}), EPropertyError);  // signature differs
  EXPECT_THROW(SetMethodProp(&s, "OnChange", TMethod{&target, "Missing"}), EPropertyError);
  // A handler set in code has no name to stream.
  s.OnChange = [](TObject*) {};
  EXPECT_FALSE(GetMethodProp(&s, "OnChange").Assigned());
  SetMethodProp(&s, "OnChange", TMethod{});
  EXPECT_FALSE(s.OnChange);
  // A descendant publishes what its ancestor declares.
  TSquare sq;
  EXPECT_FALSE(IsPublishedProp(&target, "OnResize"));
  SetMethodProp(&sq, "OnResize", TMethod{&sq, "Resized"});
  sq.OnResize(&sq);
  EXPECT_EQ(sq.changes, 1);
}

TEST_F(TypInfoTest, StoredAndDefaultDecideWhatIsWritten) {
  TShape s;
  PPropInfo width = GetPropInfo(&s, "Width"), label = GetPropInfo(&s, "Label"), serial = GetPropInfo(&s, "Serial");
  EXPECT_TRUE(IsDefaultPropValue(&s, width));
  s.SetWidth(11);
  EXPECT_FALSE(IsDefaultPropValue(&s, width));
  EXPECT_FALSE(IsStoredProp(&s, label));
  s.SetLabel("x");
  EXPECT_TRUE(IsStoredProp(&s, label));
  EXPECT_TRUE(IsDefaultPropValue(&s, serial));
  s.SetSerial(1);
  EXPECT_FALSE(IsDefaultPropValue(&s, serial));
}

TEST_F(TypInfoTest, EnumerationAndSetText) {
  PTypeInfo kind = TypeInfoOf<TShapeKind>();
  ASSERT_NE(kind, nullptr);
  EXPECT_EQ(GetEnumName(kind, 1), "skSquare");
  EXPECT_EQ(GetEnumName(kind, 3), "");
  EXPECT_EQ(GetEnumValue(kind, "SKSTAR"), 2);
  EXPECT_EQ(GetEnumValue(kind, "skOval"), -1);
  EXPECT_EQ(GetEnumName(TypeInfoOf<bool>(), 1), "True");
  struct Row {
    const char* text;
    int64_t bits;
  };
  for (const Row& r : {Row{"[]", 0}, Row{"", 0}, Row{"sfShadow", 2}, Row{" [ sfOutline ,sfFilled ] ", 5},
                       Row{"[sfFilled,sfShadow,sfOutline]", 7}})
    EXPECT_EQ(StringToSet(FlagsType(), r.text), r.bits) << r.text;
  EXPECT_EQ(SetToString(FlagsType(), 6), "[sfShadow,sfOutline]");
  EXPECT_EQ(SetToString(FlagsType(), 6, false), "sfShadow,sfOutline");
  EXPECT_THROW(StringToSet(FlagsType(), "[sfFilled"), EPropertyConvertError);
}

TEST_F(TypInfoTest, NamedTypesAreSharedAndCannotBeRedefined) {
  PTypeInfo a = DefineIntegerType("TShapeSize", otUWord);
  EXPECT_EQ(DefineIntegerType("tshapesize", otUWord), a);
  EXPECT_EQ(a->MaxValue, 65535);
  EXPECT_THROW(DefineIntegerType("TShapeSize", otSLong), EPropertyError);
  EXPECT_EQ(DefineSetType("TShapeFlags", TypeInfoOf<TShapeFlag>()), FlagsType());
  EXPECT_THROW(DefineSetType("TShapeFlags", TypeInfoOf<TShapeKind>()), EPropertyError);
}

}  // namespace
