#include "DeviceSimulator.h"

#include <dbt.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <cwctype>

#include "device/DriverControlCodes.h"
#include "platform/simulated/SimulatorClient.h"
#include "platform/win32/DeviceBroadcast.h"

namespace simulator {
namespace {

using device::kIoctlEnable;
using device::kIoctlExtraKeyMask;
using device::kIoctlGetEvent;
using device::kIoctlKeyMask;
using device::kIoctlMouseMask;
using device::kIoctlRegister;
using device::kIoctlUnregister;
constexpr auto kMaxPending = static_cast<uint32_t>(device::kMaxPendingEvents);
static_assert(kEventRingSlots == kMaxPending + 2,
              "the ring holds a full semaphore's codes, the one being fetched and the one taken back");

constexpr uint32_t kMaxExtraPath = 20000;
constexpr std::size_t kMaxLogEntries = 100000;
// A flood burst waits this long for the program to fetch before giving up.
constexpr auto kFloodStall = std::chrono::seconds(30);
// Fetches from the shared ring wake nobody here; a waiting flood looks again
// this often.
constexpr auto kFloodLookAgain = std::chrono::milliseconds(1);

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string Lower(std::u16string text) {
  for (char16_t& unit : text) {
    if (unit >= u'A' && unit <= u'Z') unit = char16_t(unit + (u'a' - u'A'));
  }
  return text;
}

bool SameIgnoringCase(const std::u16string& a, const std::u16string& b) { return Lower(a) == Lower(b); }

uint32_t FirstValue(const uint8_t* payload, std::size_t size) {
  uint32_t value = 0;
  if (size >= sizeof value) std::memcpy(&value, payload, sizeof value);
  return value;
}

}  // namespace

std::vector<HidInterface> InterfacesOf(const Receiver& receiver) {
  const bool older = receiver.product == 0x1000;
  const struct {
    uint16_t page;
    uint16_t usage;
  } collections[] = {{0x0001, 0x0006}, {0x0001, 0x0002}, {older ? uint16_t(0xF1F2) : uint16_t(0xFF00),
                                                          older ? uint16_t(0xF1F2) : uint16_t(0x000E)}};
  std::vector<HidInterface> interfaces;
  for (int number = 0; number < 3; ++number) {
    char head[64];
    std::snprintf(head, sizeof head, "\\\\?\\HID#VID_3C7A&PID_%04X&MI_%02d#7&2F1B0C", receiver.product, number);
    std::u16string path = Ascii(head);
    path.append(std::min(receiver.extraPathLength, kMaxExtraPath), u'E');
    path += u"&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    if (receiver.flags & kPlugLowerCase) path = Lower(path);
    interfaces.push_back({path, collections[number].page, collections[number].usage});
  }
  return interfaces;
}

std::u16string UsbInterfaceName(const Receiver& receiver) {
  char name[128];
  std::snprintf(name, sizeof name, "\\\\?\\USB#VID_3C7A&PID_%04X#5&1A2B3C4D&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}",
                receiver.product);
  return receiver.flags & kPlugLowerCase ? Lower(Ascii(name)) : Ascii(name);
}

Notifier::Notifier() : thread_([this] { Run(); }) {}

Notifier::~Notifier() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  queued_.notify_all();
  thread_.join();
}

void Notifier::Send(HWND window, WPARAM event, const std::u16string& interfaceName) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    notices_.push_back({window, event, interfaceName});
  }
  queued_.notify_all();
}

void Notifier::Run() {
  for (;;) {
    Notice notice;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      queued_.wait(lock, [&] { return stopping_ || !notices_.empty(); });
      if (notices_.empty()) return;
      notice = notices_.front();
      notices_.pop_front();
    }
    // The broadcast as the system builds it: the header, the class, and the
    // terminated name, all within dbcc_size.
    const std::size_t size =
        offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (notice.name.size() + 1) * sizeof(wchar_t);
    std::vector<uint8_t> buffer(std::max(size, sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)));
    auto* broadcast = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    broadcast->dbcc_size = static_cast<DWORD>(size);
    broadcast->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    broadcast->dbcc_classguid = platform::win32::UsbDeviceInterfaceClass();
    std::memcpy(broadcast->dbcc_name, notice.name.c_str(), (notice.name.size() + 1) * sizeof(wchar_t));
    DWORD_PTR result = 0;
    SendMessageTimeoutW(notice.window, WM_DEVICECHANGE, notice.event, reinterpret_cast<LPARAM>(broadcast),
                        SMTO_ABORTIFHUNG, 5000, &result);
    ++sent_;
  }
}

Hardware::Hardware() : events_(MapEventRing(true)) {
  if (events_ == nullptr) {
    ownRing_.reset(new EventRing{});
    events_ = ownRing_.get();
  }
  {
    EventRingLock ring(*events_);
    events_->fastSession = 0;
    events_->fetchCode = kIoctlGetEvent;
    events_->head = events_->count = events_->unlogged = 0;
  }
  receivers_.push_back({0x2000, 0, 0});
}

Hardware::~Hardware() { DropRegistration(); }

void Hardware::Configure(bool driverPresent, const std::vector<Receiver>& receivers) {
  std::lock_guard<std::mutex> lock(mutex_);
  driverPresent_ = driverPresent;
  receivers_ = receivers;
}

void Hardware::Connected(Session& session) {
  std::lock_guard<std::mutex> lock(mutex_);
  session.id = nextId_++;
  ++sessions_;
}

uint32_t Hardware::Sessions() {
  std::lock_guard<std::mutex> lock(mutex_);
  return sessions_;
}

void Hardware::CloseDriverHandle(Session& session) {
  if (!session.driverHandle) return;
  session.driverHandle = false;
  --driverHandles_;
  Log(LogStep::kClose, 0, 0, true);
  if (semaphoreOwner_ == session.id) DropRegistration();
}

void Hardware::Disconnected(Session& session) {
  std::lock_guard<std::mutex> lock(mutex_);
  CountRingFetches();
  --sessions_;
  CloseDriverHandle(session);
  for (auto it = hid_.begin(); it != hid_.end();) it = it->second.session == session.id ? hid_.erase(it) : ++it;
  for (auto it = registrations_.begin(); it != registrations_.end();) {
    it = it->second.session == session.id ? registrations_.erase(it) : ++it;
  }
  if (session.process != nullptr) CloseHandle(session.process);
  session.process = nullptr;
  UpdateRingAccess();
}

uint32_t Hardware::Pending() {
  EventRingLock ring(*events_);
  return events_->count;
}

void Hardware::CountRingFetches() {
  uint32_t fetches = 0;
  {
    EventRingLock ring(*events_);
    fetches = events_->unlogged;
    events_->unlogged = 0;
  }
  if (fetches == 0) return;
  fetched_count_ += fetches;
  // As the event thread asks: a zero code in, a code out.
  for (uint32_t i = 0; i < fetches; ++i) Log(LogStep::kControl, kIoctlGetEvent, 0, true);
  fetched_.notify_all();
}

void Hardware::UpdateRingAccess() {
  const auto failing = [&](uint32_t code) {
    const auto found = failures_.find(code);
    return found != failures_.end() && found->second != 0;
  };
  const bool allowed = semaphore_ != nullptr && driverPresent_ && !held_ && !failing(kIoctlGetEvent) && !failing(0);
  EventRingLock ring(*events_);
  events_->fastSession = allowed ? semaphoreOwner_ : 0;
}

void Hardware::DropRegistration() {
  if (semaphore_ != nullptr) CloseHandle(semaphore_);
  semaphore_ = nullptr;
  semaphoreOwner_ = 0;
}

void Hardware::Log(LogStep step, uint32_t code, uint32_t value, bool ok) {
  if (!log_.empty()) {
    LogEntry& last = log_.back();
    if (last.step == step && last.code == code && last.value == value && last.ok == uint32_t(ok)) {
      ++last.repeat;
      return;
    }
  }
  if (log_.size() >= kMaxLogEntries) log_.erase(log_.begin(), log_.begin() + kMaxLogEntries / 2);
  log_.push_back({step, code, value, ok ? 1u : 0u, 1});
}

bool Hardware::ShouldFail(uint32_t code) {
  for (uint32_t key : {code, 0u}) {
    const auto found = failures_.find(key);
    if (found == failures_.end() || found->second == 0) continue;
    if (found->second != kForever) --found->second;
    return true;
  }
  return false;
}

bool Hardware::QueueOne(uint32_t code, int64_t* releasedAt) {
  if (semaphore_ == nullptr || !driverPresent_) {
    ++dropped_;
    return false;
  }
  // The code is queued before the release so the woken program finds it; a
  // refused release (the count at its maximum) takes it back, keeping codes
  // and releases one to one.
  bool stored = false;
  {
    EventRingLock ring(*events_);
    stored = PushEvent(*events_, code);
  }
  if (!stored) {
    ++dropped_;
    return false;
  }
  if (releasedAt) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    *releasedAt = now.QuadPart;
  }
  if (!ReleaseSemaphore(semaphore_, 1, nullptr)) {
    EventRingLock ring(*events_);
    PopBackEvent(*events_);
    ++dropped_;
    return false;
  }
  ++queued_;
  return true;
}

uint32_t Hardware::Flood(uint32_t count, uint32_t firstCode, uint32_t burst, std::unique_lock<std::mutex>& lock) {
  burst = std::max<uint32_t>(1, std::min(burst, kMaxPending));
  uint32_t queued = 0;
  for (uint32_t sent = 0; sent < count;) {
    const uint32_t size = std::min(burst, count - sent);
    // Wait until the burst fits below the semaphore's maximum: the program's
    // pending count never exceeds the codes still queued here.
    const auto stall = std::chrono::steady_clock::now() + kFloodStall;
    bool fits = false;
    for (;;) {
      CountRingFetches();
      fits = semaphore_ == nullptr || Pending() + size <= kMaxPending;
      if (fits || std::chrono::steady_clock::now() >= stall) break;
      fetched_.wait_for(lock, kFloodLookAgain);
    }
    if (!fits || semaphore_ == nullptr) break;
    for (uint32_t i = 0; i < size; ++i) queued += QueueOne(firstCode + sent + i);
    sent += size;
    LetWaitingRequestsIn(lock);
  }
  return queued;
}

void Hardware::LetWaitingRequestsIn(std::unique_lock<std::mutex>& lock) {
  // A driver answers control codes while presses keep coming in; a flood
  // that took the lock back at once would hold every other request,
  // the program's exit among them, until the program stopped fetching.
  if (waitingRequests_ == 0) return;
  lock.unlock();
  while (waitingRequests_ != 0) std::this_thread::yield();
  lock.lock();
}

void Hardware::NotifyAll(const Receiver& receiver, WPARAM event) {
  const std::u16string name = UsbInterfaceName(receiver);
  for (const auto& entry : registrations_) notifier_.Send(entry.second.window, event, name);
}

void Hardware::ResetState() {
  driverPresent_ = true;
  held_ = false;
  released_.notify_all();
  receivers_.clear();
  failures_.clear();
  log_.clear();
  enabled_ = mouseMask_ = keyMask_ = extraKeyMask_ = 0;
  {
    EventRingLock ring(*events_);
    events_->head = events_->count = 0;
  }
  queued_ = dropped_ = fetched_count_ = 0;
}

void Hardware::HandleControl(Session& session, const Request& request, const uint8_t* payload, std::size_t size,
                             Reply& reply, std::vector<uint8_t>& answer, std::unique_lock<std::mutex>& lock) {
  const uint32_t code = request.code;
  if (code == kIoctlGetEvent && held_) {
    ++heldFetches_;
    released_.wait(lock, [&] { return !held_; });
    --heldFetches_;
  }
  const uint32_t value = FirstValue(payload, size);
  bool ok = driverPresent_ && !ShouldFail(code);
  if (ok) {
    switch (code) {
      case kIoctlRegister: {
        HANDLE duplicate = nullptr;
        ok = size >= 4 && session.process != nullptr &&
             DuplicateHandle(session.process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value)),
                             GetCurrentProcess(), &duplicate, 0, FALSE, DUPLICATE_SAME_ACCESS);
        if (ok) {
          DropRegistration();
          semaphore_ = duplicate;
          semaphoreOwner_ = session.id;
        }
        break;
      }
      case kIoctlUnregister:
        if (semaphoreOwner_ == session.id) DropRegistration();
        break;
      case kIoctlGetEvent: {
        uint32_t event = 0;
        {
          EventRingLock ring(*events_);
          ok = request.value >= 4 && PopFrontEvent(*events_, event);
        }
        if (ok) {
          AppendRaw(answer, event);
          ++fetched_count_;
          fetched_.notify_all();
        }
        break;
      }
      case kIoctlMouseMask:
      case kIoctlKeyMask:
      case kIoctlExtraKeyMask:
      case kIoctlEnable:
        ok = size >= 4;
        if (!ok) break;
        if (code == kIoctlMouseMask) mouseMask_ = value;
        if (code == kIoctlKeyMask) keyMask_ = value;
        if (code == kIoctlExtraKeyMask) extraKeyMask_ = value;
        if (code == kIoctlEnable) enabled_ = value;
        break;
      default:
        ok = false;
    }
  }
  Log(LogStep::kControl, code, value, ok);
  reply.ok = ok;
}

void Hardware::Handle(Session& session, const Request& request, const uint8_t* payload, std::size_t size,
                      Reply& reply, std::vector<uint8_t>& answer, bool& quit) {
  ++waitingRequests_;
  std::unique_lock<std::mutex> lock(mutex_);
  --waitingRequests_;
  CountRingFetches();
  reply = {1, 0};
  answer.clear();
  const auto text = [&] {
    return std::u16string(reinterpret_cast<const char16_t*>(payload), size / sizeof(char16_t));
  };
  switch (request.op) {
    case Op::kHello:
      if (session.process == nullptr) session.process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, request.value);
      reply.value = GetCurrentProcessId();
      AppendRaw(answer, session.id);
      break;
    case Op::kDriverOpen: {
      const bool ok = driverPresent_ && !session.driverHandle && SameIgnoringCase(text(), device::kDriverDevicePath);
      Log(ok ? LogStep::kOpen : LogStep::kOpenRefused, 0, 0, ok);
      if (ok) {
        session.driverHandle = true;
        ++driverHandles_;
      }
      reply.ok = ok;
      break;
    }
    case Op::kDriverControl:
      if (!session.driverHandle) {
        reply.ok = 0;
        break;
      }
      HandleControl(session, request, payload, size, reply, answer, lock);
      break;
    case Op::kDriverClose:
      reply.ok = session.driverHandle;
      CloseDriverHandle(session);
      break;
    case Op::kHidList: {
      for (const Receiver& receiver : receivers_) {
        const std::vector<HidInterface> interfaces = InterfacesOf(receiver);
        for (std::size_t i = 0; i < interfaces.size(); ++i) {
          const bool unreadable = (receiver.flags & kPlugUnreadableDetail) && i == 2;
          AppendPath(answer, unreadable ? nullptr : &interfaces[i].path);
        }
      }
      receivers_.erase(std::remove_if(receivers_.begin(), receivers_.end(),
                                      [](const Receiver& r) { return (r.flags & kPlugVanishAfterList) != 0; }),
                       receivers_.end());
      break;
    }
    case Op::kHidOpen: {
      reply.ok = 0;
      const std::u16string path = text();
      for (const Receiver& receiver : receivers_) {
        for (const HidInterface& item : InterfacesOf(receiver)) {
          if (reply.ok || !SameIgnoringCase(item.path, path)) continue;
          reply.value = nextId_++;
          hid_[reply.value] = {session.id, receiver.product, item};
          reply.ok = 1;
        }
      }
      break;
    }
    case Op::kHidUsage: {
      const auto found = hid_.find(request.value);
      // A handle whose receiver has been pulled out answers nothing more.
      const bool present =
          found != hid_.end() && std::any_of(receivers_.begin(), receivers_.end(), [&](const Receiver& r) {
            return r.product == found->second.product;
          });
      reply.ok = present;
      if (present) AppendRaw(answer, HidUsage{found->second.item.usagePage, found->second.item.usage});
      break;
    }
    case Op::kHidClose:
      reply.ok = hid_.erase(request.value) != 0;
      break;
    case Op::kNotifyRegister:
      reply.value = nextId_++;
      registrations_[reply.value] = {session.id, reinterpret_cast<HWND>(static_cast<ULONG_PTR>(request.value))};
      break;
    case Op::kNotifyUnregister:
      reply.ok = registrations_.erase(request.value) != 0;
      break;
    case Op::kPlug: {
      const Receiver receiver{static_cast<uint16_t>(request.value), request.code, request.extra};
      if (receiver.product != 0x2000 && receiver.product != 0x2001 && receiver.product != 0x1000) {
        reply.ok = 0;
        break;
      }
      receivers_.erase(std::remove_if(receivers_.begin(), receivers_.end(),
                                      [&](const Receiver& r) { return r.product == receiver.product; }),
                       receivers_.end());
      receivers_.push_back(receiver);
      NotifyAll(receiver, DBT_DEVICEARRIVAL);
      break;
    }
    case Op::kUnplug: {
      const auto found = std::find_if(receivers_.begin(), receivers_.end(),
                                      [&](const Receiver& r) { return r.product == request.value; });
      reply.ok = found != receivers_.end();
      if (!reply.ok) break;
      const Receiver gone = *found;
      receivers_.erase(found);
      NotifyAll(gone, DBT_DEVICEREMOVECOMPLETE);
      break;
    }
    case Op::kSetDriver:
      driverPresent_ = request.value != 0;
      break;
    case Op::kFailCode:
      if (request.code == 0 && request.value == 0) {
        failures_.clear();
      } else {
        failures_[request.code] = request.value;
      }
      break;
    case Op::kQueue:
      for (std::size_t at = 0; at + sizeof(uint32_t) <= size; at += sizeof(uint32_t)) {
        int64_t releasedAt = 0;
        reply.value += QueueOne(FirstValue(payload + at, sizeof(uint32_t)), &releasedAt);
        if (request.extra == kQueueTimed) AppendRaw(answer, releasedAt);
      }
      break;
    case Op::kFlood:
      reply.value = Flood(request.value, request.code, request.extra, lock);
      break;
    case Op::kStatus: {
      Status status = {};
      status.driverPresent = driverPresent_;
      status.handlesOpen = driverHandles_;
      status.registered = semaphore_ != nullptr;
      status.enabled = enabled_;
      status.mouseMask = mouseMask_;
      status.keyMask = keyMask_;
      status.extraKeyMask = extraKeyMask_;
      status.pending = Pending();
      status.queued = queued_;
      status.dropped = dropped_;
      status.fetched = fetched_count_;
      status.notificationsSent = notifier_.Sent();
      status.notificationWindows = static_cast<uint32_t>(registrations_.size());
      status.pluggedCount = static_cast<uint32_t>(receivers_.size());
      status.hidOpen = static_cast<uint32_t>(hid_.size());
      status.heldFetches = heldFetches_;
      AppendRaw(answer, status);
      for (const Receiver& receiver : receivers_) AppendRaw(answer, uint32_t{receiver.product});
      break;
    }
    case Op::kLog:
      for (const LogEntry& entry : log_) AppendRaw(answer, entry);
      break;
    case Op::kClearLog:
      log_.clear();
      break;
    case Op::kReset:
      ResetState();
      break;
    case Op::kQuit:
      quit = true;
      break;
    case Op::kHoldEvents:
      held_ = request.value != 0;
      released_.notify_all();
      break;
    default:
      reply.ok = 0;
  }
  UpdateRingAccess();
}

namespace {

struct ServerState {
  Hardware* hardware;
  std::atomic<DWORD> lastActivity{GetTickCount()};
};

void ServeConnection(ServerState& server, HANDLE pipe) {
  Session session;
  server.hardware->Connected(session);
  std::vector<uint8_t> message;
  std::vector<uint8_t> answer;
  bool quit = false;
  while (!quit && ReadPipeMessage(pipe, message, kMaxRequestBytes) && message.size() >= sizeof(Request)) {
    Request request;
    std::memcpy(&request, message.data(), sizeof request);
    Reply reply = {};
    server.hardware->Handle(session, request, message.data() + sizeof request, message.size() - sizeof request,
                            reply, answer, quit);
    std::vector<uint8_t> out;
    out.reserve(sizeof reply + answer.size());
    AppendRaw(out, reply);
    out.insert(out.end(), answer.begin(), answer.end());
    if (!WritePipeMessage(pipe, out)) break;
  }
  if (quit) {
    FlushFileBuffers(pipe);
    ExitProcess(0);
  }
  server.hardware->Disconnected(session);
  server.lastActivity = GetTickCount();
  DisconnectNamedPipe(pipe);
  CloseHandle(pipe);
}

HANDLE NewPipeInstance(bool first) {
  return CreateNamedPipeW(kPipeName, PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0),
                          PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 65536,
                          65536, 0, nullptr);
}

}  // namespace

bool Serve(Hardware& hardware, uint32_t idleExitSeconds) {
  static ServerState server{&hardware};
  // One simulator per session. The pipe's first-instance flag would say the
  // same, but not every system honours it; a named mutex is reliable.
  const HANDLE single = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  if (single == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return false;
  HANDLE pipe = NewPipeInstance(true);
  if (pipe == INVALID_HANDLE_VALUE) return false;
  if (idleExitSeconds > 0) {
    std::thread([idleExitSeconds] {
      for (;;) {
        Sleep(500);
        if (server.hardware->Sessions() == 0 && GetTickCount() - server.lastActivity > idleExitSeconds * 1000) {
          ExitProcess(0);
        }
      }
    }).detach();
  }
  for (;;) {
    const bool connected = ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    if (connected) {
      server.lastActivity = GetTickCount();
      std::thread([pipe] { ServeConnection(server, pipe); }).detach();
    } else {
      CloseHandle(pipe);
    }
    pipe = NewPipeInstance(false);
    while (pipe == INVALID_HANDLE_VALUE) {
      Sleep(10);
      pipe = NewPipeInstance(false);
    }
  }
}

}  // namespace simulator
