// Deleting macros in the editor moves the later macros down, and the buttons
// of every model, applied, edited or stored, must keep playing the macros
// they played: right after the editor's OK, after the main window's Cancel,
// after the program is restarted, and after the current model is switched.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "config/DeviceCatalogue.h"
#include "config/FunctionCodes.h"
#include "config/SettingsStore.h"
#include "fakes/ConfigFixtures.h"
#include "fakes/RecordingMessages.h"
#include "macro/MacroList.h"
#include "config/MacroStore.h"
#include "platform/MemoryRegistry.h"
#include "platform/WideText.h"
#include "text/LabelTable.h"

namespace {

using config::tagVARNOK24G_DATA_;
using testing_config::MakeDevice;

constexpr int32_t kGlide = 0x9001;  // a mouse
constexpr int32_t kTempo = 0x9002;  // a mouse and keyboard set
const std::u16string kGlideKey = u"Software\\Varnok\\VN24G\\Glide";
const std::u16string kTempoKey = u"Software\\Varnok\\VN24G\\Tempo";

// What each button that plays a macro plays, by macro name ("mouse 0" ->
// "M5"). A number past the stored macros plays nothing and reads "".
using Played = std::map<std::string, std::u16string>;

Played PlayedBy(const tagVARNOK24G_DATA_& record, const macro::MacroStore& store) {
  Played played;
  auto name = [&](uint8_t index) {
    return index < macro::StoredMacroCount(store) ? macro::MacroName(store.macros[index]) : u"";
  };
  for (int k = 0; k < record.mouseButtonCount && k < 15; ++k)
    if (record.mouseAssignments[k].functionCode == config::FN_MACRO)
      played["mouse " + std::to_string(k)] = name(record.mouseAssignments[k].macroIndex);
  for (int k = 0; k < record.keyCount && k < 20; ++k)
    if (record.keyAssignments[k].functionCode == config::FN_MACRO)
      played["key " + std::to_string(k)] = name(record.keyAssignments[k].macroIndex);
  return played;
}

void Assign(config::ButtonAssignment& button, uint8_t macroIndex) {
  button.functionCode = config::FN_MACRO;
  button.macroIndex = macroIndex;
}

// What the user does after the editor's OK.
enum class After { Nothing, Cancel, Restart, SwitchModel };

class MacroAssignmentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Set(LabelTable::IndexOf("tc_new_macro"), u"New macro");
    config::DeviceCatalogue.push_back(MakeDevice(u"Glide", kGlide, 1, {1, 2, 3, 4, 5}, {}));
    config::DeviceCatalogue.push_back(MakeDevice(u"Tempo", kTempo, 3, {1, 2, 3}, {0x50, 0x51, 0x52}));

    // Nine stored macros "M0" to "M8".
    macro::MacroStore store{};
    for (int i = 0; i < 9; ++i) macro::SetMacroName(store.macros[i], u"M" + platform::WidenAscii(std::to_string(i)));
    store.macroCount = 9;
    registry.PutValue(config::kMacroKey, config::kMacroValue, platform::kRegBinary, testing_config::BytesOf(store));
    config::LoadAllSettings();

    // Applied and stored: the mouse plays M5, M2 and M7; the set M4, M6 and M1.
    tagVARNOK24G_DATA_& glide = config::DeviceSettingsList[0];
    Assign(glide.mouseAssignments[0], 5);
    Assign(glide.mouseAssignments[2], 2);
    Assign(glide.mouseAssignments[4], 7);
    tagVARNOK24G_DATA_& tempo = config::DeviceSettingsList[1];
    Assign(tempo.mouseAssignments[1], 4);
    Assign(tempo.keyAssignments[0], 6);
    Assign(tempo.keyAssignments[2], 1);
    registry.PutValue(kGlideKey, config::kSettingsValue, platform::kRegBinary, testing_config::BytesOf(glide));
    registry.PutValue(kTempoKey, config::kSettingsValue, platform::kRegBinary, testing_config::BytesOf(tempo));

    // The mouse is current, and its page has given button 1 macro M8 without
    // applying it yet.
    config::SelectCurrentSettings(kGlide);
    config::WorkingSettings = config::ActiveSettings;
    Assign(config::WorkingSettings.mouseAssignments[1], 8);
  }
  void TearDown() override {
    testing_config::ResetConfiguration();
    LabelTable::Instance().Clear();
  }

  tagVARNOK24G_DATA_ Stored(const std::u16string& keyPath) const {
    tagVARNOK24G_DATA_ record{};
    auto value = registry.GetValue(keyPath, config::kSettingsValue);
    if (value) std::memcpy(&record, value->bytes.data(), std::min(value->bytes.size(), sizeof(record)));
    return record;
  }
  macro::MacroStore StoredMacros() const {
    macro::MacroStore store{};
    auto value = registry.GetValue(config::kMacroKey, config::kMacroValue);
    if (value) std::memcpy(&store, value->bytes.data(), std::min(value->bytes.size(), sizeof(store)));
    return store;
  }

  // One editor session: the macros named are deleted in this order, then OK.
  void EditAndConfirm(const std::vector<std::u16string>& deletions) {
    list.LoadMacroList();
    for (const std::u16string& name : deletions) {
      for (std::size_t i = 0; i < list.Count(); ++i)
        if (macro::MacroName(*list.Macro(i)) == name) list.DeleteMacro(i, messages);
    }
    ASSERT_TRUE(list.SaveMacros());
  }

  void Follow(After after) {
    switch (after) {
      case After::Nothing:
        break;
      case After::Cancel:
        config::ReloadSettings(kGlideKey);
        config::WorkingSettings = config::ActiveSettings;
        break;
      case After::Restart:
        config::ActiveSettings = {};
        config::WorkingSettings = {};
        config::DeviceSettingsList.clear();
        std::memset(&macro::TheMacroStore, 0xEE, sizeof(macro::TheMacroStore));
        config::LoadAllSettings();
        config::SelectCurrentSettings(kGlide);
        config::WorkingSettings = config::ActiveSettings;
        break;
      case After::SwitchModel:
        config::StoreCurrentSettings(kGlideKey, kGlide);
        config::SelectCurrentSettings(kTempo);
        config::WorkingSettings = config::ActiveSettings;
        break;
    }
  }

  platform::MemoryRegistry registry;
  platform::ScopedService<platform::Registry> installed{registry};
  RecordingMessages messages;
  macro::MacroList list;
};

const Played kGlidePlays = {{"mouse 0", u"M5"}, {"mouse 2", u"M2"}, {"mouse 4", u"M7"}};
const Played kTempoPlays = {{"mouse 1", u"M4"}, {"key 0", u"M6"}, {"key 2", u"M1"}};

TEST_F(MacroAssignmentsTest, EveryButtonOfEveryModelKeepsItsMacroThroughDeletions) {
  struct Case {
    const char* what;
    std::vector<std::vector<std::u16string>> sessions;  // each confirmed with OK
    std::vector<std::u16string> left;                   // the stored macros afterwards
  };
  const Case cases[] = {
      {"the first macro", {{u"M0"}}, {u"M1", u"M2", u"M3", u"M4", u"M5", u"M6", u"M7", u"M8"}},
      {"one between used ones", {{u"M3"}}, {u"M0", u"M1", u"M2", u"M4", u"M5", u"M6", u"M7", u"M8"}},
      {"two, front first", {{u"M0", u"M3"}}, {u"M1", u"M2", u"M4", u"M5", u"M6", u"M7", u"M8"}},
      {"two, back first", {{u"M3", u"M0"}}, {u"M1", u"M2", u"M4", u"M5", u"M6", u"M7", u"M8"}},
      {"two sessions", {{u"M3"}, {u"M0"}}, {u"M1", u"M2", u"M4", u"M5", u"M6", u"M7", u"M8"}},
      // Macros played only by the other model, only by the current one, or
      // only by an edit not yet applied, are refused.
      {"in use elsewhere", {{u"M1", u"M7", u"M8", u"M0", u"M3"}}, {u"M1", u"M2", u"M4", u"M5", u"M6", u"M7", u"M8"}},
  };
  const After follows[] = {After::Nothing, After::Cancel, After::Restart, After::SwitchModel};
  const char* followNames[] = {"nothing", "cancel", "restart", "switch model"};

  for (const Case& c : cases) {
    for (std::size_t f = 0; f < std::size(follows); ++f) {
      SCOPED_TRACE(std::string(c.what) + ", then " + followNames[f]);
      TearDown();
      registry.Clear();
      SetUp();
      for (const auto& session : c.sessions) EditAndConfirm(session);
      Follow(follows[f]);

      // The macros in memory and stored are the same, in the expected order.
      const macro::MacroStore storedMacros = StoredMacros();
      ASSERT_EQ(std::memcmp(&macro::TheMacroStore, &storedMacros, sizeof(storedMacros)), 0);
      std::vector<std::u16string> left;
      for (std::size_t i = 0; i < macro::StoredMacroCount(macro::TheMacroStore); ++i)
        left.push_back(macro::MacroName(macro::TheMacroStore.macros[i]));
      EXPECT_EQ(left, c.left);

      const macro::MacroStore& store = macro::TheMacroStore;
      EXPECT_EQ(PlayedBy(Stored(kGlideKey), store), kGlidePlays);
      EXPECT_EQ(PlayedBy(Stored(kTempoKey), store), kTempoPlays);
      EXPECT_EQ(PlayedBy(config::DeviceSettingsList[0], store), kGlidePlays);
      EXPECT_EQ(PlayedBy(config::DeviceSettingsList[1], store), kTempoPlays);
      const bool switched = follows[f] == After::SwitchModel;
      EXPECT_EQ(PlayedBy(config::ActiveSettings, store), switched ? kTempoPlays : kGlidePlays);
      if (follows[f] == After::Nothing) {
        Played edited = kGlidePlays;
        edited["mouse 1"] = u"M8";
        EXPECT_EQ(PlayedBy(config::WorkingSettings, store), edited);
      }
    }
  }
}

// The registry as the program sees it, refusing to write the macros while
// `failing` is set.
class MacroWritesFail final : public platform::Registry {
 public:
  explicit MacroWritesFail(platform::Registry& real) : real_(real) {}
  bool failing = true;

  bool OpenKey(const std::u16string& path, uint32_t access, platform::RegistryKey& key) override {
    return real_.OpenKey(path, access, key);
  }
  bool CreateKey(const std::u16string& path, uint32_t access, platform::RegistryKey& key) override {
    return real_.CreateKey(path, access, key);
  }
  bool QueryValue(platform::RegistryKey key, const std::u16string& name, uint32_t& type, void* data,
                  uint32_t capacity, uint32_t& size) override {
    return real_.QueryValue(key, name, type, data, capacity, size);
  }
  bool SetValue(platform::RegistryKey key, const std::u16string& name, uint32_t type, const void* data,
                uint32_t size) override {
    if (failing && name == config::kMacroValue) return false;
    return real_.SetValue(key, name, type, data, size);
  }
  void CloseKey(platform::RegistryKey key) override { real_.CloseKey(key); }

 private:
  platform::Registry& real_;
};

TEST_F(MacroAssignmentsTest, AFailedStoreOfTheMacrosLeavesEveryRecordAndTheMacrosAsTheyWere) {
  MacroWritesFail faulty(registry);
  platform::ScopedService<platform::Registry> failing{faulty};
  const auto glideStored = registry.GetValue(kGlideKey, config::kSettingsValue)->bytes;
  const auto tempoStored = registry.GetValue(kTempoKey, config::kSettingsValue)->bytes;
  const auto macrosStored = registry.GetValue(config::kMacroKey, config::kMacroValue)->bytes;
  const auto active = testing_config::BytesOf(config::ActiveSettings);
  const auto working = testing_config::BytesOf(config::WorkingSettings);
  const auto listed = testing_config::BytesOf(config::DeviceSettingsList[1]);
  const auto inUse = testing_config::BytesOf(macro::TheMacroStore);

  list.LoadMacroList();
  ASSERT_TRUE(list.DeleteMacro(3, messages));  // M3
  ASSERT_TRUE(list.DeleteMacro(0, messages));  // M0
  EXPECT_FALSE(list.SaveMacros());

  EXPECT_EQ(registry.GetValue(kGlideKey, config::kSettingsValue)->bytes, glideStored);
  EXPECT_EQ(registry.GetValue(kTempoKey, config::kSettingsValue)->bytes, tempoStored);
  EXPECT_EQ(registry.GetValue(config::kMacroKey, config::kMacroValue)->bytes, macrosStored);
  EXPECT_EQ(testing_config::BytesOf(config::ActiveSettings), active);
  EXPECT_EQ(testing_config::BytesOf(config::WorkingSettings), working);
  EXPECT_EQ(testing_config::BytesOf(config::DeviceSettingsList[1]), listed);
  EXPECT_EQ(testing_config::BytesOf(macro::TheMacroStore), inUse);
  EXPECT_EQ(list.Count(), 7u);  // the editor's list is kept for another try

  // The same list stored once the registry takes it.
  faulty.failing = false;
  ASSERT_TRUE(list.SaveMacros());
  EXPECT_EQ(PlayedBy(Stored(kGlideKey), macro::TheMacroStore), kGlidePlays);
  EXPECT_EQ(PlayedBy(Stored(kTempoKey), macro::TheMacroStore), kTempoPlays);
  EXPECT_EQ(PlayedBy(config::ActiveSettings, macro::TheMacroStore), kGlidePlays);
}

TEST_F(MacroAssignmentsTest, AMacroPlayedOnlyByAnotherModelIsNotDeleted) {
  list.LoadMacroList();
  messages.shown.clear();
  EXPECT_TRUE(list.IsMacroInUse(6));  // a key of the set, not current
  EXPECT_FALSE(list.DeleteMacro(6, messages));
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(list.IsMacroInUse(8));   // the page's edit, not applied
  EXPECT_FALSE(list.IsMacroInUse(3));  // nobody's
}

TEST_F(MacroAssignmentsTest, AStoredRecordTheListDoesNotHoldStillCounts) {
  // Two models named apart but sharing a model value: storing the second one
  // writes its key while the list keeps the first entry of that value, so
  // the second key's record is found only in the registry.
  tagVARNOK24G_DATA_ hidden = config::DeviceSettingsList[1];
  config::DeviceCatalogue.push_back(MakeDevice(u"Tempo Twin", kTempo, 3, {1, 2, 3}, {0x50, 0x51, 0x52}));
  Assign(hidden.keyAssignments[1], 3);
  const std::u16string twinKey = u"Software\\Varnok\\VN24G\\Tempo Twin";
  registry.PutValue(twinKey, config::kSettingsValue, platform::kRegBinary, testing_config::BytesOf(hidden));

  list.LoadMacroList();
  EXPECT_TRUE(list.IsMacroInUse(3));
  ASSERT_TRUE(list.DeleteMacro(0, messages));
  ASSERT_TRUE(list.SaveMacros());
  EXPECT_EQ(Stored(twinKey).keyAssignments[1].macroIndex, 2);
  EXPECT_EQ(macro::MacroName(macro::TheMacroStore.macros[2]), u"M3");
}

TEST_F(MacroAssignmentsTest, AShortStoredRecordIsRenumberedAndKeepsItsLength) {
  // Stored records may be shorter than the record; the rest reads as zero.
  tagVARNOK24G_DATA_ shortRecord{};
  shortRecord.modelValue = kTempo;
  shortRecord.deviceType = 1;
  shortRecord.mouseButtonCount = 1;
  Assign(shortRecord.mouseAssignments[0], 4);
  std::vector<uint8_t> bytes = testing_config::BytesOf(shortRecord);
  bytes.resize(100);
  registry.PutValue(kTempoKey, config::kSettingsValue, platform::kRegBinary, bytes);

  EditAndConfirm({u"M0"});
  auto stored = registry.GetValue(kTempoKey, config::kSettingsValue);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->bytes.size(), 100u);
  EXPECT_EQ(stored->bytes[16 + 2], 3);  // first mouse record, macroIndex
}

TEST_F(MacroAssignmentsTest, ModelsSharingOneKeyAreRenumberedOnce) {
  config::DeviceCatalogue.push_back(MakeDevice(u"Glide", kGlide, 1, {1, 2, 3, 4, 5}, {}));
  EditAndConfirm({u"M0", u"M3"});
  EXPECT_EQ(PlayedBy(Stored(kGlideKey), macro::TheMacroStore), kGlidePlays);
}

}  // namespace
