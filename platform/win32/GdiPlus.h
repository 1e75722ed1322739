#pragma once

// The image library's headers expect min and max as names and the COM
// declarations that the lean Windows header leaves out.

#include <windows.h>
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#include <gdiplus.h>
