#include "platform/simulated/SimulatorClient.h"

#include <windows.h>

#include <cstring>

namespace simulator {
namespace {

constexpr DWORD kStartWaitMs = 10000;

HANDLE Pipe(void* pipe) { return static_cast<HANDLE>(pipe); }

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length < MAX_PATH ? length : 0);
  const std::size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

HANDLE ConnectPipe(DWORD& error) {
  const HANDLE pipe = CreateFileW(kPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  error = pipe == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  return pipe;
}

}  // namespace

bool ReadPipeMessage(void* pipe, std::vector<uint8_t>& message, uint32_t limit) {
  message.resize(4096);
  std::size_t used = 0;
  for (;;) {
    DWORD got = 0;
    const BOOL done = ReadFile(Pipe(pipe), message.data() + used, static_cast<DWORD>(message.size() - used), &got,
                               nullptr);
    used += got;
    if (done) {
      message.resize(used);
      return true;
    }
    if (GetLastError() != ERROR_MORE_DATA || message.size() >= limit) return false;
    message.resize(message.size() * 2 < limit ? message.size() * 2 : limit);
  }
}

bool WritePipeMessage(void* pipe, const std::vector<uint8_t>& message) {
  DWORD written = 0;
  return WriteFile(Pipe(pipe), message.data(), static_cast<DWORD>(message.size()), &written, nullptr) &&
         written == message.size();
}

bool StartSimulator(const std::wstring& arguments) {
  const std::wstring folder = ProgramFolder();
  const std::wstring path = folder + kExecutableName;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // No console of its own and no handles of ours: the simulator outlives
  // the program that started it and must not hold its output open.
  if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      folder.c_str(), &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

std::unique_ptr<Connection> Connection::Open(Start start) {
  // One start per process at a time; a simulator that finds another one
  // already serving simply exits.
  static std::mutex startLock;
  std::lock_guard<std::mutex> lock(startLock);
  const DWORD deadline = GetTickCount() + kStartWaitMs;
  bool started = false;
  for (;;) {
    DWORD error = ERROR_SUCCESS;
    const HANDLE pipe = ConnectPipe(error);
    if (pipe != INVALID_HANDLE_VALUE) {
      DWORD mode = PIPE_READMODE_MESSAGE;
      SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr);
      std::unique_ptr<Connection> connection(new Connection(pipe));
      Reply reply = {};
      std::vector<uint8_t> session;
      if (!connection->Call(Request{Op::kHello, 0, GetCurrentProcessId(), 0}, nullptr, 0, reply, session) ||
          !reply.ok || session.size() < sizeof connection->sessionId_) {
        return nullptr;
      }
      connection->simulatorProcessId_ = reply.value;
      std::memcpy(&connection->sessionId_, session.data(), sizeof connection->sessionId_);
      return connection;
    }
    if (static_cast<int32_t>(GetTickCount() - deadline) > 0) return nullptr;
    if (error == ERROR_PIPE_BUSY) {
      WaitNamedPipeW(kPipeName, 1000);
    } else if (error == ERROR_FILE_NOT_FOUND && start != Start::kNo) {
      if (start == Start::kIfMissing && !started && !StartSimulator(L"serve --idle-exit 60")) return nullptr;
      started = true;
      Sleep(20);
    } else {
      return nullptr;
    }
  }
}

Connection::~Connection() { CloseHandle(Pipe(pipe_)); }

bool Connection::Call(const Request& request, const void* payload, uint32_t payloadSize, Reply& reply,
                      std::vector<uint8_t>& replyPayload) {
  std::vector<uint8_t> message;
  message.reserve(sizeof request + payloadSize);
  AppendRaw(message, request);
  if (payloadSize != 0) {
    const auto* bytes = static_cast<const uint8_t*>(payload);
    message.insert(message.end(), bytes, bytes + payloadSize);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  // One transaction writes the request and reads the answer: half the trips
  // through the system that separate writes and reads would take.
  std::vector<uint8_t> answer(4096);
  DWORD got = 0;
  if (TransactNamedPipe(Pipe(pipe_), message.data(), static_cast<DWORD>(message.size()), answer.data(),
                        static_cast<DWORD>(answer.size()), &got, nullptr)) {
    answer.resize(got);
  } else {
    if (GetLastError() != ERROR_MORE_DATA) return false;
    std::vector<uint8_t> rest;
    if (!ReadPipeMessage(pipe_, rest, kMaxReplyBytes - static_cast<uint32_t>(answer.size()))) return false;
    answer.resize(got);
    answer.insert(answer.end(), rest.begin(), rest.end());
  }
  if (answer.size() < sizeof reply) return false;
  std::memcpy(&reply, answer.data(), sizeof reply);
  replyPayload.assign(answer.begin() + sizeof reply, answer.end());
  return true;
}

bool Connection::Command(Op op, uint32_t code, uint32_t value, uint32_t extra, uint32_t* replyValue) {
  Reply reply = {};
  std::vector<uint8_t> payload;
  if (!Call(Request{op, code, value, extra}, nullptr, 0, reply, payload)) return false;
  if (replyValue != nullptr) *replyValue = reply.value;
  return reply.ok != 0;
}

bool Plug(Connection& connection, uint16_t product, uint32_t flags, uint32_t extraPathLength) {
  return connection.Command(Op::kPlug, flags, product, extraPathLength);
}

bool Unplug(Connection& connection, uint16_t product) { return connection.Command(Op::kUnplug, 0, product); }

bool SetDriverPresent(Connection& connection, bool present) {
  return connection.Command(Op::kSetDriver, 0, present ? 1 : 0);
}

bool FailCode(Connection& connection, uint32_t code, uint32_t times) {
  return connection.Command(Op::kFailCode, code, times);
}

uint32_t QueueEvents(Connection& connection, const std::vector<uint32_t>& codes, std::vector<int64_t>* releasedAt) {
  Reply reply = {};
  std::vector<uint8_t> payload;
  const auto size = static_cast<uint32_t>(codes.size() * sizeof(uint32_t));
  const uint32_t timed = releasedAt ? kQueueTimed : 0;
  if (!connection.Call(Request{Op::kQueue, 0, 0, timed}, codes.data(), size, reply, payload)) return 0;
  if (releasedAt) {
    releasedAt->assign(payload.size() / sizeof(int64_t), 0);
    if (!releasedAt->empty()) std::memcpy(releasedAt->data(), payload.data(), releasedAt->size() * sizeof(int64_t));
  }
  return reply.value;
}

uint32_t Flood(Connection& connection, uint32_t count, uint32_t firstCode, uint32_t burst) {
  uint32_t queued = 0;
  connection.Command(Op::kFlood, firstCode, count, burst, &queued);
  return queued;
}

bool HoldEvents(Connection& connection, bool hold) { return connection.Command(Op::kHoldEvents, 0, hold ? 1 : 0); }

bool GetStatus(Connection& connection, Status& status, std::vector<uint32_t>& plugged) {
  Reply reply = {};
  std::vector<uint8_t> payload;
  if (!connection.Call(Request{Op::kStatus, 0, 0, 0}, nullptr, 0, reply, payload) || !reply.ok ||
      payload.size() < sizeof status) {
    return false;
  }
  std::memcpy(&status, payload.data(), sizeof status);
  plugged.assign(reinterpret_cast<const uint32_t*>(payload.data() + sizeof status),
                 reinterpret_cast<const uint32_t*>(payload.data() + sizeof status) +
                     (payload.size() - sizeof status) / sizeof(uint32_t));
  return true;
}

bool GetLog(Connection& connection, std::vector<LogEntry>& log) {
  Reply reply = {};
  std::vector<uint8_t> payload;
  if (!connection.Call(Request{Op::kLog, 0, 0, 0}, nullptr, 0, reply, payload) || !reply.ok) return false;
  log.resize(payload.size() / sizeof(LogEntry));
  if (!log.empty()) std::memcpy(log.data(), payload.data(), log.size() * sizeof(LogEntry));
  return true;
}

bool ClearLog(Connection& connection) { return connection.Command(Op::kClearLog); }

bool Reset(Connection& connection) { return connection.Command(Op::kReset); }

bool Quit(Connection& connection) {
  const HANDLE simulator = OpenProcess(SYNCHRONIZE, FALSE, connection.SimulatorProcessId());
  const bool ok = connection.Command(Op::kQuit);
  if (simulator != nullptr) {
    WaitForSingleObject(simulator, kStartWaitMs);
    CloseHandle(simulator);
  }
  return ok;
}

void AppendPath(std::vector<uint8_t>& list, const std::u16string* path) {
  if (path == nullptr) {
    AppendRaw(list, kUnreadablePath);
    return;
  }
  AppendRaw(list, static_cast<uint32_t>(path->size()));
  const auto* bytes = reinterpret_cast<const uint8_t*>(path->data());
  list.insert(list.end(), bytes, bytes + path->size() * sizeof(char16_t));
}

bool ParsePathList(const std::vector<uint8_t>& list, std::vector<ListedPath>& paths) {
  paths.clear();
  std::size_t at = 0;
  while (at < list.size()) {
    uint32_t units = 0;
    if (list.size() - at < sizeof units) return false;
    std::memcpy(&units, list.data() + at, sizeof units);
    at += sizeof units;
    if (units == kUnreadablePath) {
      paths.push_back({std::u16string(), true});
      continue;
    }
    if ((list.size() - at) / sizeof(char16_t) < units) return false;
    std::u16string path(units, u'\0');
    std::memcpy(&path[0], list.data() + at, units * sizeof(char16_t));
    at += units * sizeof(char16_t);
    paths.push_back({std::move(path), false});
  }
  return true;
}

}  // namespace simulator
