#pragma once

// The system's version, and locking the user's session.

#include <cstdint>

#include "platform/Service.h"

namespace platform {

// What the system says about its version (GetVersionExW).
struct OsVersionInfo {
  uint32_t platformId;  // 1 Windows 95/98/Me, 2 NT; 0 when unknown
  uint32_t major;
  uint32_t minor;
};

class OperatingSystem {
 public:
  virtual ~OperatingSystem() = default;

  virtual OsVersionInfo Version() = 0;

  // Whether this 32-bit program runs on a 64-bit system; false when the
  // system cannot say.
  virtual bool IsWow64Process() = 0;

  // Switches the file-system redirection of a 32-bit program on a 64-bit
  // system off for this thread. False when the system has no such switch;
  // otherwise `previous` receives what RevertFileSystemRedirection needs.
  virtual bool DisableFileSystemRedirection(uintptr_t& previous) = 0;
  virtual void RevertFileSystemRedirection(uintptr_t previous) = 0;

  // Locks the session: the user has to sign in again.
  virtual void LockSession() = 0;
};

template <>
OperatingSystem& Service<OperatingSystem>::Default();

}  // namespace platform
