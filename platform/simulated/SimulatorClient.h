#pragma once

// The client side of the device simulator's pipe: the simulated hardware
// services of the program, the simulator's own command line and the tests
// all speak to the simulator through this.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/simulated/SimulatorProtocol.h"

namespace simulator {

// One pipe connection. Calls from several threads are taken one at a time,
// as a synchronous device handle takes its requests.
class Connection {
 public:
  enum class Start {
    kNo,         // only a simulator that runs now
    kAwait,      // wait for one that is being started
    kIfMissing,  // start the one beside this program when none runs, and wait for it
  };
  // Connects to the simulator; null when none can be reached.
  static std::unique_ptr<Connection> Open(Start start);

  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Sends one request and reads its answer. False when the pipe failed;
  // the simulator's own refusal arrives as reply.ok == 0.
  bool Call(const Request& request, const void* payload, uint32_t payloadSize, Reply& reply,
            std::vector<uint8_t>& replyPayload);

  // A request without payload whose answer carries none either: true only
  // when the simulator accepted it.
  bool Command(Op op, uint32_t code = 0, uint32_t value = 0, uint32_t extra = 0, uint32_t* replyValue = nullptr);

  uint32_t SimulatorProcessId() const { return simulatorProcessId_; }
  // The simulator's number for this connection.
  uint32_t SessionId() const { return sessionId_; }

 private:
  explicit Connection(void* pipe) : pipe_(pipe) {}
  std::mutex mutex_;
  void* pipe_;
  uint32_t simulatorProcessId_ = 0;
  uint32_t sessionId_ = 0;
};

// Starts the simulator beside this program with `arguments` after its name.
bool StartSimulator(const std::wstring& arguments);

// Appends a fixed-size record to a message, byte for byte.
template <class T>
void AppendRaw(std::vector<uint8_t>& bytes, const T& value) {
  const auto* raw = reinterpret_cast<const uint8_t*>(&value);
  bytes.insert(bytes.end(), raw, raw + sizeof value);
}

// One whole pipe message, of at most `limit` bytes.
bool ReadPipeMessage(void* pipe, std::vector<uint8_t>& message, uint32_t limit);
bool WritePipeMessage(void* pipe, const std::vector<uint8_t>& message);

// The front end's commands.
bool Plug(Connection& connection, uint16_t product, uint32_t flags = 0, uint32_t extraPathLength = 0);
bool Unplug(Connection& connection, uint16_t product);
bool SetDriverPresent(Connection& connection, bool present);
// `code` 0 makes every code fail; `times` kForever until cleared, 0 clears.
bool FailCode(Connection& connection, uint32_t code, uint32_t times);
// How many of the codes found the program's semaphore and were queued.
// `releasedAt`, when given, receives for each code the performance counter
// of this machine just before the simulator released the semaphore for it.
uint32_t QueueEvents(Connection& connection, const std::vector<uint32_t>& codes,
                     std::vector<int64_t>* releasedAt = nullptr);
// Queues `count` consecutive codes from `firstCode`, in bursts of `burst`,
// each burst waiting until it fits below the semaphore's maximum.
uint32_t Flood(Connection& connection, uint32_t count, uint32_t firstCode, uint32_t burst);
// While held, the program's get-event requests are not answered.
bool HoldEvents(Connection& connection, bool hold);
bool GetStatus(Connection& connection, Status& status, std::vector<uint32_t>& plugged);
bool GetLog(Connection& connection, std::vector<LogEntry>& log);
bool ClearLog(Connection& connection);
bool Reset(Connection& connection);
// Ends the simulator and waits until it is gone, so a simulator started
// right after is a new one.
bool Quit(Connection& connection);

// Paths in the simulator's list format; an entry that stands for an
// unreadable interface detail has kUnreadablePath as its length.
constexpr uint32_t kUnreadablePath = 0xFFFFFFFF;
void AppendPath(std::vector<uint8_t>& list, const std::u16string* path);
// False when the list is malformed. An unreadable entry comes back as an
// empty path with `unreadable` set.
struct ListedPath {
  std::u16string path;
  bool unreadable;
};
bool ParsePathList(const std::vector<uint8_t>& list, std::vector<ListedPath>& paths);

}  // namespace simulator
