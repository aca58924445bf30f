// The units' texts: the caption units of the shell library and the shell
// tools, the common utilities' and the change notifier's texts, and the
// network-provider names. Each list below is copied from the document that
// gives these texts, typos and blanks included.
#include "shell/ShCaptions.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "shell/ShChangeNotifier.h"
#include "shell/ShCommonUtilities.h"
#include "shell/ShShellTypes.h"

namespace {

const std::vector<std::string> kCaptions = {
    "Error", "New Folder", "Unknown Command", "Properties", "Paste", "Paste Shortcut", "Name", "Size", "Type",
    "Modified", "Attributes", "Created", "Accessed", "Path", "DOS Name", "Custom", "A", "H", "R", "S", "C", "KB",
    "0 KB", "1 KB", "System Folder", " File", "No target application defined",
    "PIDLs to operate on are not siblings of the Namespace doing the operation."};

const std::vector<std::string> kEventNames = {
    "Assocciation Changed", "Attributes", "Item Create", "Item Delete", "Drive Add", "Drive Add GUI",
    "Drive Removed", "Free Space", "Media Inserted", "Media Removed", "Make Directory", "Network Share",
    "Network Unshare", "Folder Rename", "Item Rename", "Remove Directory", "Server Disconnect",
    "Update Directory", "Update Image", "Update Item"};

std::vector<std::string> ToolsTexts() {
  std::vector<std::string> t = {
      "Warning", "Open", "Last hour", "Last twenty-four hours", "This week", "Two weeks ago", "Three weeks ago",
      "A month ago", "Two months ago", "Three months ago", "Four months ago", "Five months ago", "Six months ago",
      "Earlier this year", "A long time ago", "Zero", "Tiny", "Small", "Medium", "Large", "Gigantic",
      "System Folders", "Folders", "More...", "Column settings",
      "Check the columns you would like to make visible in this Folder.  Drag and Drop to reorder the columns. ",
      "The selected column should be ", "pixels wide", "LiveUpdate", "OK", "Cancel",
      "Invalid pathname for Custom Root Path", "More ...", "Invalid Path", "Windows can not find \"",
      "\" Please check the spelling and try again.", "New ", "Folder", "Shortcut",
      "File exists.  Overwrite existing file?"};
  t.insert(t.end(), kEventNames.begin(), kEventNames.end());
  for (const char* s :
       {"Unknown Command", "a", "print", "properties", "A KernelChangeNotifier is still registered with a Control",
        "A ShellChangeThread is still registered with a Control", "ChangeDispatchThread is still registered",
        "A control must be registered with the ShellChangeNotifier using RegisterShellChangeNotify before this "
        "method may be used."})
    t.push_back(s);
  return t;
}

const std::vector<std::string> kExtensionTexts = {
    "Shell extension registration", "Cannot register shell extension.", "Cannot unregister shell extension.",
    "Unable to find RegSvr32.exe executable.", "Unable to find extension DLL.", "RegSvr32.exe"};

template <size_t N>
std::vector<std::string> Texts(const std::array<std::string, N>& a) {
  return {a.begin(), a.end()};
}

template <size_t N>
bool AllEmpty(const std::array<std::string, N>& a) {
  for (const std::string& s : a)
    if (!s.empty()) return false;
  return true;
}

TEST(UnitTexts, EachUnitHoldsItsTextsInOrderWhileStarted) {
  EXPECT_EQ(Texts(ShellCaptions), kCaptions);
  EXPECT_EQ(Texts(ShellToolsCaptions), ToolsTexts());
  EXPECT_EQ(Texts(ShellExtensionTexts), kExtensionTexts);
  EXPECT_EQ(Texts(ShellNotifyEventNames), kEventNames);
  // The named positions reach their own texts.
  EXPECT_EQ(ShellCaptions[scColumnTitles + 8], "DOS Name");
  EXPECT_EQ(ShellCaptions[scAttributeLetters + 4], "C");
  EXPECT_EQ(ShellCaptions[scFile], " File");
  EXPECT_EQ(ShellToolsCaptions[stcChangeEventNames], "Assocciation Changed");
  EXPECT_EQ(ShellToolsCaptions[stcUnknownCommand], "Unknown Command");
}

// Each unit's own start-up and shut-down, in a second round of its counter.
struct TextUnit {
  const char* Name;
  void (*Initialize)();
  void (*Finalize)();
  bool (*Empty)();
};
const TextUnit kTextUnits[] = {
    {"shell captions", ShCaptionsInitialize, ShCaptionsFinalize, [] { return AllEmpty(ShellCaptions); }},
    {"shell tools captions", ShToolsCaptionsInitialize, ShToolsCaptionsFinalize,
     [] { return AllEmpty(ShellToolsCaptions); }},
    {"common utilities", ShCommonUtilitiesInitialize, ShCommonUtilitiesFinalize,
     [] { return AllEmpty(ShellExtensionTexts); }},
    {"change notifier", ShChangeNotifierInitialize, ShChangeNotifierFinalize,
     [] { return AllEmpty(ShellNotifyEventNames); }},
};

TEST(UnitTexts, ReleasedOnlyWhenTheCounterReturnsToZero) {
  for (const TextUnit& u : kTextUnits) {
    SCOPED_TRACE(u.Name);
    u.Initialize();  // a second start: nothing changes
    u.Finalize();
    EXPECT_FALSE(u.Empty());
    u.Finalize();  // the environment's start is undone
    EXPECT_TRUE(u.Empty());
    u.Finalize();  // a stop too many does nothing
    u.Initialize();
    EXPECT_FALSE(u.Empty());
  }
  EXPECT_EQ(Texts(ShellCaptions), kCaptions);
  EXPECT_EQ(Texts(ShellToolsCaptions), ToolsTexts());
  EXPECT_EQ(Texts(ShellExtensionTexts), kExtensionTexts);
  EXPECT_EQ(Texts(ShellNotifyEventNames), kEventNames);
}

const char* const kProviderNames[55] = {
    "WNNC_NET_MSNET", "WNNC_NET_LANMAN", "WNNC_NET_NETWARE", "WNNC_NET_VINES", "WNNC_NET_10NET",
    "WNNC_NET_LOCUS", "WNNC_NET_SUN_PC_NFS", "WNNC_NET_LANSTEP", "WNNC_NET_9TILES", "WNNC_NET_LANTASTIC",
    "WNNC_NET_AS400", "WNNC_NET_FTP_NFS", "WNNC_NET_PATHWORKS", "WNNC_NET_LIFENET", "WNNC_NET_POWERLAN",
    "WNNC_NET_BWNFS", "WNNC_NET_COGENT", "WNNC_NET_FARALLON", "WNNC_NET_APPLETALK", "WNNC_NET_INTERGRAPH",
    "WNNC_NET_SYMFONET", "WNNC_NET_CLEARCASE", "WNNC_NET_FRONTIER ", "WNNC_NET_BMC", "WNNC_NET_DCE",
    "WNNC_NET_AVID", "WNNC_NET_DOCUSPACE", "WNNC_NET_MANGOSOFT", "WNNC_NET_SERNET", "WNNC_NET_RIVERFRONT1",
    "WNNC_NET_RIVERFRONT2", "WNNC_NET_DECORB", "WNNC_NET_PROTSTOR", "WNNC_NET_FJ_REDIR", "WNNC_NET_DISTINCT",
    "WNNC_NET_TWINS", "WNNC_NET_RDR2SAMPLE", "WNNC_NET_CSC", "WNNC_NET_3IN1", "WNNC_NET_EXTENDNET",
    "WNNC_NET_STAC", "WNNC_NET_FOXBAT", "WNNC_NET_YAHOO", "WNNC_NET_EXIFS", "WNNC_NET_DAV", "WNNC_NET_KNOWARE",
    "WNNC_NET_OBJECT_DIRE", "WNNC_NET_MASFAX", "WNNC_NET_HOB_NFS", "WNNC_NET_SHIVA", "WNNC_NET_IBMAL",
    "WNNC_NET_LOCK", "WNNC_NET_TERMSRV", "WNNC_NET_SRT", "WNNC_NET_QUINCY"};

TEST(NetworkProviderNames, ByTypeCodeShiftedLeftBy16) {
  for (uint32_t code = 1; code <= 55; ++code) {
    EXPECT_EQ(NetworkProviderName(code << 16), kProviderNames[code - 1]) << code;
    EXPECT_STREQ(NetworkProviderNames[code - 1], kProviderNames[code - 1]) << code;
  }
  EXPECT_EQ(NetworkProviderName(0x00170000), "WNNC_NET_FRONTIER ");  // code 23 keeps its blank
  for (uint32_t value : {0u, 56u << 16, 0x00010001u, 1u, 0xFFFF0000u})
    EXPECT_EQ(NetworkProviderName(value), "") << std::hex << value;
}

}  // namespace
