#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "device/DriverControlCodes.h"
#include "device/InterceptionMasks.h"
#include "device/USBDriver.h"
#include "fakes/FakeDriver.h"

namespace {

using ::testing::ElementsAre;
using device::ComputeInterceptionMasks;
using device::InterceptionMasks;

// A model with the given button codes, every button keeping its own
// function, and a settings record to change.
struct Model {
  config::tagVARNOK24G_UI_INFORMATION device{};
  config::tagVARNOK24G_DATA_ settings{};

  Model(int32_t modelValue, uint8_t deviceType, std::vector<uint8_t> mouseCodes, std::vector<uint8_t> keyCodes) {
    device.modelValue = modelValue;
    device.deviceType = deviceType;
    device.mouseButtonCount = static_cast<int32_t>(mouseCodes.size());
    device.keyCount = static_cast<int32_t>(keyCodes.size());
    for (std::size_t k = 0; k < mouseCodes.size(); ++k) {
      device.mouseButtons[k].buttonCode = mouseCodes[k];
      settings.mouseAssignments[k].functionCode = mouseCodes[k];
    }
    for (std::size_t k = 0; k < keyCodes.size(); ++k) {
      device.keys[k].buttonCode = keyCodes[k];
      settings.keyAssignments[k].functionCode = keyCodes[k];
    }
  }

  InterceptionMasks Masks(uint8_t deviceType) const { return ComputeInterceptionMasks(deviceType, device, settings); }
};

void ExpectMasks(const InterceptionMasks& masks, uint32_t mouse, uint32_t key, uint32_t extra) {
  EXPECT_EQ(masks.mouseMask, mouse);
  EXPECT_EQ(masks.keyMask, key);
  EXPECT_EQ(masks.extraKeyMask, extra);
}

const std::vector<uint8_t> kMouseCodes = {1, 2, 3, 5, 4, 9, 10, 16, 17, 86, 87};
const std::vector<uint8_t> kKeyCodes = {110, 111, 114, 113, 112, 116, 117, 102, 115, 103,
                                        96,  97,  108, 109, 101, 98,  99,  100, 104, 105};

TEST(InterceptionMasksTest, DefaultFunctionsLeaveTheInitialMasks) {
  ExpectMasks(Model(0x9010, 1, kMouseCodes, {}).Masks(1), 0x180, 0x19C0000, 0);
  ExpectMasks(Model(0x9080, 3, kMouseCodes, kKeyCodes).Masks(3), 0x180, 0x19C0000, 0);
}

TEST(InterceptionMasksTest, EachMouseButtonSetsItsBit) {
  struct Case {
    uint8_t code;
    uint32_t mouse;
    uint32_t key;
  };
  const Case cases[] = {
      {1, 0x181, 0x19C0000},  {2, 0x182, 0x19C0000},  {3, 0x184, 0x19C0000},  {5, 0x188, 0x19C0000},
      {4, 0x190, 0x19C0000},  {9, 0x1A0, 0x19C0000},  {10, 0x1C0, 0x19C0000}, {16, 0x180, 0x19C0000},
      {17, 0x180, 0x19C0000}, {86, 0x180, 0x19C0000}, {87, 0x180, 0x19C0000},
      // A code outside the table is reassigned but sets nothing.
      {50, 0x180, 0x19C0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "button code " << int(c.code));
    Model model(0x9010, 1, {c.code}, {});
    model.settings.mouseAssignments[0].functionCode = 65;
    ExpectMasks(model.Masks(1), c.mouse, c.key, 0);
  }
}

TEST(InterceptionMasksTest, RightButtonGivenLeftClick) {
  Model model(0x9010, 1, {1, 2, 3}, {});
  model.settings.mouseAssignments[1].functionCode = 1;
  ExpectMasks(model.Masks(1), 0x182, 0x19C0000, 0);
}

TEST(InterceptionMasksTest, SwitchedOffButtonIsTakenOver) {
  Model model(0x9010, 1, {3}, {});
  model.settings.mouseAssignments[0].functionCode = 21;
  ExpectMasks(model.Masks(1), 0x184, 0x19C0000, 0);
}

TEST(InterceptionMasksTest, KeyboardTableBothColumns) {
  struct Row {
    uint8_t code;
    uint32_t keyBit;    // every other model
    uint32_t extraBit;  // models 0x9060, 0x9070, 0x9080; 0 = key mask there too
  };
  const Row rows[] = {
      {110, 0x1, 0x20},     {111, 0x2, 0x10},     {114, 0x4, 0x40},      {113, 0x8, 0x100},
      {112, 0x10, 0x80},    {116, 0x20, 0x400},   {117, 0x40, 0x200},    {102, 0x80, 0x8},
      {115, 0x400, 0x800},  {103, 0x1000, 0x4},   {96, 0x2000, 0x1},     {97, 0x4000, 0x2},
      {108, 0x100, 0},      {109, 0x200, 0},      {101, 0x800, 0},       {98, 0x8000, 0},
      {99, 0x10000, 0},     {100, 0x20000, 0},    {104, 0x200000, 0},    {105, 0x400000, 0},
      {106, 0x800000, 0},   {107, 0x1000000, 0},
  };
  const int32_t extraModels[] = {0x9060, 0x9070, 0x9080};
  const int32_t otherModels[] = {0x9050, 0x9071, 0};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "key code " << int(row.code));
    for (int32_t modelValue : otherModels) {
      Model model(modelValue, 2, {}, {row.code});
      model.settings.keyAssignments[0].functionCode = 65;
      ExpectMasks(model.Masks(2), 0x180, 0x19C0000 | row.keyBit, 0);
    }
    for (int32_t modelValue : extraModels) {
      Model model(modelValue, 2, {}, {row.code});
      model.settings.keyAssignments[0].functionCode = 65;
      if (row.extraBit != 0) {
        ExpectMasks(model.Masks(2), 0x180, 0x19C0000, row.extraBit);
      } else {
        ExpectMasks(model.Masks(2), 0x180, 0x19C0000 | row.keyBit, 0);
      }
    }
  }
}

TEST(InterceptionMasksTest, KeyCodeOutsideTheTableSetsNothing) {
  Model model(0x9070, 2, {}, {120, 1});
  model.settings.keyAssignments[0].functionCode = 65;
  model.settings.keyAssignments[1].functionCode = 65;  // a mouse code in the key table
  ExpectMasks(model.Masks(2), 0x180, 0x19C0000, 0);
}

TEST(InterceptionMasksTest, DeviceTypeChoosesTheTables) {
  Model model(0x9000, 3, {2}, {96});
  model.settings.mouseAssignments[0].functionCode = 1;
  model.settings.keyAssignments[0].functionCode = 1;
  ExpectMasks(model.Masks(3), 0x182, 0x19C2000, 0);
  ExpectMasks(model.Masks(1), 0x182, 0x19C0000, 0);
  ExpectMasks(model.Masks(2), 0x180, 0x19C2000, 0);
  ExpectMasks(model.Masks(0), 0x180, 0x19C0000, 0);
}

TEST(InterceptionMasksTest, OnlyPositionsWithinTheModelsCountsCount) {
  Model model(0x9000, 3, {1, 2}, {96});
  // Records beyond the counts hold changed functions of codes in the table.
  model.device.mouseButtons[2].buttonCode = 3;
  model.settings.mouseAssignments[2].functionCode = 1;
  model.device.keys[1].buttonCode = 97;
  model.settings.keyAssignments[1].functionCode = 1;
  ExpectMasks(model.Masks(3), 0x180, 0x19C0000, 0);

  // Counts read from a model file can be anything; the arrays bound them.
  model.device.mouseButtonCount = 1000;
  model.device.keyCount = -5;
  ExpectMasks(model.Masks(3), 0x184, 0x19C0000, 0);
}

class SendInterceptionMasksTest : public ::testing::Test {
 protected:
  SendInterceptionMasksTest() {
    Model model(0x9070, 3, {2}, {96, 108});
    model.settings.mouseAssignments[0].functionCode = 1;
    model.settings.keyAssignments[0].functionCode = 1;
    config::CurrentDevice = model.device;
    config::ActiveSettings = model.settings;
  }
  ~SendInterceptionMasksTest() override {
    channel_.ShutdownEventChannel();
    config::CurrentDevice = {};
    config::ActiveSettings = {};
  }
  void OpenDriver() {
    channel_.StartEventChannel(0x4711);
    ASSERT_TRUE(channel_.EnableDriver());
    startSteps_ = driver_.Calls().size();
  }
  std::vector<fakes::FakeDriver::Call> SentAfterOpen() const {
    const auto calls = driver_.Calls();
    return std::vector<fakes::FakeDriver::Call>(calls.begin() + startSteps_, calls.end());
  }

  fakes::FakeDriver driver_;
  platform::ScopedService<platform::ControlDevice> service_{driver_};
  device::CUSBDriver channel_;
  std::size_t startSteps_ = 0;
};

TEST_F(SendInterceptionMasksTest, ClearsThenSendsTheNewMasks) {
  OpenDriver();
  EXPECT_TRUE(device::SendInterceptionMasks(3));
  std::vector<std::pair<uint32_t, uint32_t>> sent;
  for (const auto& call : SentAfterOpen()) sent.emplace_back(call.code, call.value);
  EXPECT_THAT(sent, ElementsAre(std::make_pair(0x22240Cu, 0u), std::make_pair(0x222410u, 0u),
                                std::make_pair(0x222434u, 0u), std::make_pair(0x22240Cu, 0x182u),
                                std::make_pair(0x222410u, 0x19C0000u), std::make_pair(0x222434u, 0x1u)));

  // Giving the buttons their own functions back clears their bits, and an
  // empty extra mask is not sent after the clearing.
  config::ActiveSettings.mouseAssignments[0].functionCode = 2;
  config::ActiveSettings.keyAssignments[0].functionCode = 96;
  EXPECT_TRUE(device::SendInterceptionMasks(3));
  EXPECT_EQ(driver_.MouseMask(), 0x180u);
  EXPECT_EQ(driver_.KeyMask(), 0x19C0000u);
  EXPECT_EQ(driver_.ExtraKeyMask(), 0u);
  EXPECT_EQ(driver_.CountOf(device::kIoctlExtraKeyMask), 3u);
}

TEST_F(SendInterceptionMasksTest, ClosedDriverSendsNothing) {
  EXPECT_FALSE(device::SendInterceptionMasks(3));
  EXPECT_TRUE(driver_.Calls().empty());
}

TEST_F(SendInterceptionMasksTest, RefusedClearStopsBeforeAnyNewMask) {
  const uint32_t clears[] = {device::kIoctlMouseMask, device::kIoctlKeyMask, device::kIoctlExtraKeyMask};
  for (std::size_t refused = 0; refused < 3; ++refused) {
    SCOPED_TRACE(testing::Message() << "refused clear " << refused);
    fakes::FakeDriver driver;
    platform::ScopedService<platform::ControlDevice> service(driver);
    device::CUSBDriver channel;
    channel.StartEventChannel(0x4711);
    ASSERT_TRUE(channel.EnableDriver());
    driver.Refuse(clears[refused]);
    EXPECT_FALSE(device::SendInterceptionMasks(3));
    const auto calls = driver.Calls();
    // open, register, enable, then the clears up to the refused one.
    ASSERT_EQ(calls.size(), 3 + refused + 1);
    for (std::size_t i = 3; i < calls.size(); ++i) {
      EXPECT_EQ(calls[i].code, clears[i - 3]);
      EXPECT_EQ(calls[i].value, 0u);
    }
    EXPECT_FALSE(calls.back().ok);
    channel.ShutdownEventChannel();
  }
}

TEST_F(SendInterceptionMasksTest, RefusedNewMasksStillReportSuccess) {
  OpenDriver();
  driver_.Refuse(device::kIoctlMouseMask, 1);
  driver_.Refuse(device::kIoctlKeyMask, 1);
  driver_.Refuse(device::kIoctlExtraKeyMask, 1);
  EXPECT_TRUE(device::SendInterceptionMasks(3));
  const auto sent = SentAfterOpen();
  ASSERT_EQ(sent.size(), 6u);
  for (std::size_t i = 3; i < 6; ++i) EXPECT_FALSE(sent[i].ok);
}

}  // namespace
