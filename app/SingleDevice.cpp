#include "app/SingleDevice.h"

namespace app {
namespace {
bool g_singleDevice = false;
}

bool IsSingleDevice() { return g_singleDevice; }
void SetSingleDevice(bool single) { g_singleDevice = single; }

}  // namespace app
