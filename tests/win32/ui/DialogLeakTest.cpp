// A thousand openings and closings of each dialog leave the process with as
// many GDI objects and windows as before and with no more memory than heap
// noise.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "UiTestSupport.h"
#include "config/DeviceCatalogue.h"
#include "config/MacroStore.h"
#include "fakes/ConfigFixtures.h"
#include "platform/MemoryRegistry.h"
#include "text/LabelTable.h"
#include "ui/dialogs/DlgAutoStart.h"
#include "ui/dialogs/DlgCombo.h"
#include "ui/dialogs/DlgMacro.h"
#include "ui/dialogs/DlgRestore.h"
#include "ui/dialogs/SelectDev.h"
#include "ui/resources/ResourceIds.h"
#include "win32/DistFolder.h"

namespace {

constexpr int kCycles = 1000;
constexpr int kWarmUp = 20;

// Paints the dialog and every control in it now.
void PaintAll(HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

// The counts have to see a leak for the test to mean anything.
void ExpectCountsSeeObjects() {
  const long before = uitest::CountResources().gdiObjects;
  std::vector<ui::Brush> brushes;
  for (int i = 0; i < 10; ++i) brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
  ASSERT_EQ(uitest::CountResources().gdiObjects, before + 10) << "the GDI object count does not work here";
}

void ExpectNoLeak(const std::function<void()>& cycle, int cycles = kCycles) {
  ExpectCountsSeeObjects();
  for (int i = 0; i < kWarmUp; ++i) cycle();
  const uitest::ResourceCounts before = uitest::CountResources();
  for (int i = 0; i < cycles; ++i) cycle();
  const uitest::ResourceCounts after = uitest::CountResources();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_LT(after.committedBytes, before.committedBytes + (2u << 20))
      << "grew by " << (after.committedBytes - before.committedBytes) << " bytes";
}

TEST(DialogLeaks, MessageDialog) {
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
  ExpectNoLeak([] {
    ui::CDlgRestore dialog;
    dialog.SetTitle(u"Tips");
    dialog.SetMessage(u"No Varnok wireless device connected. Application will close now.");
    uitest::ModalScript script(dialog, {[&] {
                                          // Painted, its button lit and its tooltip made, then cancelled.
                                          PaintAll(dialog.Handle());
                                          PostMessageW(dialog.OkButton(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
                                        },
                                        [&] {
                                          PaintAll(dialog.Handle());
                                          uitest::Click(dialog.CancelButton());
                                        }});
    ASSERT_EQ(script.Run(), IDCANCEL);
  });
  LabelTable::Instance().Clear();
}

TEST(DialogLeaks, DeviceSelection) {
  testing_config::ResetConfiguration();
  config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Varnok Glide M5", 0x9060, 1, {1}, {}));
  config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Varnok Tempo K7", 0x9080, 2, {}, {0x70}));
  ExpectNoLeak([] {
    ui::CSelectDev dialog;
    uitest::ModalScript script(dialog, {[&] {
      PaintAll(dialog.Handle());
      SendDlgItemMessageW(dialog.Handle(), IDC_SELECT_DEVICE_LIST, CB_SETCURSEL, 1, 0);
      uitest::Click(GetDlgItem(dialog.Handle(), IDC_SELECT_DEVICE_OK));
    }});
    ASSERT_EQ(script.Run(), 1);
  });
  testing_config::ResetConfiguration();
}

// Each opening loads and hooks the keyboard library and paints a
// combination; 200 are enough to see a handle kept per opening.
TEST(DialogLeaks, CombinationDialog) {
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_combo_tips"), u"Press the keys this button is to send.");
  const std::u16string program = wintest::DistFolder();
  ExpectNoLeak(
      [&] {
        ui::CDlgCombo dialog(nullptr, program);
        uitest::ModalScript script(dialog, {[&] {
                                      uitest::PostHookKey(dialog.Handle(), VK_LCONTROL, false);
                                      uitest::PostHookKey(dialog.Handle(), 'S', false);
                                      PostMessageW(dialog.OkButton(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
                                    },
                                    [&] {
                                      PaintAll(dialog.Handle());
                                      uitest::Click(dialog.CancelButton());
                                    }});
        ASSERT_EQ(script.Run(), IDCANCEL);
      },
      200);
  LabelTable::Instance().Clear();
}

// Each opening paints the file name in its own font.
TEST(DialogLeaks, LaunchDialog) {
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_ok"), u"OK");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_cancel"), u"Cancel");
  LabelTable::Instance().Set(LabelTable::IndexOf("tc_auto_brower"), u"Browse");
  ExpectNoLeak(
      [&] {
        ui::CDlgAutoStart dialog(nullptr, u"C:\\Tools\\a program with a long name that cannot fit at all.exe");
        uitest::ModalScript script(dialog, {[&] {
                                      PaintAll(dialog.Handle());
                                      PostMessageW(dialog.BrowseButton(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
                                    },
                                    [&] {
                                      PaintAll(dialog.Handle());
                                      uitest::Click(dialog.CancelButton());
                                    }});
        ASSERT_EQ(script.Run(), IDCANCEL);
      },
      200);
  LabelTable::Instance().Clear();
}

// Each opening loads and hooks the keyboard library and fills both lists
// with icon rows; 200 are enough to see a handle kept per opening.
TEST(DialogLeaks, MacroEditor) {
  testing_config::ResetConfiguration();
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed(registry);
  const std::u16string program = wintest::DistFolder();
  macro::tagMACROINFO& shown = macro::TheMacroStore.macros[0];
  macro::SetMacroName(shown, u"Signature");
  shown.eventCount = 3;
  shown.events[0] = {0x41, 0, {}, 120};
  shown.events[1] = {0x41, 1, {}, 0};
  shown.events[2] = {0x0D, 0, {}, 0};
  macro::TheMacroStore.macroCount = 1;
  ExpectNoLeak(
      [&] {
        ui::CDlgMacro dialog(nullptr, program, 0);
        uitest::ModalScript script(dialog, {[&] {
                                      PaintAll(dialog.Handle());
                                      uitest::Click(dialog.NewButton());
                                      SendMessageW(dialog.MacroList().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON,
                                                   MAKELPARAM(20, 9));
                                    },
                                    [&] {
                                      PaintAll(dialog.Handle());
                                      uitest::Click(dialog.CancelButton());
                                    }});
        ASSERT_EQ(script.Run(), IDCANCEL);
      },
      200);
  testing_config::ResetConfiguration();
}

}  // namespace
