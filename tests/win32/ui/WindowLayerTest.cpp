// The window base and the dialog base: binding, dispatch to handlers,
// default processing, owner-draw reflection, pre-translation, the modal
// loop and its results, and windows that go before their objects.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "platform/win32/WideString.h"
#include "ui/window/Dialog.h"
#include "ui/window/OwnerDrawMenu.h"
#include "ui/window/Window.h"

namespace {

using uitest::ModalScript;

constexpr UINT kThrow = WM_APP + 1;

class Host : public ui::Window {
 public:
  bool boundDuringCreate = false;
  int detached = 0;
  std::vector<UINT> seen;
  std::vector<WORD> commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kThrow) throw std::runtime_error("handler failure");
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM) seen.push_back(message);
    return Window::WindowProc(message, wParam, lParam);
  }
  LRESULT OnCreate(CREATESTRUCTW& create) override {
    boundDuringCreate = FromHandle(Handle()) == this;
    return Default();
  }
  bool OnCommand(WORD id, WORD code, HWND control) override {
    commands.push_back(id);
    return true;
  }
  void OnDetached() override { ++detached; }
};

// A control that draws and measures itself when its parent is asked to.
class SelfDrawn : public ui::Window {
 public:
  int drawn = 0;
  int measured = 0;
  std::u16string lastText;
  bool throwOnText = false;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT) {
      lastText = platform::win32::FromWide(reinterpret_cast<const wchar_t*>(lParam));
      if (throwOnText) throw std::runtime_error("handler failure");
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  bool DrawItem(const DRAWITEMSTRUCT&) override { return ++drawn > 0; }
  bool MeasureItem(MEASUREITEMSTRUCT& item) override {
    ++measured;
    item.itemHeight = 31;
    return true;
  }
};

RECT Area(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

TEST(WindowBase, BindsAtCreationAndUnbindsWhenTheWindowGoes) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_OVERLAPPEDWINDOW, Area(10, 10, 200, 100), nullptr));
  EXPECT_TRUE(host.boundDuringCreate);
  const HWND window = host.Handle();
  EXPECT_EQ(ui::Window::FromHandle(window), &host);

  DestroyWindow(window);
  EXPECT_EQ(host.Handle(), nullptr);
  EXPECT_EQ(ui::Window::FromHandle(window), nullptr);
  EXPECT_EQ(host.detached, 1);
  // The object can make a new window afterwards.
  EXPECT_TRUE(host.Create(0, u"again", WS_POPUP, Area(0, 0, 10, 10), nullptr));
}

TEST(WindowBase, DestroyingTheObjectDestroysItsWindow) {
  HWND window = nullptr;
  {
    Host host;
    ASSERT_TRUE(host.Create(0, u"host", WS_POPUP, Area(0, 0, 50, 50), nullptr));
    window = host.Handle();
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST(WindowBase, AThrowingHandlerGetsTheDefaultProcessingAndNothingEscapes) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_POPUP, Area(0, 0, 50, 50), nullptr));
  EXPECT_EQ(SendMessageW(host.Handle(), kThrow, 0, 0), 0);

  // A subclassed control whose handler throws still gets its own default
  // processing: the text is set.
  SelfDrawn edit;
  ASSERT_TRUE(edit.CreateControl(L"EDIT", u"", WS_CHILD, Area(0, 0, 40, 20), host.Handle(), 3));
  edit.throwOnText = true;
  SetWindowTextW(edit.Handle(), L"kept");
  wchar_t text[16] = {};
  GetWindowTextW(edit.Handle(), text, 16);
  EXPECT_STREQ(text, L"kept");
  EXPECT_EQ(edit.lastText, u"kept");
}

TEST(WindowBase, ControlsGoWithTheirParentAndTheirObjectsLetGo) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_POPUP, Area(0, 0, 100, 100), nullptr));
  SelfDrawn button;
  ASSERT_TRUE(button.CreateControl(L"BUTTON", u"b", WS_CHILD | BS_OWNERDRAW, Area(0, 0, 40, 20), host.Handle(), 0));
  const HWND control = button.Handle();
  host.Destroy();
  EXPECT_FALSE(IsWindow(control));
  EXPECT_EQ(button.Handle(), nullptr);
}

TEST(WindowBase, OwnerDrawingIsHandedToTheControlThatDrawsItself) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_POPUP, Area(0, 0, 100, 100), nullptr));
  SelfDrawn button;
  ASSERT_TRUE(button.CreateControl(L"BUTTON", u"", WS_CHILD | BS_OWNERDRAW, Area(0, 0, 40, 20), host.Handle(), 0));
  SelfDrawn list;
  ASSERT_TRUE(list.CreateControl(L"LISTBOX", u"", WS_CHILD | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                                 Area(0, 30, 60, 60), host.Handle(), 12));
  // The list box measured its line at creation, before it was subclassed;
  // ask once more on its behalf.
  MEASUREITEMSTRUCT measure = {ODT_LISTBOX, 12, 0, 0, 0, 0};
  EXPECT_TRUE(SendMessageW(host.Handle(), WM_MEASUREITEM, 12, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(list.measured, 1);
  EXPECT_EQ(measure.itemHeight, 31u);

  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = button.Handle();
  draw.hDC = GetDC(host.Handle());
  EXPECT_TRUE(SendMessageW(host.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  ReleaseDC(host.Handle(), draw.hDC);
  EXPECT_EQ(button.drawn, 1);

  // A real paint of the button comes the same way.
  ShowWindow(host.Handle(), SW_SHOWNA);
  ShowWindow(button.Handle(), SW_SHOWNA);
  UpdateWindow(host.Handle());
  uitest::PumpPending();
  EXPECT_GE(button.drawn, 2);
}

class RecordingMenu : public ui::OwnerDrawMenu {
 public:
  std::vector<ULONG_PTR> drawn, measured;
  void DrawItem(const DRAWITEMSTRUCT& item) override { drawn.push_back(item.itemData); }
  void MeasureItem(MEASUREITEMSTRUCT& item) override {
    measured.push_back(item.itemData);
    item.itemWidth = 80;
    item.itemHeight = 20;
  }
};

VOID CALLBACK CloseMenuSoon(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST(WindowBase, MenuEntriesAreMeasuredAndDrawnByTheMenuThatHoldsThem) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_POPUP | WS_VISIBLE, Area(100, 100, 200, 200), nullptr));
  SetForegroundWindow(host.Handle());
  RecordingMenu main, sub;
  int entries[3] = {};
  ASSERT_TRUE(main.AppendEntry(1, &entries[0]));
  ASSERT_TRUE(main.AppendSubMenu(sub, &entries[1]));
  ASSERT_TRUE(sub.AppendEntry(2, &entries[2]));

  // Real tracking: the system measures and draws the shown menu.
  SetTimer(nullptr, 0, 300, CloseMenuSoon);
  main.Track(host.Handle(), POINT{150, 150}, TPM_RETURNCMD);
  const ULONG_PTR first = reinterpret_cast<ULONG_PTR>(&entries[0]);
  const ULONG_PTR popup = reinterpret_cast<ULONG_PTR>(&entries[1]);
  EXPECT_NE(std::find(main.measured.begin(), main.measured.end(), first), main.measured.end());
  EXPECT_NE(std::find(main.measured.begin(), main.measured.end(), popup), main.measured.end());
  EXPECT_NE(std::find(main.drawn.begin(), main.drawn.end(), first), main.drawn.end());
  EXPECT_TRUE(sub.measured.empty());

  // The sub-menu's entry goes to the sub-menu, whatever window asks.
  MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 2, 0, 0, reinterpret_cast<ULONG_PTR>(&entries[2])};
  EXPECT_TRUE(SendMessageW(host.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  ASSERT_EQ(sub.measured.size(), 1u);
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.itemID = 2;
  draw.hwndItem = reinterpret_cast<HWND>(sub.Handle());
  draw.itemData = reinterpret_cast<ULONG_PTR>(&entries[2]);
  EXPECT_TRUE(SendMessageW(host.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  EXPECT_EQ(sub.drawn.size(), 1u);
}

TEST(WindowBase, EachMenuObjectKeepsItsOwnHandleWhateverTheOrderOfDestruction) {
  auto sub = std::make_unique<RecordingMenu>();
  HMENU subHandle = sub->Handle();
  {
    RecordingMenu main;
    int data = 0;
    main.AppendSubMenu(*sub, &data);
  }
  // The parent menu went without taking the sub-menu with it.
  EXPECT_TRUE(IsMenu(subHandle));
  sub.reset();
  EXPECT_FALSE(IsMenu(subHandle));
}

class ProbeDialog : public ui::Dialog {
 public:
  using Dialog::Dialog;
  std::vector<UINT> filtered;
  bool initialised = false;
  HWND edit = nullptr;

 protected:
  bool OnInitDialog() override {
    initialised = true;
    SetWindowPos(Handle(), nullptr, 50, 50, 200, 120, SWP_NOZORDER);
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 80, 20, Handle(),
                           reinterpret_cast<HMENU>(5), GetModuleHandleW(nullptr), nullptr);
    return true;
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_CHAR && msg.wParam == 'x') {
      filtered.push_back(msg.message);
      return true;
    }
    return false;
  }
};

const ui::Dialog::EmptyTemplate kPopup = {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0};

TEST(DialogBase, ModalLoopReturnsWhatEndDialogWasGivenAndTheWindowIsGone) {
  Host owner;
  ASSERT_TRUE(owner.Create(0, u"owner", WS_POPUP | WS_VISIBLE, Area(0, 0, 300, 200), nullptr));
  ProbeDialog dialog(kPopup, owner.Handle());
  bool ownerDisabledWhileOpen = false;
  HWND window = nullptr;
  ModalScript script(dialog, {[&] {
                                window = dialog.Handle();
                                ownerDisabledWhileOpen = !IsWindowEnabled(owner.Handle());
                                dialog.EndDialog(42);
                              }});
  EXPECT_EQ(script.Run(), 42);
  EXPECT_TRUE(dialog.initialised);
  EXPECT_TRUE(ownerDisabledWhileOpen);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogBase, TheCloseBoxCancelsAndEscapeCancels) {
  for (const bool useEscape : {false, true}) {
    ProbeDialog dialog(kPopup);
    ModalScript script(dialog, {[&] {
      if (useEscape)
        uitest::PostKey(dialog.edit, VK_ESCAPE);
      else
        PostMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }});
    EXPECT_EQ(script.Run(), IDCANCEL) << (useEscape ? "Esc" : "close box");
  }
}

TEST(DialogBase, MessagesToChildrenPassTheDialogsPreTranslationFirst) {
  ProbeDialog dialog(kPopup);
  std::wstring typed;
  ModalScript script(dialog, {[&] {
                                SetFocus(dialog.edit);
                                for (wchar_t c : std::wstring(L"axb")) PostMessageW(dialog.edit, WM_CHAR, c, 1);
                              },
                              [&] {
                                wchar_t text[16] = {};
                                GetWindowTextW(dialog.edit, text, 16);
                                typed = text;
                                dialog.EndDialog(IDOK);
                              }});
  EXPECT_EQ(script.Run(), IDOK);
  EXPECT_EQ(typed, L"ab");
  EXPECT_EQ(dialog.filtered.size(), 1u);
}

TEST(DialogBase, QuitEndsTheModalLoopAndIsHandedOn) {
  ProbeDialog dialog(kPopup);
  ModalScript script(dialog, {[] { PostQuitMessage(7); }});
  EXPECT_EQ(script.Run(), IDCANCEL);
  MSG msg = {};
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 7u);
}

TEST(DialogBase, ModelessChildDialogOnAnEmptyTemplate) {
  Host host;
  ASSERT_TRUE(host.Create(0, u"host", WS_POPUP, Area(0, 0, 300, 200), nullptr));
  ProbeDialog page(ui::Dialog::EmptyTemplate{WS_CHILD, 0}, host.Handle());
  ASSERT_TRUE(page.CreateModeless());
  EXPECT_TRUE(page.initialised);
  EXPECT_EQ(GetParent(page.Handle()), host.Handle());
  EXPECT_FALSE(page.IsModal());
  page.EndDialog(IDOK);
  EXPECT_EQ(page.Handle(), nullptr);
}

TEST(DialogBase, AMissingTemplateFailsWithoutAWindow) {
  ui::Dialog missing(9999u);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.CreateModeless());
}

}  // namespace
