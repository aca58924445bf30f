// Desktop entries decide which files count as links; malformed ones must be
// refused, never half-read.
#include "platform/shell/desktopentry.h"

#include <gtest/gtest.h>

TEST(DesktopEntry, ReadsTheEntryGroupAndRefusesMalformedText) {
  const struct {
    const char* Text;
    bool Valid;
    const char *Type, *Name, *Target;
    bool Link;
  } rows[] = {
      {"[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer %f\n", true, "Application", "Viewer", "viewer %f",
       true},
      {"# made by hand\n\n[Desktop Entry]\r\nType = Link\r\nURL=file:///tmp/a\\sb\r\n", true, "Link", "", "file:///tmp/a b",
       true},
      {"[Desktop Entry]\nType=Directory\nName=Stuff\n", true, "Directory", "Stuff", "", false},
      // The first value of a key counts; other groups are skipped; localised keys are fine.
      {"[Desktop Entry]\nType=Link\nURL=first\nURL=second\nName[de]=Bild\n[Desktop Action x]\nURL=third\n", true,
       "Link", "", "first", true},
      {"", false, "", "", "", false},
      {"Type=Link\n[Desktop Entry]\n", false, "", "", "", false},           // key before the group
      {"[Other]\nType=Link\n", false, "", "", "", false},                    // wrong first group
      {"[Desktop Entry]\nName=No type\n", false, "", "", "", false},         // no Type
      {"[Desktop Entry]\nType=Link\ngarbage line\n", false, "", "", "", false},
      {"[Desktop Entry\nType=Link\n", false, "", "", "", false},             // unclosed group
      {"[Desktop Entry]\nType=Link\nbad key!=1\n", false, "", "", "", false},
      {"[Desktop Entry]\nType=Li\xffnk\n", false, "", "", "", false},         // not UTF-8
  };
  for (const auto& r : rows) {
    const auto e = ParseDesktopEntry(r.Text);
    ASSERT_EQ(e.has_value(), r.Valid) << r.Text;
    if (!e) continue;
    EXPECT_EQ(e->Type, r.Type) << r.Text;
    EXPECT_EQ(e->Name, r.Name) << r.Text;
    EXPECT_EQ(e->Type == "Link" ? e->URL : e->Exec, r.Target) << r.Text;
    EXPECT_EQ(e->IsLink(), r.Link) << r.Text;
  }
}
