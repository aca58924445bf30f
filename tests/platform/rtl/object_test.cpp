#include <gtest/gtest.h>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"

namespace {

class TAnimal : public TObject {
  DX_CLASS(TAnimal, TObject)
};
class TDog : public TAnimal {
  DX_CLASS_WITH_FACTORY(TDog, TAnimal, [](TObject*) -> TObject* { return new TDog; })
};

TEST(ObjectTest, ClassNameAndInheritanceFollowTheDeclaredChain) {
  TDog d;
  const TObject& o = d;
  EXPECT_EQ(o.ClassName(), "TDog");
  EXPECT_TRUE(o.Is<TAnimal>());
  EXPECT_TRUE(o.Is<TObject>());
  TAnimal a;
  EXPECT_FALSE(a.Is<TDog>());
  EXPECT_EQ(TDog::StaticClass()->Parent, TAnimal::StaticClass());
}

TEST(ObjectTest, RegistryFindsClassesIgnoringCaseAndMakesInstances) {
  RegisterClass(TDog::StaticClass());
  RegisterClass(TDog::StaticClass());  // twice is harmless
  EXPECT_EQ(GetClass("tdog"), TDog::StaticClass());
  EXPECT_EQ(GetClass("TCat"), nullptr);
  EXPECT_THROW(FindClass("TCat"), EClassNotFound);
  std::unique_ptr<TObject> made(GetClass("TDOG")->Create(nullptr));
  EXPECT_EQ(made->ClassName(), "TDog");
  UnRegisterClass(TDog::StaticClass());
  EXPECT_EQ(GetClass("TDog"), nullptr);
}

TEST(ObjectTest, ExceptionsCarryMessageAndClass) {
  try {
    throw EFOpenError("Cannot open file \"x\". No such file or directory");
  } catch (const EStreamError& e) {
    EXPECT_EQ(e.ClassName(), "EFOpenError");
    EXPECT_STREQ(e.what(), "Cannot open file \"x\". No such file or directory");
    EXPECT_TRUE(e.Is<Exception>());
  }
  EXPECT_THROW(Abort(), EAbort);
}

}  // namespace
