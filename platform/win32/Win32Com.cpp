#include "platform/Com.h"
#include "platform/win32/WideString.h"

#include <objbase.h>

namespace platform {
namespace {

class Win32Com final : public Com {
 public:
  // S_FALSE (already initialised) must be balanced as well; a refused
  // change of threading model must not.
  bool Initialize() override { return SUCCEEDED(CoInitialize(nullptr)); }
  void Uninitialize() override { CoUninitialize(); }
};

}  // namespace

template <>
Com& Service<Com>::Default() {
  static Win32Com instance;
  return instance;
}

}  // namespace platform
