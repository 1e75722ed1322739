#include "fakes/TempFolder.h"

#ifdef _WIN32
#include <process.h>
#define VN24G_PID _getpid
#else
#include <unistd.h>
#define VN24G_PID getpid
#endif

namespace fakes {

long TempFolder::Unique() { return static_cast<long>(VN24G_PID()); }

}  // namespace fakes
