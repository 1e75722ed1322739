#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "actions/InputPrimitives.h"
#include "fakes/FakeDesktop.h"
#include "platform/WideText.h"

namespace {

using actions::CFunction;
using fakes::FakeDesktop;
using fakes::KeyLine;
using fakes::MouseLine;
using fakes::SleepLine;
using Lines = std::vector<std::string>;

constexpr uint32_t kDown = 0, kExt = 1, kUp = 2, kExtUp = 3;

struct VersionCase {
  uint32_t platformId, major, minor;
  int expected;
};

TEST(OsVersionClassTest, ClassifiesEveryRowOfTheVersionTable) {
  const VersionCase cases[] = {
      {1, 4, 0, 1},   {1, 4, 10, 1},  {1, 4, 89, 1},  {1, 4, 90, 2}, {1, 4, 95, 2}, {1, 5, 0, 0},
      {1, 3, 95, 0},  {2, 5, 0, 3},   {2, 5, 1, 4},   {2, 5, 2, 4},  {2, 6, 0, 5}, {2, 6, 1, 6},
      {2, 6, 2, 6},   {2, 6, 3, 6},   {2, 10, 0, 6},  {2, 7, 0, 6},  {2, 7, 1, 6}, {2, 10, 1, 6}, {2, 4, 0, 0},
      {2, 3, 51, 0},  {0, 6, 1, 0},   {3, 6, 1, 0},
  };
  FakeDesktop desktop;
  for (const VersionCase& c : cases) {
    desktop.version = {c.platformId, c.major, c.minor};
    EXPECT_EQ(actions::OsVersionClass(), c.expected)
        << "platform " << c.platformId << " version " << c.major << "." << c.minor;
  }
}

struct PrimitiveCase {
  const char* name;
  std::function<void(CFunction&)> run;
  Lines expected;
};

TEST(InputPrimitivesTest, EachPrimitiveSendsItsExactSequence) {
  const PrimitiveCase cases[] = {
      {"LeftClick", [](CFunction& f) { f.LeftClick(); }, {MouseLine(0x0002), MouseLine(0x0004)}},
      {"RightClick", [](CFunction& f) { f.RightClick(); }, {MouseLine(0x0008), MouseLine(0x0010)}},
      {"MiddleClick", [](CFunction& f) { f.MiddleClick(); }, {MouseLine(0x0020), MouseLine(0x0040)}},
      {"XButton2Click", [](CFunction& f) { f.XButton2Click(); }, {MouseLine(0x0080, 2), MouseLine(0x0100, 2)}},
      {"XButton1Click", [](CFunction& f) { f.XButton1Click(); }, {MouseLine(0x0080, 1), MouseLine(0x0100, 1)}},
      {"DoubleClick",
       [](CFunction& f) { f.DoubleClick(); },
       {MouseLine(0x0002), MouseLine(0x0004), MouseLine(0x0002), MouseLine(0x0004)}},
      {"Flip3D",
       [](CFunction& f) { f.Flip3D(); },
       {KeyLine(0x11, kExt), KeyLine(0x5B, kExt), KeyLine(0x09, kExt), KeyLine(0x09, kExtUp),
        KeyLine(0x5B, kExtUp), KeyLine(0x11, kExtUp)}},
      {"TapExtendedKey", [](CFunction& f) { f.TapExtendedKey(0xB3); }, {KeyLine(0xB3, kExt), KeyLine(0xB3, kExtUp)}},
      {"TapChord",
       [](CFunction& f) { f.TapChord(0xA4, 0x73); },
       {KeyLine(0xA4, kExt), KeyLine(0x73, kExt), KeyLine(0x73, kExtUp), KeyLine(0xA4, kExtUp)}},
  };
  for (const PrimitiveCase& c : cases) {
    FakeDesktop desktop;
    CFunction function;
    c.run(function);
    EXPECT_EQ(desktop.log, c.expected) << c.name;
  }
}

TEST(InputPrimitivesTest, EveryMouseEventCarriesTheExtraInformationReadJustBeforeIt) {
  FakeDesktop desktop;
  desktop.extraInfo = 0x51;
  desktop.extraInfoStep = 1;
  CFunction().DoubleClick();
  EXPECT_EQ(desktop.log, (Lines{MouseLine(0x0002, 0, 0, 0, 0x51), MouseLine(0x0004, 0, 0, 0, 0x52),
                                MouseLine(0x0002, 0, 0, 0, 0x53), MouseLine(0x0004, 0, 0, 0, 0x54)}));
}

TEST(InputPrimitivesTest, SwitchWindowTapsAltOnceMoreFromVistaOn) {
  const Lines altTab = {KeyLine(0xA4, kExt), KeyLine(0x09, kDown), SleepLine(100), KeyLine(0x09, kUp),
                        KeyLine(0xA4, kExtUp)};
  Lines withExtraTap = altTab;
  for (const std::string& line : {SleepLine(100), KeyLine(0xA4, kExt), KeyLine(0xA4, kExtUp)})
    withExtraTap.push_back(line);

  struct Case {
    platform::OsVersionInfo version;
    const Lines& expected;
  };
  const Case cases[] = {
      {{2, 5, 1}, altTab},         // XP: five events
      {{1, 4, 10}, altTab},        // 98
      {{2, 6, 0}, withExtraTap},   // Vista
      {{2, 6, 1}, withExtraTap},   // 7: seven events
      {{2, 10, 0}, withExtraTap},  // 10 and 11
  };
  for (const Case& c : cases) {
    FakeDesktop desktop;
    desktop.version = c.version;
    CFunction().SwitchWindow();
    EXPECT_EQ(desktop.log, c.expected) << c.version.major << "." << c.version.minor;
  }
}

TEST(InputPrimitivesTest, ZoomUsesThePlusOrMinusKeyOnlyOverTheKeyboardZoomingClasses) {
  const Lines plus = {KeyLine(0x11, kExt), KeyLine(0xBB, kExt), KeyLine(0xBB, kExtUp), KeyLine(0x11, kExtUp)};
  const Lines minus = {KeyLine(0x11, kExt), KeyLine(0xBD, kExt), KeyLine(0xBD, kExtUp), KeyLine(0x11, kExtUp)};
  const Lines wheelIn = {KeyLine(0x11, kExt), MouseLine(0x0800, 120), KeyLine(0x11, kExtUp)};
  const Lines wheelOut = {KeyLine(0x11, kExt), MouseLine(0x0800, -120), KeyLine(0x11, kExtUp)};
  struct Case {
    std::u16string className;
    const Lines& zoomIn;
    const Lines& zoomOut;
  };
  const Case cases[] = {
      {u"MozillaWindowClass", plus, minus},
      {u"AVL_AVView", plus, minus},
      {u"PSViewC", plus, minus},
      {u"mozillawindowclass", wheelIn, wheelOut},  // compared exactly
      {u"MozillaWindowClass2", wheelIn, wheelOut},
      {u"Notepad", wheelIn, wheelOut},
      {u"", wheelIn, wheelOut},  // a class that cannot be read
  };
  for (const Case& c : cases) {
    FakeDesktop desktop;
    desktop.AddWindow(FakeDesktop::kDesktop, c.className, {0, 0, 400, 300});
    desktop.cursor = {50, 50};
    CFunction().ZoomIn();
    EXPECT_EQ(desktop.log, c.zoomIn) << "in over '" << platform::NarrowAscii(c.className) << "'";
    desktop.Clear();
    CFunction().ZoomOut();
    EXPECT_EQ(desktop.log, c.zoomOut) << "out over '" << platform::NarrowAscii(c.className) << "'";
  }
}

TEST(InputPrimitivesTest, LockStationSwitchesRedirectionOffAroundTheLockOnlyUnderWow64) {
  struct Case {
    bool wow64;
    bool hasSwitch;
    Lines expected;
  };
  const Case cases[] = {
      {false, true, {"lock"}},
      {false, false, {"lock"}},
      {true, true, {"redirection off", "lock", "redirection back 5EED"}},
      {true, false, {"redirection off"}},  // no switch: no lock
  };
  for (const Case& c : cases) {
    FakeDesktop desktop;
    desktop.wow64 = c.wow64;
    desktop.hasRedirectionSwitch = c.hasSwitch;
    CFunction().LockStation();
    EXPECT_EQ(desktop.log, c.expected) << "wow64 " << c.wow64 << " switch " << c.hasSwitch;
  }
}

}  // namespace
