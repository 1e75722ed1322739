#include <gtest/gtest.h>

#include <cstring>

#include "config/DeviceCatalogue.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "platform/MemoryRegistry.h"
#include "unit/config/SettingsStoreSuite.h"

namespace {

using config::tagVARNOK24G_DATA_;
using testing_config::MakeDevice;

// The in-memory registry, installed for the length of one test.
struct MemoryEnvironment {
  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed{registry};

  void Reset() { registry.Clear(); }
  void Put(const std::u16string& path, const std::u16string& name, uint32_t type, std::vector<uint8_t> bytes) {
    registry.PutValue(path, name, type, std::move(bytes));
  }
  std::optional<settings_suite::StoredValue> Get(const std::u16string& path, const std::u16string& name) {
    auto value = registry.GetValue(path, name);
    if (!value) return std::nullopt;
    return settings_suite::StoredValue{value->type, value->bytes};
  }
  bool KeyExists(const std::u16string& path) { return registry.KeyExists(path); }
};

}  // namespace

namespace settings_suite {
INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, SettingsStoreSuite, ::testing::Types<MemoryEnvironment>);
}

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_config::ResetConfiguration(); }
  void TearDown() override { testing_config::ResetConfiguration(); }

  MemoryEnvironment env;
};

TEST_F(SettingsStoreTest, UsableStoredRecordIsNeitherReplacedNorRewritten) {
  config::DeviceCatalogue.push_back(MakeDevice(u"Test Mouse", 0x9010, 1, {1, 2}, {}));
  env.Put(settings_suite::kMouseKey, config::kSettingsValue, platform::kRegBinary, std::vector<uint8_t>(100, 0));
  macro::MacroStore store{};
  env.Put(config::kMacroKey, config::kMacroValue, platform::kRegBinary, testing_config::BytesOf(store));

  config::LoadAllSettings();

  EXPECT_EQ(env.registry.WriteCount(settings_suite::kMouseKey, config::kSettingsValue), 0);
  EXPECT_EQ(env.registry.WriteCount(config::kMacroKey, config::kMacroValue), 0);
}

TEST_F(SettingsStoreTest, ModelsSharingAModelValueKeepTheirOwnRecordsButTheFirstIsUsed) {
  config::DeviceCatalogue.push_back(MakeDevice(u"First", 0x9070, 1, {1, 2}, {}));
  config::DeviceCatalogue.push_back(MakeDevice(u"Second", 0x9070, 1, {3, 9}, {}));
  config::LoadAllSettings();
  ASSERT_TRUE(env.registry.GetValue(u"Software\\Varnok\\VN24G\\First", config::kSettingsValue));
  ASSERT_TRUE(env.registry.GetValue(u"Software\\Varnok\\VN24G\\Second", config::kSettingsValue));
  EXPECT_EQ(config::DeviceSettingsList[1].mouseAssignments[0].functionCode, 3);

  config::SelectCurrentSettings(0x9070);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[0].functionCode, 1);

  config::ActiveSettings.mouseAssignments[0].functionCode = config::FN_CUT;
  config::StoreCurrentSettings(u"Software\\Varnok\\VN24G\\Second", 0x9070);
  EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[0].functionCode, config::FN_CUT);
  EXPECT_EQ(config::DeviceSettingsList[1].mouseAssignments[0].functionCode, 3);
}

TEST_F(SettingsStoreTest, SelectingAnUnknownModelLeavesTheAppliedRecordAlone) {
  config::DeviceCatalogue.push_back(MakeDevice(u"Test Mouse", 0x9010, 1, {1, 2}, {}));
  config::LoadAllSettings();
  config::SelectCurrentSettings(0x9010);
  config::SelectCurrentSettings(0x1234);
  EXPECT_EQ(config::ActiveSettings.modelValue, 0x9010);
}

TEST_F(SettingsStoreTest, DefaultsFollowTheDeviceTypeAndItsLowByte) {
  struct Case {
    uint32_t deviceType;
    uint8_t firstMouseFunction;
    uint8_t firstKeyFunction;
  };
  const Case cases[] = {{1, 1, 0}, {2, 0, 96}, {3, 1, 96}, {0x103, 1, 96}, {4, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.deviceType);
    config::DeviceCatalogue.assign(1, MakeDevice(u"Any", 0x9050, c.deviceType, {1, 2}, {96}));
    tagVARNOK24G_DATA_ record{};
    config::MakeDefaultSettings(0, record);
    EXPECT_EQ(record.deviceType, c.deviceType & 0xFF);
    EXPECT_EQ(record.mouseButtonCount, 2);  // counts are copied whatever the type
    EXPECT_EQ(record.keyCount, 1);
    EXPECT_EQ(record.mouseAssignments[0].functionCode, c.firstMouseFunction);
    EXPECT_EQ(record.keyAssignments[0].functionCode, c.firstKeyFunction);
  }
}

TEST_F(SettingsStoreTest, KeysThatCannotBeOpenedOrCreatedLoseTheirWritesSilently) {
  config::DeviceCatalogue.push_back(MakeDevice(u"Locked", 0x9010, 1, {1, 2}, {}));
  env.registry.DenyAccess(u"Software\\Varnok");

  config::LoadAllSettings();
  ASSERT_EQ(config::DeviceSettingsList.size(), 1u);
  EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[1].functionCode, 2);

  config::SelectCurrentSettings(0x9010);
  config::WorkingSettings = config::ActiveSettings;
  config::WorkingSettings.mouseAssignments[1].functionCode = config::FN_COPY;
  RecordingMessages messages;
  EXPECT_TRUE(config::ApplySettings(u"Software\\Varnok\\VN24G\\Locked", 0x9010, [] { return true; }, messages));
  EXPECT_EQ(config::DeviceSettingsList[0].mouseAssignments[1].functionCode, config::FN_COPY);
  EXPECT_FALSE(env.registry.KeyExists(u"Software\\Varnok\\VN24G\\Locked"));
  EXPECT_EQ(env.registry.OpenKeyCount(), 0u);
}

TEST_F(SettingsStoreTest, RestoreUsesTheCurrentDeviceAndOnlyThePartsOfItsType) {
  config::CurrentDevice = MakeDevice(u"Combo", 0x9080, 3, {1, 2, 3}, {96, 97});
  config::ActiveSettings.mouseAssignments[2].functionCode = config::FN_LOCK;
  config::ActiveSettings.keyAssignments[4].functionCode = config::FN_LOCK;  // beyond the key count
  config::WorkingSettings = config::ActiveSettings;

  config::RestoreDefaultSettings(0x9080, 1, [] { return true; });
  EXPECT_EQ(config::ActiveSettings.modelValue, 0x9080);
  EXPECT_EQ(config::ActiveSettings.mouseButtonCount, 3);
  EXPECT_EQ(config::ActiveSettings.mouseAssignments[2].functionCode, 3);
  EXPECT_EQ(config::ActiveSettings.keyCount, 0);  // a mouse-only reset leaves the keys empty
  EXPECT_EQ(config::ActiveSettings.keyAssignments[4].functionCode, 0);
  EXPECT_EQ(config::WorkingSettings.mouseAssignments[2].functionCode, 3);
}

}  // namespace
