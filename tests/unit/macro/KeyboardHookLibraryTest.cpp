// The hook library is called in the order it relies on: installed for the
// window and switched off when loaded; switched off, removed and freed when
// unloaded; and a missing library or export only skips its calls.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "macro/KeyboardHookLibrary.h"
#include "platform/DynamicLibrary.h"
#include "platform/WideText.h"

namespace {

std::vector<std::string> calls;

void InstallHook(uintptr_t window) { calls.push_back("installhook " + std::to_string(window)); }
void SetHookStatus(int32_t status) { calls.push_back("SetHookStatus " + std::to_string(status)); }
void RemoveHook() { calls.push_back("removehook"); }

struct FakeLibraries : platform::DynamicLibrary {
  std::u16string present = u"C:\\VN24G\\KBGetKey.dll";
  std::map<std::string, uintptr_t> exports = {
      {"installhook", reinterpret_cast<uintptr_t>(&InstallHook)},
      {"SetHookStatus", reinterpret_cast<uintptr_t>(&SetHookStatus)},
      {"removehook", reinterpret_cast<uintptr_t>(&RemoveHook)},
  };
  platform::Handle Load(const std::u16string& path) override {
    calls.push_back("load " + platform::NarrowAscii(path));
    return path == present ? 0x70 : 0;
  }
  uintptr_t Export(platform::Handle, const char* name) override {
    auto found = exports.find(name);
    return found == exports.end() ? 0 : found->second;
  }
  void Free(platform::Handle library) override { calls.push_back("free " + std::to_string(library)); }
};

class KeyboardHookLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { calls.clear(); }
  FakeLibraries libraries;
  platform::ScopedService<platform::DynamicLibrary> installed{libraries};
};

TEST_F(KeyboardHookLibraryTest, LoadSwitchAndUnloadInTheLibrarysOrder) {
  {
    macro::KeyboardHookLibrary hook;
    hook.Load(u"C:\\VN24G\\KBGetKey.dll", 0x1234);
    EXPECT_TRUE(hook.CanSwitch());
    hook.SetStatus(true);
    hook.SetStatus(false);
    hook.Load(u"C:\\VN24G\\KBGetKey.dll", 0x9999);  // loaded already: nothing
    hook.Unload();
    EXPECT_FALSE(hook.CanSwitch());
    hook.Unload();  // once only
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"load C:\\VN24G\\KBGetKey.dll", "installhook 4660", "SetHookStatus 0",
                                             "SetHookStatus 1", "SetHookStatus 0", "SetHookStatus 0", "removehook",
                                             "free 112"}));
}

TEST_F(KeyboardHookLibraryTest, TheLibraryGoesWithTheWindowThatLoadedIt) {
  {
    macro::KeyboardHookLibrary hook;
    hook.Load(u"C:\\VN24G\\KBGetKey.dll", 1);
  }
  EXPECT_EQ(calls.back(), "free 112");
  EXPECT_EQ(calls[calls.size() - 2], "removehook");
}

TEST_F(KeyboardHookLibraryTest, MissingPartsOnlySkipTheirCalls) {
  {
    macro::KeyboardHookLibrary hook;
    hook.Load(u"C:\\Elsewhere\\KBGetKey.dll", 1);
    EXPECT_FALSE(hook.IsLoaded());
    EXPECT_FALSE(hook.CanSwitch());
    hook.SetStatus(true);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"load C:\\Elsewhere\\KBGetKey.dll"}));

  calls.clear();
  libraries.exports.erase("SetHookStatus");
  {
    macro::KeyboardHookLibrary hook;
    hook.Load(u"C:\\VN24G\\KBGetKey.dll", 5);
    EXPECT_FALSE(hook.CanSwitch());  // recording cannot start without it
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"load C:\\VN24G\\KBGetKey.dll", "installhook 5", "removehook",
                                             "free 112"}));
}

}  // namespace
