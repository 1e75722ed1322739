// The real main window in its modal loop: its size and place, and messages
// it handles itself - system commands it ignores, keys it swallows before
// they are dispatched, and the device drop-down closing when the program
// loses the activation.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "app/SingleDevice.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/FakeDriver.h"
#include "fakes/TempFolder.h"
#include "platform/MemoryRegistry.h"
#include "text/LabelTable.h"
#include "ui/mainwindow/MainWindow.h"

namespace {

using uitest::ModalScript;

constexpr UINT kTrayNotify = 0x600;
constexpr LPARAM kTrayDoubleClick = 515;
constexpr WPARAM kExitCommand = 2;
// A point on the device choice button, in the window's client area.
constexpr POINT kOnDeviceChoice = {545, 43};

// The main window, telling which key messages and help requests reached it.
class WatchedMainWindow : public ui::CVarnok24G_ConfigDlg {
 public:
  using CVarnok24G_ConfigDlg::CVarnok24G_ConfigDlg;
  std::vector<WPARAM> keys;
  int helpRequests = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_KEYDOWN || message == WM_KEYUP) keys.push_back(wParam);
    if (message == WM_HELP) ++helpRequests;
    return CVarnok24G_ConfigDlg::WindowProc(message, wParam, lParam);
  }
};

bool ShownAndRestored(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwnedPopup(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<OwnedSearch*>(search);
  if (GetWindow(window, GW_OWNER) != s->owner || !IsWindowVisible(window)) return TRUE;
  s->found = window;
  return FALSE;
}

// The visible window the main window owns: the device drop-down when open.
HWND OwnedPopupOf(HWND owner) {
  OwnedSearch search = {owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindOwnedPopup, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The system commands that reached the system's default handling while a
// watch is installed: it tells the computer-based-training hook of each one
// before carrying it out.
std::vector<WPARAM> defaultSystemCommands;

LRESULT CALLBACK WatchSystemCommands(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_SYSCOMMAND) defaultSystemCommands.push_back(wParam);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class SystemCommandWatch {
 public:
  SystemCommandWatch() : hook_(SetWindowsHookExW(WH_CBT, WatchSystemCommands, nullptr, GetCurrentThreadId())) {
    defaultSystemCommands.clear();
  }
  ~SystemCommandWatch() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  bool Installed() const { return hook_ != nullptr; }

 private:
  HHOOK hook_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() : registry_(registryFake_), driver_(driverFake_) {
    testing_config::ResetConfiguration();
    config::DeviceCatalogue = {
        testing_config::MakeDevice(u"Varnok Glide M5", 0x9050, 1, {1, 2, 3, 5, 4}, {}),
        testing_config::MakeDevice(u"Varnok Tempo K7", 0x9070, 2, {}, {96, 97}),
        testing_config::MakeDevice(u"Varnok Duo S8", 0x9080, 3, {1, 2, 3}, {96, 97}),
    };
    config::LoadAllSettings();
    app::SetSingleDevice(false);
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_mouse_title"), u"Main window routes");
    // The drop-down's pictures.
    std::filesystem::create_directories(folder_.Path() / "skins");
    for (const char16_t* name : {u"menu1_n.png", u"menu1_o.png", u"menu1_d.png"})
      uitest::SavePng(uitest::SolidPicture(120, 200, RGB(200, 200, 200)), folder_.ProgramPath() + u"skins\\" + name);
  }
  ~MainWindowTest() override {
    LabelTable::Instance().Clear();
    testing_config::ResetConfiguration();
  }

  // Runs the window with `steps` after it was opened from the tray; the
  // tray's exit command ends it. Returns the modal result.
  INT_PTR Run(WatchedMainWindow& window, std::vector<std::function<void()>> steps) {
    steps.insert(steps.begin(), [&] { PostMessageW(window.Handle(), kTrayNotify, 0, kTrayDoubleClick); });
    steps.push_back([&] { PostMessageW(window.Handle(), WM_COMMAND, kExitCommand, 0); });
    ModalScript script(window, std::move(steps));
    return script.Run();
  }

  fakes::TempFolder folder_;
  platform::MemoryRegistry registryFake_;
  fakes::FakeDriver driverFake_;
  platform::ScopedService<platform::Registry> registry_;
  platform::ScopedService<platform::ControlDevice> driver_;
  platform::Handle receiver_ = 0;
};

TEST_F(MainWindowTest, TakesTheSizeOfItsPicturesInTheMiddleOfTheWorkArea) {
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  RECT place = {};
  const INT_PTR result = Run(window, {[&] { GetWindowRect(window.Handle(), &place); }});
  EXPECT_EQ(result, 2);
  EXPECT_EQ(place.right - place.left, 721);
  EXPECT_EQ(place.bottom - place.top, 441);
  EXPECT_EQ(place.left, (GetSystemMetrics(SM_CXFULLSCREEN) - 721) / 2);
  EXPECT_EQ(place.top, (GetSystemMetrics(SM_CYFULLSCREEN) - 441) / 2);
}

TEST_F(MainWindowTest, SystemCommandsTenToThirtyOneAreIgnoredOthersAreNot) {
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  bool shown = false, unchangedByIgnored = false, minimised = false;
  std::vector<WPARAM> defaultedIgnored, defaultedMinimise;
  const INT_PTR result = Run(window, {
      [&] {
        shown = ShownAndRestored(window.Handle());
        SystemCommandWatch watch;
        ASSERT_TRUE(watch.Installed());
        for (WPARAM command = 0x10; command <= 0x1F; ++command)
          SendMessageW(window.Handle(), WM_SYSCOMMAND, command, 0);
        defaultedIgnored = defaultSystemCommands;
      },
      [&] {
        unchangedByIgnored = ShownAndRestored(window.Handle()) && window.IsModal();
        SystemCommandWatch watch;
        SendMessageW(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        defaultedMinimise = defaultSystemCommands;
      },
      [&] { minimised = IsIconic(window.Handle()) != FALSE; },
  });
  EXPECT_EQ(result, 2);
  ASSERT_TRUE(shown);
  EXPECT_EQ(defaultedIgnored, std::vector<WPARAM>{});
  EXPECT_TRUE(unchangedByIgnored);
  EXPECT_EQ(defaultedMinimise, std::vector<WPARAM>{SC_MINIMIZE});
  EXPECT_TRUE(minimised);
}

TEST_F(MainWindowTest, EnterEscSpaceAndF1AreSwallowedBeforeTheWindowSeesThem) {
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  bool stillOpen = false;
  const INT_PTR result = Run(window, {
      [&] {
        SetFocus(window.Handle());
        for (WPARAM key : {VK_RETURN, VK_ESCAPE, VK_SPACE, VK_F1}) uitest::PostKey(window.Handle(), key);
        // F1 on a child would ask its parent for help.
        uitest::PostKey(ChildWindowFromPoint(window.Handle(), kOnDeviceChoice), VK_F1);
      },
      [&] { stillOpen = ShownAndRestored(window.Handle()) && window.IsModal(); },
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(window.keys, std::vector<WPARAM>{});
  EXPECT_EQ(window.helpRequests, 0);
}

TEST_F(MainWindowTest, TheDeviceDropDownClosesWhenTheProgramLosesTheActivation) {
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  HWND dropDown = nullptr;
  bool openWhileActive = false, closedOnDeactivation = false;
  const INT_PTR result = Run(window, {
      [&] {
        const HWND deviceChoice = ChildWindowFromPoint(window.Handle(), kOnDeviceChoice);
        ASSERT_NE(deviceChoice, window.Handle());
        uitest::Click(deviceChoice);
      },
      [&] {
        dropDown = OwnedPopupOf(window.Handle());
        SendMessageW(window.Handle(), WM_ACTIVATEAPP, TRUE, 0);
        openWhileActive = dropDown && IsWindowVisible(dropDown);
        SendMessageW(window.Handle(), WM_ACTIVATEAPP, FALSE, 0);
        closedOnDeactivation = dropDown && !IsWindow(dropDown);
      },
  });
  EXPECT_EQ(result, 2);
  ASSERT_NE(dropDown, nullptr) << "the device choice button opened no drop-down";
  EXPECT_TRUE(openWhileActive);
  EXPECT_TRUE(closedOnDeactivation);
}

}  // namespace

namespace {

constexpr POINT kOnSecondTab = {232, 104};
constexpr UINT kModelPick = 0x501;  // WM_BMPMENU_PICK, as the device drop-down posts it

bool OnPageArea(const ui::Window* page) {
  if (!page || !page->Handle()) return false;
  RECT rect = {};
  GetWindowRect(page->Handle(), &rect);
  MapWindowPoints(nullptr, GetParent(page->Handle()), reinterpret_cast<POINT*>(&rect), 2);
  return rect.left == 48 && rect.top == 118 && rect.right == 669 && rect.bottom == 338;
}

bool Shown(const ui::Window* page) { return page && page->Handle() && IsWindowVisible(page->Handle()); }

TEST_F(MainWindowTest, PagesOfTheDeviceTypeOnThePageAreaOneShownAtATime) {
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  struct Seen {
    bool mouseMade, keyboardMade, mouseShown, keyboardShown, mouseOnArea, keyboardOnArea;
  };
  std::vector<Seen> seen;
  auto look = [&] {
    const ui::MainWindowPages& pages = window.Pages();
    seen.push_back({pages.Mouse() != nullptr, pages.Keyboard() != nullptr, Shown(pages.Mouse()),
                    Shown(pages.Keyboard()), OnPageArea(pages.Mouse()), OnPageArea(pages.Keyboard())});
  };
  const INT_PTR result = Run(window, {
      look,  // the Duo: both pages, the mouse page on view
      [&] {
        const HWND tab = ChildWindowFromPoint(window.Handle(), kOnSecondTab);
        ASSERT_NE(tab, window.Handle());
        uitest::Click(tab);
      },
      look,  // the keyboard tab
      [&] { PostMessageW(window.Handle(), kModelPick, 0, 0x9050); },
      look,  // the Glide: the keyboard page stays made, hidden
      [&] { PostMessageW(window.Handle(), kModelPick, 0, 0x9070); },
      look,  // the Tempo: the keyboard page on view
  });
  EXPECT_EQ(result, 2);
  ASSERT_EQ(seen.size(), 4u);
  const Seen duo = seen[0], keyboardTab = seen[1], glide = seen[2], tempo = seen[3];
  EXPECT_TRUE(duo.mouseMade && duo.keyboardMade && duo.mouseOnArea && duo.keyboardOnArea);
  EXPECT_TRUE(duo.mouseShown);
  EXPECT_FALSE(duo.keyboardShown);
  EXPECT_FALSE(keyboardTab.mouseShown);
  EXPECT_TRUE(keyboardTab.keyboardShown);
  EXPECT_TRUE(glide.mouseShown);
  EXPECT_TRUE(glide.keyboardMade);
  EXPECT_FALSE(glide.keyboardShown);
  EXPECT_FALSE(tempo.mouseShown);
  EXPECT_TRUE(tempo.keyboardShown);
}

TEST_F(MainWindowTest, HiddenAWhileItsLookGoesAndComesBackWhereTheUserLeftTheWindow) {
  constexpr POINT kOnCloseButton = {636, 43};
  constexpr UINT_PTR kLookReleaseTimer = 321;
  WatchedMainWindow window(0x9080, folder_.ProgramPath(), receiver_);
  bool builtWhenOpened = false, goneAfterTimer = false, backOnReopen = false, buttonsBack = false;
  RECT reopenedAt = {};
  uitest::ResourceCounts before = {}, after = {};
  const INT_PTR result = Run(window, {
      [&] {
        builtWhenOpened = Shown(window.Pages().Mouse()) && window.Pages().Keyboard() != nullptr;
        // Where the user dragged it.
        SetWindowPos(window.Handle(), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        uitest::Click(ChildWindowFromPoint(window.Handle(), kOnCloseButton));
      },
      [&] {
        ASSERT_FALSE(IsWindowVisible(window.Handle()));
        SendMessageW(window.Handle(), WM_TIMER, kLookReleaseTimer, 0);
        goneAfterTimer = !window.Pages().Mouse() && !window.Pages().Keyboard() &&
                         ChildWindowFromPoint(window.Handle(), kOnDeviceChoice) == window.Handle();
        PostMessageW(window.Handle(), kTrayNotify, 0, kTrayDoubleClick);
      },
      [&] {
        backOnReopen = Shown(window.Pages().Mouse()) && OnPageArea(window.Pages().Mouse()) &&
                       window.Pages().Keyboard() != nullptr && !Shown(window.Pages().Keyboard());
        buttonsBack = ChildWindowFromPoint(window.Handle(), kOnDeviceChoice) != window.Handle();
        GetWindowRect(window.Handle(), &reopenedAt);
      },
      [&] {
        // Twenty more times closed, released and opened: every bitmap and
        // control of a build goes with its release.
        uitest::PumpPending();
        before = uitest::CountResources();
        for (int i = 0; i < 20; ++i) {
          uitest::Click(ChildWindowFromPoint(window.Handle(), kOnCloseButton));
          SendMessageW(window.Handle(), WM_TIMER, kLookReleaseTimer, 0);
          SendMessageW(window.Handle(), kTrayNotify, 0, kTrayDoubleClick);
          uitest::PumpPending();
        }
        after = uitest::CountResources();
      },
  });
  EXPECT_EQ(result, 2);
  EXPECT_TRUE(builtWhenOpened);
  EXPECT_TRUE(goneAfterTimer);
  EXPECT_TRUE(backOnReopen);
  EXPECT_TRUE(buttonsBack);
  EXPECT_EQ(reopenedAt.left, 30);
  EXPECT_EQ(reopenedAt.top, 40);
  EXPECT_EQ(reopenedAt.right - reopenedAt.left, 721);
  EXPECT_EQ(reopenedAt.bottom - reopenedAt.top, 441);
  // A build makes well over a hundred bitmaps; one left behind per cycle
  // would show as twenty.
  EXPECT_LE(after.gdiObjects, before.gdiObjects + 5);
  EXPECT_LE(after.windows, before.windows);
  EXPECT_GT(before.windows, 0);
}

TEST_F(MainWindowTest, AKeyboardModelMakesNoMousePage) {
  WatchedMainWindow window(0x9070, folder_.ProgramPath(), receiver_);
  bool mouseMade = true, keyboardShown = false;
  const INT_PTR result = Run(window, {[&] {
    mouseMade = window.Pages().Mouse() != nullptr;
    keyboardShown = Shown(window.Pages().Keyboard());
  }});
  EXPECT_EQ(result, 2);
  EXPECT_FALSE(mouseMade);
  EXPECT_TRUE(keyboardShown);
}

}  // namespace
