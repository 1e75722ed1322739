#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "config/DeviceCatalogue.h"
#include "config/FunctionCodes.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/TempFolder.h"

namespace {

using config::DeviceCatalogue;
using config::tagVARNOK24G_UI_INFORMATION;

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

// A program folder with a device list and model descriptions.
class ModelFolder {
 public:
  void WriteList(const std::string& iniText) { folder_.Write("VNType.ini", iniText); }

  void WriteModels(const std::vector<std::string>& names) {
    std::string ini = "[DEVICE_NUM]\r\nDeviceNum=" + std::to_string(names.size()) + "\r\n[DEVICE_NAME]\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) ini += "Name" + std::to_string(i) + "=" + names[i] + "\r\n";
    WriteList(ini);
  }

  void WriteDescription(const std::string& model, const std::string& xml) {
    std::filesystem::create_directories(folder_.Path() / "skins" / model);
    folder_.Write("skins/" + model + "/DeviceSkn.xml", xml);
  }

  // The folder as the program names it, ending in a backslash.
  std::u16string ProgramFolder() const {
    std::u16string path = folder_.ProgramPath();
    path.back() = u'\\';
    return path;
  }

 private:
  fakes::TempFolder folder_;
};

std::string Description(const std::string& name, const std::string& value, const std::string& inner,
                        const std::string& type = "1") {
  return "<?xml version=\"1.0\"?>\n<skin><device_type name=\"" + name + "\" value=\"" + value + "\" type=\"" +
         type + "\">" + inner + "</device_type></skin>\n";
}

class DeviceCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_config::ResetConfiguration(); }
  void TearDown() override { testing_config::ResetConfiguration(); }

  // Loads one model described by `xml` and returns its record.
  tagVARNOK24G_UI_INFORMATION LoadOne(const std::string& xml) {
    models.WriteModels({"Model"});
    models.WriteDescription("Model", xml);
    config::LoadDeviceCatalogue(models.ProgramFolder());
    EXPECT_EQ(DeviceCatalogue.size(), 1u);
    return DeviceCatalogue.empty() ? tagVARNOK24G_UI_INFORMATION{} : DeviceCatalogue[0];
  }

  ModelFolder models;
};

TEST_F(DeviceCatalogueTest, ShippedModelsAllLoad) {
  config::LoadDeviceCatalogue(Wide(VN24G_SHIPPED_DATA_DIR) + u"\\");
  ASSERT_EQ(DeviceCatalogue.size(), 3u);
  EXPECT_EQ(config::ModelName(DeviceCatalogue[0]), u"Varnok Glide M5");
  EXPECT_EQ(config::ModelName(DeviceCatalogue[1]), u"Varnok Tempo K7");
  const tagVARNOK24G_UI_INFORMATION& duo = DeviceCatalogue[2];
  EXPECT_EQ(config::ModelName(duo), u"Varnok Duo S8");
  EXPECT_EQ(duo.modelValue, 0x9080);
  EXPECT_EQ(duo.deviceType, 3u);
  EXPECT_EQ(duo.mouseButtonCount, 7);
  EXPECT_EQ(duo.keyCount, 16);
  EXPECT_EQ(duo.mouseButtons[6].buttonCode, 0x0A);
  EXPECT_EQ(duo.keys[0].buttonCode, 0x65);
  EXPECT_EQ(duo.keys[15].buttonCode, 0x73);
  EXPECT_EQ(duo.keys[15].pos.right, 612);
  EXPECT_EQ(duo.keyMarks[15].left, 558);
  EXPECT_EQ(std::u16string(duo.mouseButtons[0].tips), u"Left button");
  for (const auto& device : DeviceCatalogue) {
    // Every listed button is one the dispatcher can report.
    for (std::size_t k = 0; k < config::UsedMouseButtons(device); ++k)
      EXPECT_TRUE(config::IsMouseButtonCode(device.mouseButtons[k].buttonCode));
    for (std::size_t k = 0; k < config::UsedKeys(device); ++k)
      EXPECT_TRUE(config::IsKeyboardButtonCode(device.keys[k].buttonCode));
  }
}

TEST_F(DeviceCatalogueTest, DamagedOrMissingDescriptionsSkipOnlyTheirModel) {
  models.WriteModels({"Broken", "Missing", "Empty", "Bare", "Good"});
  models.WriteDescription("Broken",
                          Description("Broken", "0x9001", "<mouse_button button_num=\"1\"><button button_type=\"1\">"
                                                          "</mouse_button>"));
  models.WriteDescription("Empty", "");
  models.WriteDescription("Bare", "<skin><other/></skin>");
  models.WriteDescription("Good", Description("Good", "0x9005", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());
  ASSERT_EQ(DeviceCatalogue.size(), 1u);
  EXPECT_EQ(DeviceCatalogue[0].modelValue, 0x9005);
}

TEST_F(DeviceCatalogueTest, NoUsableDeviceListGivesAnEmptyCatalogue) {
  const char* lists[] = {
      "",                                          // no file content
      "[DEVICE_NUM]\r\nDeviceNum=0\r\n[DEVICE_NAME]\r\nName0=Model\r\n",
      "[DEVICE_NUM]\r\nDeviceNum=-4\r\n[DEVICE_NAME]\r\nName0=Model\r\n",
      "[DEVICE_NUM]\r\nDeviceNum=two\r\n[DEVICE_NAME]\r\nName0=Model\r\n",
      "DeviceNum=1\r\nName0=Model\r\n",            // keys outside their sections
  };
  models.WriteDescription("Model", Description("Model", "0x9001", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());  // no VNType.ini at all
  EXPECT_TRUE(DeviceCatalogue.empty());
  for (const char* list : lists) {
    models.WriteList(list);
    config::LoadDeviceCatalogue(models.ProgramFolder());
    EXPECT_TRUE(DeviceCatalogue.empty()) << list;
  }
}

TEST_F(DeviceCatalogueTest, AHugeModelCountStillEnds) {
  models.WriteList("[DEVICE_NUM]\r\nDeviceNum=2000000000\r\n[DEVICE_NAME]\r\nName0=Model\r\n");
  models.WriteDescription("Model", Description("Model", "0x9001", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());
  ASSERT_EQ(DeviceCatalogue.size(), 1u);
}

TEST_F(DeviceCatalogueTest, CountsComeFromButtonNumNotFromTheElements) {
  struct Case {
    const char* buttonNum;
    int buttons;
    int32_t count;
  };
  const Case cases[] = {
      {"3", 5, 3}, {"2", 1, 2}, {"40", 3, 15}, {"-2", 2, 0}, {"", 2, 0}, {"4x", 4, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.buttonNum);
    testing_config::ResetConfiguration();
    std::string buttons;
    for (int k = 0; k < c.buttons; ++k) buttons += "<button button_type=\"" + std::to_string(k + 1) + "\"/>";
    const auto device = LoadOne(Description("Model", "0x9001", "<mouse_button button_num=\"" +
                                                                   std::string(c.buttonNum) + "\">" + buttons +
                                                                   "</mouse_button>"));
    EXPECT_EQ(device.mouseButtonCount, c.count);
    for (int k = 0; k < 15; ++k) EXPECT_EQ(device.mouseButtons[k].buttonCode, k < c.buttons ? k + 1 : 0) << k;
  }
}

TEST_F(DeviceCatalogueTest, ButtonsBeyondTheArraysAreNotRead) {
  std::string mouse, keys;
  for (int k = 0; k < 30; ++k) mouse += "<button button_type=\"0x09\" pos=\"1,1,1,1\"/>";
  for (int k = 0; k < 30; ++k) keys += "<button button_type=\"0x60\" mark_pos=\"2,2,2,2\"/>";
  const auto device =
      LoadOne(Description("Model", "0x9001",
                          "<mouse_button button_num=\"30\">" + mouse + "</mouse_button><keyboard_button button_num=\"30\">" +
                              keys + "</keyboard_button>",
                          "3"));
  EXPECT_EQ(device.mouseButtonCount, 15);
  EXPECT_EQ(device.keyCount, 20);
  EXPECT_EQ(device.mouseButtons[14].buttonCode, 0x09);
  EXPECT_EQ(device.keys[19].buttonCode, 0x60);
  EXPECT_EQ(device.keyMarks[19].bottom, 2);
  EXPECT_EQ(device.mouseMarks[0].left, 0);  // these buttons have no mark_pos
}

TEST_F(DeviceCatalogueTest, AttributeValuesAreParsedAsTheirKind) {
  const auto device = LoadOne(
      "<skin><device_type name=\"Model\" value=\"9070\" type=\"0x103\">"
      "<mouse_button button_num=\"3\">"
      "<button button_type=\"0x1FF\" pos=\"10,20,30,40\" mark_pos=\"5, 6\"/>"
      "<button button_type=\"a\" pos=\"-1,2,x,4,99\"/>"
      "<button/>"
      "</mouse_button></device_type></skin>");
  EXPECT_EQ(device.modelValue, 0x9070);
  EXPECT_EQ(device.deviceType, 3u);
  const config::DeviceRect expected[] = {{10, 20, 30, 40}, {-1, 2, 0, 4}, {0, 0, 0, 0}};
  const config::DeviceRect marks[] = {{5, 6, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}};
  const uint8_t codes[] = {0xFF, 0x0A, 0x00};
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const config::DeviceRect& pos = device.mouseButtons[k].pos;
    EXPECT_EQ(device.mouseButtons[k].buttonCode, codes[k]);
    EXPECT_EQ(std::vector<int32_t>({pos.left, pos.top, pos.right, pos.bottom}),
              std::vector<int32_t>({expected[k].left, expected[k].top, expected[k].right, expected[k].bottom}));
    const config::DeviceRect& mark = device.mouseMarks[k];
    EXPECT_EQ(std::vector<int32_t>({mark.left, mark.top, mark.right, mark.bottom}),
              std::vector<int32_t>({marks[k].left, marks[k].top, marks[k].right, marks[k].bottom}));
  }

  testing_config::ResetConfiguration();
  EXPECT_EQ(LoadOne(Description("Model", "0x9070", "")).modelValue, 0x9070);
}

TEST_F(DeviceCatalogueTest, TextsAreCutTo19UnitsAndKeptAsWritten) {
  const auto device = LoadOne(Description(
      "A 100% model &amp; %s more letters", "0x9001",
      "<mouse_button button_num=\"1\"><button button_type=\"1\" tips=\"abcdefghijklmnopqrstuvwxy\"/></mouse_button>"));
  EXPECT_EQ(config::ModelName(device), u"A 100% model & %s m");
  EXPECT_EQ(std::u16string(device.mouseButtons[0].tips), u"abcdefghijklmnopqrs");
  EXPECT_EQ(device.name[19], u'\0');
}

TEST_F(DeviceCatalogueTest, ListedNamesAreCutTo19UnitsAndMayHoldAnyCharacter) {
  models.WriteModels({"Mouse 100% %s%n x", "Twenty-five characters xx"});
  models.WriteDescription("Mouse 100% %s%n x", Description("Percent", "0x9001", ""));
  models.WriteDescription("Twenty-five character", Description("Long", "0x9002", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());
  ASSERT_EQ(DeviceCatalogue.size(), 1u);  // the long name is looked for as its first 19 units
  EXPECT_EQ(config::ModelName(DeviceCatalogue[0]), u"Percent");

  testing_config::ResetConfiguration();
  models.WriteDescription("Twenty-five charact", Description("Long", "0x9002", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());
  ASSERT_EQ(DeviceCatalogue.size(), 2u);
  EXPECT_EQ(config::ModelName(DeviceCatalogue[1]), u"Long");
}

TEST_F(DeviceCatalogueTest, KeyboardGroupBeforeTheMouseGroupIsNotFound) {
  const auto device = LoadOne(Description(
      "Model", "0x9001",
      "<keyboard_button button_num=\"1\"><button button_type=\"0x60\"/></keyboard_button>"
      "<mouse_button button_num=\"1\"><button button_type=\"0x02\"/></mouse_button>",
      "3"));
  EXPECT_EQ(device.mouseButtonCount, 1);
  EXPECT_EQ(device.mouseButtons[0].buttonCode, 2);
  EXPECT_EQ(device.keyCount, 0);
  EXPECT_EQ(device.keys[0].buttonCode, 0);

  testing_config::ResetConfiguration();
  const auto keyboardOnly = LoadOne(
      Description("Model", "0x9001", "<keyboard_button button_num=\"1\"><button button_type=\"0x60\"/></keyboard_button>", "2"));
  EXPECT_EQ(keyboardOnly.keyCount, 1);
  EXPECT_EQ(keyboardOnly.mouseButtonCount, 0);
}

TEST_F(DeviceCatalogueTest, SelectionTakesTheFirstModelOfAValue) {
  models.WriteModels({"One", "Two", "Three"});
  models.WriteDescription("One", Description("One", "0x9060", ""));
  models.WriteDescription("Two", Description("Two", "0x9070", ""));
  models.WriteDescription("Three", Description("Three", "0x9070", ""));
  config::LoadDeviceCatalogue(models.ProgramFolder());
  ASSERT_EQ(DeviceCatalogue.size(), 3u);

  config::SelectCurrentDevice(0x9070);
  EXPECT_EQ(config::ModelName(config::CurrentDevice), u"Two");
  config::SelectCurrentDevice(0x1234);  // unknown: nothing changes
  EXPECT_EQ(config::ModelName(config::CurrentDevice), u"Two");
}

}  // namespace
