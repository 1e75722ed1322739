// The device simulator's command line: runs the simulator, or tells the
// running one to plug and unplug receivers, switch the driver, fail control
// codes and queue events, and shows what the program has told the driver.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "DeviceSimulator.h"
#include "device/DriverControlCodes.h"
#include "platform/simulated/SimulatorClient.h"

namespace {

using namespace simulator;

const char kUsage[] =
    "usage: vn24gsim COMMAND [ARGUMENTS]\n"
    "  serve [--driver on|off] [--receivers none|PRODUCT,...] [--lower] [--idle-exit SECONDS]\n"
    "                      run the simulator in this process (default: driver on, receiver 2000)\n"
    "  start [serve options]  run the simulator in the background unless one runs\n"
    "  plug PRODUCT [--lower] [--vanish] [--unreadable] [--long-path UNITS]\n"
    "                      plug in a receiver (2000, 2001 or 1000) and announce it\n"
    "  unplug PRODUCT      pull a receiver out\n"
    "  driver on|off       make the filter driver present or absent\n"
    "  fail CODE|all [TIMES]  make a control code (or every code) fail, TIMES times or until cleared\n"
    "  fail clear          stop failing codes\n"
    "  queue CODE...       queue event codes, one semaphore release each\n"
    "  flood COUNT [--first CODE] [--burst N]  queue COUNT consecutive codes in bursts\n"
    "  hold on|off         stall the driver's answers to get-event requests, or let them go\n"
    "  masks               show the masks and the enable state\n"
    "  log [--clear]       show the control codes received, in order\n"
    "  status              show everything the simulator keeps\n"
    "  reset               driver on, nothing plugged, no failures, empty queue and log\n"
    "  quit                end the simulator\n"
    "  post TITLE MESSAGE [WPARAM [LPARAM]]  post a message to the top-level window named TITLE\n"
    "                      (drives the program from a test, e.g. its tray commands)\n";

uint32_t Number(const char* text) { return static_cast<uint32_t>(std::strtoul(text, nullptr, 0)); }

// Products are written as the hexadecimal digits of the device path.
uint16_t Product(const char* text) { return static_cast<uint16_t>(std::strtoul(text, nullptr, 16)); }

const char* CodeName(uint32_t code) {
  switch (code) {
    case device::kIoctlRegister: return "register";
    case device::kIoctlUnregister: return "unregister";
    case device::kIoctlGetEvent: return "get event";
    case device::kIoctlMouseMask: return "mouse mask";
    case device::kIoctlKeyMask: return "key mask";
    case device::kIoctlEnable: return "enable";
    case device::kIoctlExtraKeyMask: return "extra key mask";
    default: return "unknown";
  }
}

void PrintLog(const std::vector<LogEntry>& log) {
  for (const LogEntry& entry : log) {
    switch (entry.step) {
      case LogStep::kOpen: std::printf("open"); break;
      case LogStep::kOpenRefused: std::printf("open refused"); break;
      case LogStep::kClose: std::printf("close"); break;
      case LogStep::kControl: {
        std::printf("0x%06X %s", entry.code, CodeName(entry.code));
        const bool hasValue = entry.code != device::kIoctlUnregister && entry.code != device::kIoctlGetEvent;
        if (hasValue) std::printf(" 0x%08X", entry.value);
        std::printf(entry.ok ? " ok" : " failed");
        break;
      }
    }
    if (entry.repeat > 1) std::printf(" x%u", entry.repeat);
    std::printf("\n");
  }
}

struct ServeOptions {
  bool driver = true;
  std::vector<Receiver> receivers{{0x2000, 0, 0}};
  uint32_t idleExit = 0;
  std::wstring forwarded;  // the same options, for a background start
};

bool ParseServeOptions(int argc, char** argv, int first, ServeOptions& options) {
  uint32_t flags = 0;
  for (int i = first; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--driver" && hasValue) {
      options.driver = std::strcmp(argv[++i], "off") != 0;
    } else if (option == "--receivers" && hasValue) {
      options.receivers.clear();
      const std::string list = argv[++i];
      for (std::size_t at = 0; list != "none" && at < list.size();) {
        const std::size_t comma = list.find(',', at);
        options.receivers.push_back({Product(list.substr(at, comma - at).c_str()), 0, 0});
        at = comma == std::string::npos ? list.size() : comma + 1;
      }
    } else if (option == "--lower") {
      flags |= kPlugLowerCase;
    } else if (option == "--idle-exit" && hasValue) {
      options.idleExit = Number(argv[++i]);
    } else {
      return false;
    }
  }
  for (Receiver& receiver : options.receivers) receiver.flags = flags;
  for (int i = first; i < argc; ++i) {
    options.forwarded += L" ";
    for (const char* c = argv[i]; *c; ++c) options.forwarded += static_cast<wchar_t>(*c);
  }
  return true;
}

int RunServer(const ServeOptions& options) {
  static Hardware hardware;
  hardware.Configure(options.driver, options.receivers);
  if (!Serve(hardware, options.idleExit)) {
    std::fprintf(stderr, "vn24gsim: a simulator is already running\n");
    return 2;
  }
  return 0;
}

int Command(int argc, char** argv, Connection::Start start) {
  const std::string command = argv[1];
  std::unique_ptr<Connection> connection = Connection::Open(start);
  if (!connection) {
    if (command == "quit") return 0;
    std::fprintf(stderr, "vn24gsim: no simulator could be reached or started\n");
    return 2;
  }
  bool ok = true;
  if (command == "start") {
    // Reaching it is all that was asked.
  } else if (command == "plug" && argc >= 3) {
    uint32_t flags = 0;
    uint32_t extra = 0;
    for (int i = 3; i < argc; ++i) {
      const std::string option = argv[i];
      if (option == "--lower") flags |= kPlugLowerCase;
      else if (option == "--vanish") flags |= kPlugVanishAfterList;
      else if (option == "--unreadable") flags |= kPlugUnreadableDetail;
      else if (option == "--long-path" && i + 1 < argc) extra = Number(argv[++i]);
      else return std::fputs(kUsage, stderr), 2;
    }
    ok = Plug(*connection, Product(argv[2]), flags, extra);
  } else if (command == "unplug" && argc == 3) {
    ok = Unplug(*connection, Product(argv[2]));
  } else if (command == "driver" && argc == 3) {
    ok = SetDriverPresent(*connection, std::strcmp(argv[2], "off") != 0);
  } else if (command == "fail" && argc >= 3) {
    const std::string what = argv[2];
    if (what == "clear") {
      ok = FailCode(*connection, 0, 0);
    } else {
      ok = FailCode(*connection, what == "all" ? 0 : Number(argv[2]), argc >= 4 ? Number(argv[3]) : kForever);
    }
  } else if (command == "queue" && argc >= 3) {
    std::vector<uint32_t> codes;
    for (int i = 2; i < argc; ++i) codes.push_back(Number(argv[i]));
    const uint32_t queued = QueueEvents(*connection, codes);
    std::printf("queued %u of %u\n", queued, static_cast<unsigned>(codes.size()));
    ok = queued == codes.size();
  } else if (command == "flood" && argc >= 3) {
    uint32_t first = 1;
    uint32_t burst = 4000;
    for (int i = 3; i + 1 < argc; i += 2) {
      if (std::strcmp(argv[i], "--first") == 0) first = Number(argv[i + 1]);
      if (std::strcmp(argv[i], "--burst") == 0) burst = Number(argv[i + 1]);
    }
    const uint32_t count = Number(argv[2]);
    const uint32_t queued = Flood(*connection, count, first, burst);
    std::printf("queued %u of %u\n", queued, count);
    ok = queued == count;
  } else if (command == "hold" && argc == 3) {
    ok = HoldEvents(*connection, std::strcmp(argv[2], "off") != 0);
  } else if (command == "masks" || command == "status") {
    Status status = {};
    std::vector<uint32_t> plugged;
    ok = GetStatus(*connection, status, plugged);
    if (ok) {
      std::printf("mouse mask 0x%08X\nkey mask 0x%08X\nextra key mask 0x%08X\nenabled %u\n", status.mouseMask,
                  status.keyMask, status.extraKeyMask, status.enabled);
    }
    if (ok && command == "status") {
      std::printf("driver %s\nhandles open %u\nsemaphore registered %u\n", status.driverPresent ? "on" : "off",
                  status.handlesOpen, status.registered);
      std::printf("events pending %u, queued %u, fetched %u, dropped %u\n", status.pending, status.queued,
                  status.fetched, status.dropped);
      std::printf("HID handles open %u\n", status.hidOpen);
      std::printf("fetches held %u\n", status.heldFetches);
      std::printf("notices sent %u to %u windows\nreceivers:", status.notificationsSent, status.notificationWindows);
      for (uint32_t product : plugged) std::printf(" %04X", product);
      std::printf(plugged.empty() ? " none\n" : "\n");
    }
  } else if (command == "log") {
    std::vector<LogEntry> log;
    ok = GetLog(*connection, log);
    if (ok) PrintLog(log);
    if (ok && argc >= 3 && std::strcmp(argv[2], "--clear") == 0) ok = ClearLog(*connection);
  } else if (command == "reset" && argc == 2) {
    ok = Reset(*connection);
  } else if (command == "quit" && argc == 2) {
    Quit(*connection);
  } else {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (!ok) std::fprintf(stderr, "vn24gsim: %s refused\n", command.c_str());
  return ok ? 0 : 1;
}

}  // namespace

// Not a simulator command: a test's way to reach the program's window.
int PostToWindow(int argc, char** argv) {
  if (argc < 4) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  wchar_t title[512] = {};
  MultiByteToWideChar(CP_ACP, 0, argv[2], -1, title, 511);
  const HWND window = FindWindowW(nullptr, title);
  if (window == nullptr) {
    std::fprintf(stderr, "vn24gsim: no window named \"%s\"\n", argv[2]);
    return 1;
  }
  const WPARAM wParam = argc >= 5 ? static_cast<WPARAM>(std::strtoul(argv[4], nullptr, 0)) : 0;
  const LPARAM lParam = argc >= 6 ? static_cast<LPARAM>(std::strtol(argv[5], nullptr, 0)) : 0;
  return PostMessageW(window, Number(argv[3]), wParam, lParam) ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string command = argv[1];
  if (command == "post") return PostToWindow(argc, argv);
  if (command == "serve" || command == "start") {
    ServeOptions options;
    if (!ParseServeOptions(argc, argv, 2, options)) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    if (command == "serve") return RunServer(options);
    // A background simulator is only started when none answers; the one
    // that answers keeps its state.
    if (std::unique_ptr<Connection> running = Connection::Open(Connection::Start::kNo)) return 0;
    if (!StartSimulator(L"serve" + options.forwarded)) return 2;
    return Command(argc, argv, Connection::Start::kAwait);
  }
  return Command(argc, argv, command == "quit" ? Connection::Start::kNo : Connection::Start::kIfMissing);
}
