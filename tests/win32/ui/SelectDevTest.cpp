// The device selection dialog: the catalogue's models in catalogue order,
// and what each way of leaving it answers.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "UiTestSupport.h"
#include "config/DeviceCatalogue.h"
#include "fakes/ConfigFixtures.h"
#include "platform/win32/WideString.h"
#include "text/LabelTable.h"
#include "ui/dialogs/SelectDev.h"
#include "ui/resources/ResourceIds.h"

namespace {

using uitest::ModalScript;

class SelectDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Varnok Glide M5", 0x9060, 1, {1, 2}, {}));
    config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Varnok Tempo K7", 0x9080, 2, {}, {0x70}));
    config::DeviceCatalogue.push_back(testing_config::MakeDevice(u"Varnok Duo S8", -0x6F70, 3, {1}, {0x70}));
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_select_dev_title"), u"Select device");
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_select_dev_tips1"), u"Which device do you use?");
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  static HWND List(const ui::CSelectDev& dialog) { return GetDlgItem(dialog.Handle(), IDC_SELECT_DEVICE_LIST); }
  static void PressOk(const ui::CSelectDev& dialog) {
    uitest::Click(GetDlgItem(dialog.Handle(), IDC_SELECT_DEVICE_OK));
  }
  static void Choose(const ui::CSelectDev& dialog, int item) { SendMessageW(List(dialog), CB_SETCURSEL, item, 0); }
};

std::wstring TextOf(HWND window) {
  wchar_t text[128] = {};
  GetWindowTextW(window, text, 128);
  return text;
}

TEST_F(SelectDevice, ListsTheModelsInCatalogueOrderWithNothingChosen) {
  ui::CSelectDev dialog;
  std::vector<std::wstring> names;
  std::vector<LRESULT> values;
  LRESULT selection = 0;
  std::wstring title, tips, button;
  ModalScript script(dialog, {[&] {
    const HWND list = List(dialog);
    for (int i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
      wchar_t name[64] = {};
      SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
      names.push_back(name);
      values.push_back(SendMessageW(list, CB_GETITEMDATA, i, 0));
    }
    selection = SendMessageW(list, CB_GETCURSEL, 0, 0);
    title = TextOf(dialog.Handle());
    tips = TextOf(GetDlgItem(dialog.Handle(), -1));
    button = TextOf(GetDlgItem(dialog.Handle(), IDC_SELECT_DEVICE_OK));
    dialog.EndDialog(IDCANCEL);
  }});
  script.Run();
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Varnok Glide M5", L"Varnok Tempo K7", L"Varnok Duo S8"}));
  EXPECT_EQ(values, (std::vector<LRESULT>{0x9060, 0x9080, -0x6F70}));
  EXPECT_EQ(selection, CB_ERR);
  EXPECT_EQ(title, L"Select device");
  EXPECT_EQ(tips, L"Which device do you use?");
  EXPECT_EQ(button, L"OK");
}

TEST_F(SelectDevice, WaysOfLeaving) {
  struct Case {
    const char* name;
    std::function<void(ui::CSelectDev&)> act;
    INT_PTR result;
    int32_t model;
  };
  const Case cases[] = {
      {"second chosen, OK", [](ui::CSelectDev& d) { Choose(d, 1); PressOk(d); }, 1, 0x9080},
      {"third chosen, OK", [](ui::CSelectDev& d) { Choose(d, 2); PressOk(d); }, 1, -0x6F70},
      {"nothing chosen, OK", [](ui::CSelectDev& d) { PressOk(d); }, 2, 0},
      {"close box", [](ui::CSelectDev& d) { PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, 2, 0},
      {"chosen, then close box",
       [](ui::CSelectDev& d) { Choose(d, 0); PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, 2, 0},
      {"Esc", [](ui::CSelectDev& d) { uitest::PostKey(List(d), VK_ESCAPE); }, 2, 0},
      {"nothing chosen, Enter", [](ui::CSelectDev& d) { uitest::PostKey(d.Handle(), VK_RETURN); }, 2, 0},
      {"second chosen, Enter", [](ui::CSelectDev& d) { Choose(d, 1); uitest::PostKey(d.Handle(), VK_RETURN); }, 1,
       0x9080},
  };
  for (const Case& c : cases) {
    ui::CSelectDev dialog;
    ModalScript script(dialog, {[&] { c.act(dialog); }});
    EXPECT_EQ(script.Run(), c.result) << c.name;
    EXPECT_EQ(dialog.ChosenModel(), c.model) << c.name;
  }
}

TEST_F(SelectDevice, AnEmptyCatalogueGivesAnEmptyListAndOkCancels) {
  config::DeviceCatalogue.clear();
  ui::CSelectDev dialog;
  LRESULT count = -1;
  ModalScript script(dialog, {[&] {
    count = SendMessageW(List(dialog), CB_GETCOUNT, 0, 0);
    PressOk(dialog);
  }});
  EXPECT_EQ(script.Run(), 2);
  EXPECT_EQ(count, 0);
}

}  // namespace
