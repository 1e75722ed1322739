#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/ReceiverDetection.h"
#include "fakes/FakeHidBus.h"
#include "platform/DebugOutput.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using fakes::FakeHidBus;
using fakes::HidPath;

class CapturedDebugOutput final : public platform::DebugOutput {
 public:
  void Write(const std::u16string& text) override { lines.push_back(text); }
  std::vector<std::u16string> lines;
};

class ReceiverDetectionTest : public ::testing::Test {
 protected:
  ~ReceiverDetectionTest() override {
    device::CloseReceiver(receiver_);
    // Every list that was opened was closed again.
    EXPECT_EQ(bus_.openLists, 0);
    EXPECT_THAT(bus_.OpenPaths(), IsEmpty());
  }

  bool Detect() { return device::DetectReceiver(receiver_); }
  std::u16string ReceiverPath() const { return bus_.PathOf(receiver_); }

  FakeHidBus bus_;
  CapturedDebugOutput debug_;
  platform::ScopedService<platform::HidEnumeration> busService_{bus_};
  platform::ScopedService<platform::DebugOutput> debugService_{debug_};
  platform::Handle receiver_ = 0;
};

TEST_F(ReceiverDetectionTest, NewerReceiverWinsOverOlderOne) {
  bus_.AddReceiver(0x1000, 0xF1F2, 0xF1F2);
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  ASSERT_TRUE(Detect());
  EXPECT_EQ(ReceiverPath(), HidPath(0x2000, 2));
}

TEST_F(ReceiverDetectionTest, OnlyTheVendorInterfaceIsKept) {
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  ASSERT_TRUE(Detect());
  // Keyboard and mouse interfaces were opened, found wrong and closed.
  EXPECT_EQ(bus_.OpenedPaths(), (std::vector<std::u16string>{HidPath(0x2000, 0), HidPath(0x2000, 1),
                                                              HidPath(0x2000, 2)}));
  EXPECT_THAT(bus_.OpenPaths(), ElementsAre(HidPath(0x2000, 2)));
}

TEST_F(ReceiverDetectionTest, EachProductIsFoundByItsRow) {
  struct Case {
    uint16_t product;
    uint16_t page;
    uint16_t usage;
    bool lowerCase;
    bool found;
  };
  const Case cases[] = {
      {0x2000, 0xFF00, 0x000E, false, true},
      {0x2000, 0xFF00, 0x000E, true, true},  // identifiers in lower case
      {0x2001, 0xFF00, 0x000E, false, true},
      {0x2001, 0xFF00, 0x000E, true, true},
      {0x1000, 0xF1F2, 0xF1F2, true, true},
      {0x1000, 0xFF00, 0x000E, false, false},  // the older receiver answers only to 0xF1F2
      {0x2000, 0xF1F2, 0xF1F2, false, false},
      {0x2002, 0xFF00, 0x000E, false, false},  // not a product of the family
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << "product " << c.product << " usage " << c.page << "/"
                                    << c.usage << (c.lowerCase ? " lower case" : ""));
    FakeHidBus bus;
    platform::ScopedService<platform::HidEnumeration> service(bus);
    bus.AddReceiver(c.product, c.page, c.usage, c.lowerCase);
    platform::Handle receiver = 0;
    EXPECT_EQ(device::DetectReceiver(receiver), c.found);
    if (c.found) EXPECT_EQ(bus.PathOf(receiver), HidPath(c.product, 2, c.lowerCase));
    device::CloseReceiver(receiver);
    EXPECT_THAT(bus.OpenPaths(), IsEmpty());
    EXPECT_EQ(bus.openLists, 0);
  }
}

TEST_F(ReceiverDetectionTest, DetectionWithoutReceiverClosesTheOldHandle) {
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  ASSERT_TRUE(Detect());
  bus_.interfaces.clear();
  EXPECT_FALSE(Detect());
  EXPECT_EQ(receiver_, 0u);
  EXPECT_THAT(bus_.OpenPaths(), IsEmpty());
}

TEST_F(ReceiverDetectionTest, RedetectionReplacesTheHandle) {
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  ASSERT_TRUE(Detect());
  const platform::Handle first = receiver_;
  ASSERT_TRUE(Detect());
  EXPECT_NE(receiver_, first);
  EXPECT_THAT(bus_.OpenPaths(), ElementsAre(HidPath(0x2000, 2)));
}

TEST_F(ReceiverDetectionTest, BrokenInterfacesAreSkipped) {
  struct Case {
    FakeHidBus::Failure failure;
    std::vector<std::u16string> debug;
  };
  const Case cases[] = {
      {FakeHidBus::Failure::kNoMemory, {u"Error: OpenDeviceInterface: malloc failed\n"}},
      {FakeHidBus::Failure::kDetailFailed, {u"Error: SetupDiGetInterfaceDeviceDetail failed\n"}},
      {FakeHidBus::Failure::kOpenFails, {}},
      {FakeHidBus::Failure::kNoUsage, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "failure " << static_cast<int>(c.failure));
    FakeHidBus bus;
    CapturedDebugOutput debug;
    platform::ScopedService<platform::HidEnumeration> service(bus);
    platform::ScopedService<platform::DebugOutput> debugService(debug);
    bus.AddReceiver(0x2000, 0xFF00, 0x000E);
    bus.interfaces[2].failure = c.failure;
    // A second vendor interface of the same receiver behind the broken one.
    bus.interfaces.push_back({HidPath(0x2000, 3), 0xFF00, 0x000E});
    platform::Handle receiver = 0;
    ASSERT_TRUE(device::DetectReceiver(receiver));
    EXPECT_EQ(bus.PathOf(receiver), HidPath(0x2000, 3));
    device::CloseReceiver(receiver);
    EXPECT_THAT(bus.OpenPaths(), IsEmpty());
    // The message appears once: the failing interface is tried by one row only.
    EXPECT_EQ(debug.lines, c.debug);
  }
}

TEST_F(ReceiverDetectionTest, ReceiverUnpluggedDuringEnumeration) {
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  bus_.AddReceiver(0x1000, 0xF1F2, 0xF1F2);
  // The newer receiver goes away right after its vendor interface is listed.
  bus_.afterPath = [&](uint32_t index) {
    if (index == 2) bus_.Unplug(0x2000);
  };
  ASSERT_TRUE(Detect());
  EXPECT_EQ(ReceiverPath(), HidPath(0x1000, 2));
}

TEST_F(ReceiverDetectionTest, NoInterfaceListMeansNoReceiver) {
  bus_.AddReceiver(0x2000, 0xFF00, 0x000E);
  bus_.listUnavailable = true;
  EXPECT_FALSE(Detect());
  EXPECT_EQ(receiver_, 0u);
}

TEST_F(ReceiverDetectionTest, VeryLongDevicePathStillMatches) {
  std::u16string path = u"\\\\?\\HID#VID_3C7A&PID_2000&MI_02#";
  path.append(5000, u'7');
  path += u"#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  bus_.interfaces.push_back({path, 0xFF00, 0x000E});
  ASSERT_TRUE(Detect());
  EXPECT_EQ(ReceiverPath(), path);
}

TEST(ReceiverInterfaceNameTest, ArrivalNamesOfTheFamilysReceivers) {
  struct Case {
    std::u16string name;
    bool receiver;
  };
  const Case cases[] = {
      {u"\\\\?\\USB#VID_3C7A&PID_2000#5&1A2B3C4D&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", true},
      {u"\\\\?\\usb#vid_3c7a&pid_2001#5&1a2b3c4d&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", true},
      {u"\\\\?\\USB#Vid_3C7A&Pid_1000#5&1A2B3C4D&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", true},
      {u"\\\\?\\USB#VID_3C7A&PID_2002#5&1A2B3C4D&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", false},
      {u"\\\\?\\USB#VID_046D&PID_2000#5&1A2B3C4D&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}", false},
      {u"\\\\?\\HID#VID_3C7A&PID_2000&MI_02#7&2F1B0C&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}", false},
      {u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(device::IsReceiverInterfaceName(c.name), c.receiver);
  }
}

}  // namespace
