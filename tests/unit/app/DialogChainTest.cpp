#include <gtest/gtest.h>

#include <vector>

#include "app/DialogChain.h"

namespace app {
namespace {

constexpr platform::WindowHandle kMain = 0x10;

struct ChainCase {
  const char* what;
  std::vector<ProgramWindow> windows;  // topmost first
  std::vector<platform::WindowHandle> chain;
  platform::WindowHandle front;
};

TEST(DialogChain, FollowsTheWindowsThatWaitFromTheMainWindow) {
  const ChainCase cases[] = {
      {"nothing open", {{kMain, 0, true, true}}, {}, kMain},
      {"a dialog over the window", {{0x20, kMain, true, true}, {kMain, 0, true, false}}, {0x20}, 0x20},
      {"the window below its dialog in the list",
       {{kMain, 0, true, false}, {0x20, kMain, true, true}},
       {0x20},
       0x20},
      {"a dialog over the hidden window", {{0x20, kMain, true, true}, {kMain, 0, false, false}}, {0x20}, 0x20},
      {"the launch dialog waiting for its file chooser",
       {{0x30, 0x20, true, true}, {0x20, kMain, true, false}, {kMain, 0, true, false}},
       {0x20, 0x30},
       0x30},
      {"a drop-down beside the enabled window", {{0x20, kMain, true, true}, {kMain, 0, true, true}}, {}, kMain},
      {"the dialog not shown yet", {{0x20, kMain, false, true}, {kMain, 0, true, false}}, {}, kMain},
      {"a hidden menu and the dialog",
       {{0x21, kMain, false, true}, {0x20, kMain, true, true}, {kMain, 0, true, false}},
       {0x20},
       0x20},
      {"another program's dialog", {{0x40, 0x99, true, true}, {kMain, 0, true, false}}, {}, kMain},
      {"the topmost of two", {{0x22, kMain, true, true}, {0x20, kMain, true, true}, {kMain, 0, true, false}},
       {0x22},
       0x22},
      {"a report with owners in a loop",
       {{0x20, kMain, true, false}, {0x30, 0x20, true, false}, {0x20, 0x30, true, false}, {kMain, 0, true, false}},
       {0x20, 0x30},
       0x30},
      {"no main window", {{0x20, kMain, true, true}}, {}, kMain},
  };
  for (const ChainCase& c : cases) {
    EXPECT_EQ(WaitingChain(c.windows, kMain), c.chain) << c.what;
    EXPECT_EQ(FrontWindow(c.windows, kMain), c.front) << c.what;
  }
}

}  // namespace
}  // namespace app
