// From a button press the simulated driver reports to the synthesised input:
// the device simulator queues the event code, the real event channel posts
// it to a window that hands it to the dispatcher, as the main window does,
// and the action's input reaches the window in front.

#include <gtest/gtest.h>

#if VN24G_SIMULATED_HARDWARE

#include <windows.h>

#include <memory>
#include <vector>

#include "actions/ActionExecutor.h"
#include "actions/EventDispatch.h"
#include "codes/PrivateMessages.h"
#include "config/DeviceCatalogue.h"
#include "config/FunctionCodes.h"
#include "config/SettingsStore.h"
#include "device/InterceptionMasks.h"
#include "device/USBDriver.h"
#include "fakes/ConfigFixtures.h"
#include "platform/simulated/SimulatorClient.h"
#include "win32/InputWatch.h"

namespace {

using win32tests::InputWatch;
using win32tests::KeyTargetWindow;
using win32tests::WaitUntil;

// A hidden window that does with WM_DRIVER_EVENT what the main window does.
class DispatchWindow {
 public:
  DispatchWindow(actions::CEventDispatcher& dispatcher, uint8_t deviceType) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = &DispatchWindow::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"vn24gDispatchHost";
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"dispatch host", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    dispatcher_ = &dispatcher;
    deviceType_ = deviceType;
  }
  ~DispatchWindow() {
    DestroyWindow(window_);
    dispatcher_ = nullptr;
  }
  uintptr_t Value() const { return reinterpret_cast<uintptr_t>(window_); }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == codes::WM_DRIVER_EVENT && dispatcher_ != nullptr) {
      dispatcher_->OnDriverEvent(static_cast<uint32_t>(wParam), deviceType_);
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  static actions::CEventDispatcher* dispatcher_;
  static uint8_t deviceType_;
  HWND window_ = nullptr;
};

actions::CEventDispatcher* DispatchWindow::dispatcher_ = nullptr;
uint8_t DispatchWindow::deviceType_ = 0;

TEST(ActionEngineSimulatorTest, ASimulatedPressReachesTheWindowInFrontAsItsAction) {
  auto control = simulator::Connection::Open(simulator::Connection::Start::kIfMissing);
  ASSERT_TRUE(control) << "the device simulator could not be started";
  ASSERT_TRUE(simulator::Reset(*control));

  // The current model: a mouse whose fourth button pastes and whose middle
  // button plays Ctrl+Z as a combination; applied as the main window would.
  testing_config::ResetConfiguration();
  config::CurrentDevice = testing_config::MakeDevice(u"Glide", 0x1000, 1, {1, 2, 3, 5, 4}, {});
  for (int i = 0; i < 5; ++i)
    config::ActiveSettings.mouseAssignments[i].functionCode = config::CurrentDevice.mouseButtons[i].buttonCode;
  config::ActiveSettings.mouseAssignments[3].functionCode = config::FN_PASTE;
  config::ButtonAssignment& middle = config::ActiveSettings.mouseAssignments[2];
  middle.functionCode = config::FN_COMBINATION;
  middle.comboModifiers = 0x01;
  middle.comboKey1 = 'Z';

  actions::CFaceBookFunction site;
  actions::ActionExecutor executor(site);
  actions::CEventDispatcher dispatcher(executor);
  DispatchWindow host(dispatcher, 1);
  KeyTargetWindow target(L"paste target");
  ASSERT_TRUE(target.BringToFront());
  InputWatch watch;

  auto channel = std::make_unique<device::CUSBDriver>();
  channel->StartEventChannel(host.Value());
  ASSERT_TRUE(channel->EnableDriver());
  ASSERT_TRUE(device::SendInterceptionMasks(1));
  simulator::Status status = {};
  std::vector<uint32_t> plugged;
  ASSERT_TRUE(simulator::GetStatus(*control, status, plugged));
  EXPECT_EQ(status.mouseMask & 0x0C, 0x0Cu) << "the remapped buttons are taken over";

  // Fourth button down and up, then the middle button down and up.
  ASSERT_EQ(simulator::QueueEvents(*control, {0x08, 0x00, 0x04, 0x00}), 4u);
  ASSERT_TRUE(WaitUntil([&] { return target.Keys().size() >= 8; }));
  // Nothing more follows: the ended channel has posted all it will, the
  // dispatch of what it posted has sent its input, and the marker sent
  // after that input has reached the target.
  channel->ShutdownEventChannel();
  win32tests::PumpPending();
  const bool settled = target.AllArrived();
  testing_config::ResetConfiguration();
  ASSERT_TRUE(settled) << "the keys went elsewhere";

  const std::vector<KeyTargetWindow::Key> keys = target.Keys();
  ASSERT_EQ(keys.size(), 8u);
  const WPARAM vks[] = {VK_CONTROL, 'V', 'V', VK_CONTROL, VK_CONTROL, 'Z', 'Z', VK_CONTROL};
  const UINT messages[] = {WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYUP, WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP, WM_KEYUP};
  for (std::size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].vk, vks[i]) << i;
    EXPECT_EQ(keys[i].message, messages[i]) << i;
  }
  // The paste is a chord of extended keys; the combination plays plain keys
  // with their scan codes.
  EXPECT_NE(keys[1].lParam & (1 << 24), 0);
  EXPECT_EQ(keys[5].lParam & (1 << 24), 0);
  EXPECT_EQ((keys[5].lParam >> 16) & 0xFF, static_cast<LPARAM>(MapVirtualKeyW('Z', MAPVK_VK_TO_VSC)));
  EXPECT_EQ(watch.KeyEvents().size(), 8u);
}

}  // namespace

#endif  // VN24G_SIMULATED_HARDWARE
