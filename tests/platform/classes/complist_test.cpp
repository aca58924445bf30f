#include <gtest/gtest.h>

#include "platform/classes/complist.h"
#include "platform/classes/component.h"

namespace {

TEST(ComponentList, ForgetsFreedComponents) {
  TComponentList list(false);
  auto* a = new TComponent(nullptr);
  TComponent b(nullptr);
  list.Add(a);
  list.Add(&b);
  list.Add(a);
  delete a;
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), &b);
  // A component that left the list is no longer watched.
  list.Remove(&b);
  auto* c = new TComponent(nullptr);
  list.Add(c);
  list.Extract(c);
  delete c;
  EXPECT_EQ(list.Count(), 0);
}

TEST(ComponentList, OwningListFreesAndOutlivedComponentsAreSafe) {
  auto* kept = new TComponent(nullptr);
  {
    TComponentList list(true);
    list.Add(new TComponent(nullptr));
    list.Add(kept);
    list.Extract(kept);
  }  // frees the one it still owns (LeakSanitizer checks)
  delete kept;  // its watcher is gone; nothing dangles
  TComponent survivor(nullptr);
  { TComponentList list(false); list.Add(&survivor); }
  SUCCEED();
}

}  // namespace
