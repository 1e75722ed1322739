#pragma once

// The hardware the simulator plays: the receivers that are plugged in with
// their HID interfaces, and the filter driver with its registered
// semaphore, enable state, masks, event queue and log of control codes.

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/simulated/SimulatorEventRing.h"
#include "platform/simulated/SimulatorProtocol.h"

namespace simulator {

struct Receiver {
  uint16_t product;
  uint32_t flags;            // PlugFlags
  uint32_t extraPathLength;  // units added to each device path
};

struct HidInterface {
  std::u16string path;
  uint16_t usagePage;
  uint16_t usage;
};

// The three HID interfaces (keyboard, mouse, vendor) a receiver exposes.
std::vector<HidInterface> InterfacesOf(const Receiver& receiver);
// The USB device interface name a receiver arrives under.
std::u16string UsbInterfaceName(const Receiver& receiver);

// Sends device-change notices from a thread of their own: a window's owner
// may be waiting on the simulator while the notice is delivered.
class Notifier {
 public:
  Notifier();
  ~Notifier();
  void Send(HWND window, WPARAM event, const std::u16string& interfaceName);
  uint32_t Sent() const { return sent_; }

 private:
  struct Notice {
    HWND window;
    WPARAM event;
    std::u16string name;
  };
  void Run();
  std::mutex mutex_;
  std::condition_variable queued_;
  std::deque<Notice> notices_;
  bool stopping_ = false;
  std::atomic<uint32_t> sent_{0};
  std::thread thread_;
};

// One client connection.
struct Session {
  uint32_t id = 0;
  HANDLE process = nullptr;  // the client, opened for taking over its semaphore
  bool driverHandle = false;
};

class Hardware {
 public:
  Hardware();
  ~Hardware();

  void Configure(bool driverPresent, const std::vector<Receiver>& receivers);

  // Answers one request. `quit` is set when the simulator should end after
  // sending the answer.
  void Handle(Session& session, const Request& request, const uint8_t* payload, std::size_t payloadSize,
              Reply& reply, std::vector<uint8_t>& answer, bool& quit);
  void Connected(Session& session);
  void Disconnected(Session& session);
  uint32_t Sessions();

 private:
  void HandleControl(Session& session, const Request& request, const uint8_t* payload, std::size_t size,
                     Reply& reply, std::vector<uint8_t>& answer, std::unique_lock<std::mutex>& lock);
  bool ShouldFail(uint32_t code);
  void CloseDriverHandle(Session& session);
  // `releasedAt`, when given, receives the performance counter just before
  // the program's semaphore is released.
  bool QueueOne(uint32_t code, int64_t* releasedAt = nullptr);
  uint32_t Pending();
  // Counts the fetches the registered client took from the shared ring into
  // the log and the tally, before anything else is answered or logged.
  void CountRingFetches();
  // Lets the registered client fetch from the shared ring only while no
  // fetch needs the simulator's own answer: driver present, events not
  // held, no failures arranged for fetches.
  void UpdateRingAccess();
  uint32_t Flood(uint32_t count, uint32_t firstCode, uint32_t burst, std::unique_lock<std::mutex>& lock);
  void Log(LogStep step, uint32_t code, uint32_t value, bool ok);
  void DropRegistration();
  void NotifyAll(const Receiver& receiver, WPARAM event);
  void ResetState();

  // Make way for requests waiting on the lock between the bursts of a flood.
  void LetWaitingRequestsIn(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::atomic<uint32_t> waitingRequests_{0};  // requests waiting for mutex_
  std::condition_variable fetched_;
  std::condition_variable released_;
  bool held_ = false;
  uint32_t heldFetches_ = 0;
  bool driverPresent_ = true;
  std::vector<Receiver> receivers_;
  HANDLE semaphore_ = nullptr;
  uint32_t semaphoreOwner_ = 0;
  uint32_t enabled_ = 0;
  uint32_t mouseMask_ = 0;
  uint32_t keyMask_ = 0;
  uint32_t extraKeyMask_ = 0;
  std::unique_ptr<EventRing> ownRing_;  // only when the shared ring could not be made
  EventRing* events_;                   // the pending codes, shared with the clients
  uint32_t queued_ = 0;
  uint32_t dropped_ = 0;
  uint32_t fetched_count_ = 0;
  std::map<uint32_t, uint32_t> failures_;  // code (0: every code) -> times left
  std::vector<LogEntry> log_;
  struct OpenHid {
    uint32_t session;
    uint16_t product;
    HidInterface item;
  };
  std::map<uint32_t, OpenHid> hid_;
  struct Registration {
    uint32_t session;
    HWND window;
  };
  std::map<uint32_t, Registration> registrations_;
  uint32_t nextId_ = 1;
  uint32_t sessions_ = 0;
  uint32_t driverHandles_ = 0;
  Notifier notifier_;
};

// Serves clients on the pipe until asked to quit. With `idleExitSeconds`
// above 0 the simulator also ends when no client has been connected for that
// long. False when another simulator already serves.
bool Serve(Hardware& hardware, uint32_t idleExitSeconds);

}  // namespace simulator
