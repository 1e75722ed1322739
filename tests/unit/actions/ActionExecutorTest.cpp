#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "actions/ActionExecutor.h"
#include "actions/FaceBookFunction.h"
#include "codes/SocialSiteLibrary.h"
#include "config/FunctionCodes.h"
#include "config/MacroStore.h"
#include "fakes/FakeDesktop.h"
#include "platform/MemoryRegistry.h"
#include "platform/WindowInspection.h"
#include "text/LabelTable.h"

namespace {

using fakes::FakeDesktop;
using fakes::KeyLine;
using fakes::MouseLine;
using fakes::OpenLine;
using fakes::PostLine;
using fakes::SendLine;
using fakes::SleepLine;
using platform::WindowHandle;
using Lines = std::vector<std::string>;

constexpr uint32_t kExt = 1, kExtUp = 3;
constexpr platform::Handle kQuickAccess = 0x7000;
const std::u16string kQuickAccessPath = u"C:\\Program Files\\VN24G\\QuickAccess.dll";

// The QuickAccess exports of the fake library write their calls into the log
// of the desktop in use.
FakeDesktop* calledDesktop = nullptr;

template <int N>
void Entry(platform::WindowHandle window) {
  calledDesktop->log.push_back(std::string("call ") + quickaccess::kExports[N] + " " + fakes::Hex(window));
}

using EntryFn = void (*)(platform::WindowHandle);
constexpr EntryFn kEntries[] = {Entry<0>, Entry<1>, Entry<2>, Entry<3>, Entry<4>, Entry<5>, Entry<6>};

void ProvideQuickAccess(FakeDesktop& desktop) {
  calledDesktop = &desktop;
  desktop.libraryFiles[kQuickAccessPath] = kQuickAccess;
  for (int i = 0; i < 7; ++i)
    desktop.libraryExports[{kQuickAccess, quickaccess::kExports[i]}] = reinterpret_cast<uintptr_t>(kEntries[i]);
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Lines Chord(uint8_t modifier, uint8_t key) {
  return {KeyLine(modifier, kExt), KeyLine(key, kExt), KeyLine(key, kExtUp), KeyLine(modifier, kExtUp)};
}

const std::u16string kAppPaths = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

std::vector<uint8_t> RegistryText(const std::u16string& text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.c_str());
  return std::vector<uint8_t>(bytes, bytes + (text.size() + 1) * sizeof(char16_t));
}

Lines Tap(uint8_t key) { return {KeyLine(key, kExt), KeyLine(key, kExtUp)}; }

// A desktop with one editor window in front, under the cursor, that can be
// maximised, minimised and scrolled sideways; the QuickAccess library beside
// the program; and a macro store whose macro 2 types "a".
class ActionExecutorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor = desktop.AddWindow(FakeDesktop::kDesktop, u"Editor", {0, 0, 800, 600},
                               platform::kStyleMaximizeBox | platform::kStyleMinimizeBox | platform::kStyleHScroll,
                               u"notes.txt");
    desktop.foreground = editor;
    desktop.cursor = {100, 100};
    ProvideQuickAccess(desktop);
    // Office as its installer registers it.
    for (const char16_t* program : {u"Winword.exe", u"excel.exe", u"POWERPNT.exe"})
      registry.PutValue(kAppPaths + program, u"", platform::kRegSz,
                        RegistryText(std::u16string(u"C:\\Office\\") + program));
    site.LoadQuickAccess();

    std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
    macro::TheMacroStore.macroCount = 3;
    macro::tagMACROINFO& typed = macro::TheMacroStore.macros[2];
    typed.eventCount = 2;
    typed.events[0] = {0x41, 0, {}, 0};
    typed.events[1] = {0x41, 1, {}, 0};
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse_title"), u"Varnok 2.4G");
    desktop.Clear();
  }
  void TearDown() override {
    site.ReleaseQuickAccess();
    std::memset(&macro::TheMacroStore, 0, sizeof(macro::TheMacroStore));
    LabelTable::Instance().Clear();
    calledDesktop = nullptr;
  }

  Lines Run(const config::ButtonAssignment& record) {
    desktop.Clear();
    actions::ExecuteAssignment(record, site);
    return desktop.log;
  }
  Lines Run(uint8_t code) {
    config::ButtonAssignment record{};
    record.functionCode = code;
    return Run(record);
  }

  FakeDesktop desktop;
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> registryService{registry};
  actions::CFaceBookFunction site;
  WindowHandle editor = 0;
};

struct Row {
  std::vector<uint8_t> codes;  // codes that share the action
  Lines expected;
};

TEST_F(ActionExecutorTest, EveryCodeOfTheTableCarriesOutItsAction) {
  using platform::kMsgHScroll;
  using platform::kMsgSysCommand;
  const std::string page = "https://www.facebook.com/";
  const Lines flip3d = {KeyLine(0x11, kExt), KeyLine(0x5B, kExt),   KeyLine(0x09, kExt),
                        KeyLine(0x09, kExtUp), KeyLine(0x5B, kExtUp), KeyLine(0x11, kExtUp)};
  const Lines switchWindow = {KeyLine(0xA4, kExt), KeyLine(0x09, 0),      SleepLine(100), KeyLine(0x09, 2),
                              KeyLine(0xA4, kExtUp), SleepLine(100),      KeyLine(0xA4, kExt),
                              KeyLine(0xA4, kExtUp)};
  const Row rows[] = {
      {{1}, {MouseLine(0x0002), MouseLine(0x0004)}},
      {{2}, {MouseLine(0x0008), MouseLine(0x0010)}},
      {{3}, {MouseLine(0x0020), MouseLine(0x0040)}},
      {{4}, {MouseLine(0x0080, 2), MouseLine(0x0100, 2)}},
      {{5}, {MouseLine(0x0080, 1), MouseLine(0x0100, 1)}},
      {{6, 88}, {SendLine(editor, kMsgSysCommand, 0xF030, 0)}},
      {{7, 89}, {SendLine(editor, kMsgSysCommand, 0xF020, 0)}},
      {{8}, flip3d},  // Windows 7
      {{9}, {MouseLine(0x0800, 120)}},
      {{10}, {MouseLine(0x0800, -120)}},
      {{16}, {PostLine(editor, kMsgHScroll, 0, 0), PostLine(editor, kMsgHScroll, 0, 0),
              PostLine(editor, kMsgHScroll, 0, 0)}},
      {{17}, {SendLine(editor, kMsgHScroll, 1, 0), SendLine(editor, kMsgHScroll, 1, 0),
              SendLine(editor, kMsgHScroll, 1, 0)}},
      {{18}, {MouseLine(0x0002), MouseLine(0x0004), MouseLine(0x0002), MouseLine(0x0004)}},
      {{20}, {KeyLine(0x41, 0, 0x1E), SleepLine(50), KeyLine(0x41, 2, 0x1E), SleepLine(50)}},
      {{48, 52}, Tap(0xB3)},
      {{49}, Tap(0xB2)},
      {{50}, Tap(0xB1)},
      {{51}, Tap(0xB0)},
      {{53}, Tap(0xAF)},
      {{54}, Tap(0xAE)},
      {{55}, Tap(0xAD)},
      {{56, 106}, {"open C:\\Office\\Winword.exe"}},
      {{57, 107}, {"open C:\\Office\\excel.exe"}},
      {{58, 118}, {"open C:\\Office\\POWERPNT.exe"}},
      {{64}, Chord(0x11, 0x58)},
      {{65}, Chord(0x11, 0x43)},
      {{66}, Chord(0x11, 0x56)},
      {{68}, Chord(0x11, 0x41)},
      {{69}, Chord(0x11, 0x46)},
      {{70}, Chord(0x11, 0x4E)},
      {{71}, Chord(0x11, 0x50)},
      {{72}, Chord(0x11, 0x53)},
      {{73}, Tap(0x2E)},
      {{80}, switchWindow},
      {{81}, Chord(0xA4, 0x73)},
      {{82}, {"lock"}},
      {{83}, Chord(0x5B, 0x45)},
      {{84}, Chord(0x5B, 0x52)},
      {{85}, Chord(0x5B, 0x44)},
      {{86}, {KeyLine(0x11, kExt), MouseLine(0x0800, 120), KeyLine(0x11, kExtUp)}},
      {{87}, {KeyLine(0x11, kExt), MouseLine(0x0800, -120), KeyLine(0x11, kExtUp)}},
      {{128}, {"open " + page}},
      {{129}, {"export 7000 OpenZoomOutWindow", "call OpenZoomOutWindow " + fakes::Hex(editor)}},
      {{130}, {"export 7000 OpenZoomInWindow", "call OpenZoomInWindow " + fakes::Hex(editor)}},
      {{131}, {"export 7000 OpenSearchFriend", "call OpenSearchFriend " + fakes::Hex(editor)}},
      {{132}, {"export 7000 OpenAllFriend", "call OpenAllFriend " + fakes::Hex(editor)}},
      {{133, 154}, {"open " + page + "?sk=messages"}},
      {{134}, {"export 7000 OpenAllMessage", "call OpenAllMessage " + fakes::Hex(editor)}},
      {{135}, {"export 7000 OpenAllNotify", "call OpenAllNotify " + fakes::Hex(editor)}},
      {{136}, {"export 7000 OpenFriendAlign", "call OpenFriendAlign " + fakes::Hex(editor)}},
      {{137}, {"open " + page + "notes/"}},
      {{155}, {"open " + page + "?sk=events&ap=1"}},
      {{156}, {"open " + page + "?sk=messages#!/?sk=media"}},
      {{157}, {"open " + page + "?sk=media"}},
  };
  std::set<int> covered = {19, 25};  // they need record fields: tested below
  for (const Row& row : rows) {
    for (uint8_t code : row.codes) {
      config::ButtonAssignment record{};
      record.functionCode = code;
      record.macroIndex = 2;  // read only by code 20
      EXPECT_EQ(Run(record), row.expected) << "function " << int(code);
      covered.insert(code);
    }
  }
  // Everything else, including the keys' own functions and the menu groups,
  // does nothing at all.
  for (int code = 0; code < 256; ++code) {
    if (covered.count(code)) continue;
    EXPECT_TRUE(Run(static_cast<uint8_t>(code)).empty()) << "function " << code;
  }
  EXPECT_EQ(desktop.releasedHandleUses, 0);
}

TEST_F(ActionExecutorTest, FlipThreeDAndWindowSwitchingFollowTheSystemVersion) {
  // Ctrl+Win+Tab.
  const Lines flip3d = {KeyLine(0x11, kExt),   KeyLine(0x5B, kExt),   KeyLine(0x09, kExt),
                        KeyLine(0x09, kExtUp), KeyLine(0x5B, kExtUp), KeyLine(0x11, kExtUp)};
  // Left Alt+Tab with Tab held for 100 ms.
  const Lines altTab = {KeyLine(0xA4, kExt), KeyLine(0x09, 0), SleepLine(100), KeyLine(0x09, 2),
                        KeyLine(0xA4, kExtUp)};
  // The same, then one more tap of left Alt after another 100 ms.
  const Lines altTabThenAlt = {KeyLine(0xA4, kExt),   KeyLine(0x09, 0), SleepLine(100),      KeyLine(0x09, 2),
                               KeyLine(0xA4, kExtUp), SleepLine(100),   KeyLine(0xA4, kExt), KeyLine(0xA4, kExtUp)};
  struct Case {
    platform::OsVersionInfo version;
    const char* system;
    const Lines& flip;       // function 8
    const Lines& switching;  // function 80
  };
  const Case cases[] = {
      {{2, 5, 1}, "XP", altTab, altTab},
      {{2, 6, 0}, "Vista", flip3d, altTabThenAlt},
      {{2, 6, 1}, "7", flip3d, altTabThenAlt},
      {{2, 6, 2}, "8, or a later one to a program without a manifest", flip3d, altTabThenAlt},
      {{2, 10, 0}, "10 and 11", flip3d, altTabThenAlt},
  };
  for (const Case& c : cases) {
    desktop.version = c.version;
    EXPECT_EQ(Run(8), c.flip) << "function 8 on " << c.system;
    EXPECT_EQ(Run(80), c.switching) << "function 80 on " << c.system;
  }
}

TEST_F(ActionExecutorTest, MaximiseAndMinimiseNeedTheirBoxAndAWindowOtherThanTheDesktop) {
  for (uint8_t code : {6, 7, 88, 89}) {
    desktop.At(editor).style = 0;
    EXPECT_TRUE(Run(code).empty()) << int(code) << " without the box";
    desktop.At(editor).style = platform::kStyleMaximizeBox | platform::kStyleMinimizeBox;
    desktop.foreground = FakeDesktop::kDesktop;
    desktop.At(FakeDesktop::kDesktop).style = platform::kStyleMaximizeBox | platform::kStyleMinimizeBox;
    EXPECT_TRUE(Run(code).empty()) << int(code) << " on the desktop";
    desktop.foreground = 0;
    EXPECT_TRUE(Run(code).empty()) << int(code) << " with no window in front";
    desktop.foreground = editor;
  }
  desktop.At(editor).style = platform::kStyleMaximizeBox;
  EXPECT_FALSE(Run(config::FN_MAXIMIZE).empty());
  EXPECT_TRUE(Run(config::FN_MINIMIZE).empty());
}

TEST_F(ActionExecutorTest, CombinationPlaysTheRecordsThreeBytes) {
  config::ButtonAssignment record{};
  record.functionCode = config::FN_COMBINATION;
  record.comboModifiers = 0x01;
  record.comboKey1 = 0x43;
  EXPECT_EQ(Run(record), (Lines{KeyLine(0x11, 0, 0x1D), SleepLine(50), KeyLine(0x43, 0, 0x2E), SleepLine(50),
                                KeyLine(0x43, 2, 0x2E), SleepLine(50), KeyLine(0x11, 2, 0x1D), SleepLine(50)}));
}

TEST_F(ActionExecutorTest, ProgramLaunchOpensThePathAndNothingForAnEmptyOne) {
  config::ButtonAssignment record{};
  record.functionCode = config::FN_LAUNCH_PROGRAM;
  config::SetProgramPath(record, u"C:\\Tools\\calc.exe");
  EXPECT_EQ(Run(record), (Lines{"open C:\\Tools\\calc.exe"}));

  // A path that fills the field without a terminator is cut at the field.
  for (char16_t& unit : record.programPath) unit = u'x';
  EXPECT_EQ(Run(record), (Lines{"open " + std::string(config::kProgramPathUnits, 'x')}));

  std::memset(record.programPath, 0, sizeof(record.programPath));
  EXPECT_TRUE(Run(record).empty());
}

TEST_F(ActionExecutorTest, OfficeStartsOnlyTheProgramItsInstallerRegistered) {
  struct Case {
    const char* what;
    std::optional<std::u16string> registered;  // Word's registration; none when absent
    uint32_t type;
    Lines expected;
  };
  const Case cases[] = {
      {"not registered: nothing by bare name", std::nullopt, platform::kRegSz, {}},
      {"quoted", u"\"D:\\Apps\\WINWORD.EXE\"", platform::kRegSz, {"open D:\\Apps\\WINWORD.EXE"}},
      {"on a network share", u"\\\\host\\apps\\winword.exe", platform::kRegSz,
       {"open \\\\host\\apps\\winword.exe"}},
      {"a bare name", u"winword.exe", platform::kRegSz, {}},
      {"a folder relative to the current one", u"Office\\winword.exe", platform::kRegSz, {}},
      {"relative to the current drive", u"\\Office\\winword.exe", platform::kRegSz, {}},
      {"not text", u"C:\\Office\\winword.exe", platform::kRegBinary, {}},
  };
  for (const Case& c : cases) {
    registry.Clear();
    if (c.registered) registry.PutValue(kAppPaths + u"Winword.exe", u"", c.type, RegistryText(*c.registered));
    EXPECT_EQ(Run(56), c.expected) << c.what;
  }
}

TEST_F(ActionExecutorTest, MacroIndexesOutsideTheStorePlayNothing) {
  for (uint8_t index : {3, 7, 99, 100, 255}) {
    config::ButtonAssignment record{};
    record.functionCode = config::FN_MACRO;
    record.macroIndex = index;
    EXPECT_TRUE(Run(record).empty()) << int(index);
  }
}

TEST_F(ActionExecutorTest, SocialSiteCodesDoNothingWithoutTheLibrary) {
  site.ReleaseQuickAccess();
  desktop.libraryFiles.clear();
  site.LoadQuickAccess();
  for (uint8_t code = 129; code <= 136; ++code) {
    if (code == 133) continue;
    EXPECT_TRUE(Run(code).empty()) << int(code);
  }
}

// The library and the component library are taken once and kept: every
// action finds them, none releases them, and closing releases both once.
TEST(FaceBookFunctionTest, KeepsTheLibraryAndComponentLibraryFromLoadToRelease) {
  FakeDesktop desktop;
  ProvideQuickAccess(desktop);
  desktop.foreground = 0x4242;
  {
    actions::CFaceBookFunction site;
    site.LoadQuickAccess();
    site.LoadQuickAccess();  // once only
    EXPECT_EQ(desktop.log, (Lines{"com init", "load C:\\Program Files\\VN24G\\QuickAccess.dll"}));
    EXPECT_EQ(desktop.LoadedReferences(kQuickAccess), 1);

    desktop.Clear();
    for (int action = 0; action < 3; ++action) {
      config::ButtonAssignment record{};
      record.functionCode = config::FN_FB_ALL_FRIENDS;
      actions::ExecuteAssignment(record, site);
      record.functionCode = config::FN_COPY;  // an action that does not touch the library
      actions::ExecuteAssignment(record, site);
    }
    int calls = 0;
    for (const std::string& line : desktop.log) {
      calls += line == "call OpenAllFriend 4242";
      EXPECT_NE(line.rfind("free", 0), 0u) << "released by an action";
      EXPECT_NE(line, "com uninit") << "released by an action";
    }
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(desktop.ComBalance(), 1);

    desktop.Clear();
    site.ReleaseQuickAccess();
    EXPECT_EQ(desktop.log, (Lines{"free 7000", "com uninit"}));

    // Released: the shortcuts no longer reach the library at all.
    desktop.Clear();
    site.CallQuickAccess("OpenAllFriend");
    site.ReleaseQuickAccess();
    EXPECT_TRUE(desktop.log.empty());

    // Loaded again and left for the destructor to release.
    site.LoadQuickAccess();
    desktop.Clear();
  }
  EXPECT_EQ(desktop.log, (Lines{"free 7000", "com uninit"}));
  EXPECT_EQ(desktop.LoadedReferences(kQuickAccess), 0);
  EXPECT_EQ(desktop.ComBalance(), 0);
  EXPECT_EQ(desktop.releasedHandleUses, 0);
  calledDesktop = nullptr;
}

TEST(FaceBookFunctionTest, MissingPiecesMakeTheShortcutsDoNothing) {
  FakeDesktop desktop;
  ProvideQuickAccess(desktop);
  desktop.libraryExports.erase({kQuickAccess, "OpenAllNotify"});
  actions::CFaceBookFunction site;
  site.LoadQuickAccess();
  desktop.Clear();
  site.CallQuickAccess("OpenAllNotify");
  EXPECT_EQ(desktop.log, (Lines{"export 7000 OpenAllNotify"}));

  // A component library that refuses is not uninitialised.
  desktop.comInitializes = false;
  site.ReleaseQuickAccess();
  site.LoadQuickAccess();
  desktop.Clear();
  site.ReleaseQuickAccess();
  EXPECT_EQ(desktop.log, (Lines{"free 7000"}));

  // Without a program folder nothing is looked for along the search path.
  desktop.comInitializes = true;
  desktop.executablePath.clear();
  desktop.Clear();
  site.LoadQuickAccess();
  EXPECT_EQ(desktop.log, (Lines{"com init"}));
  EXPECT_FALSE(site.IsLoaded());
  calledDesktop = nullptr;
}

}  // namespace
