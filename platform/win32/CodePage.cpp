#include "platform/CodePage.h"

#include <windows.h>

#include <climits>

namespace platform {
namespace {

class Win32CodePage final : public CodePage {
 public:
  bool ToWide(uint32_t codePage, const uint8_t* bytes, size_t size, std::u16string& out) override {
    out.clear();
    if (size == 0) return IsValidCodePage(codePage) != 0 || codePage == CP_ACP;
    if (size > static_cast<size_t>(INT_MAX)) return false;
    const char* source = reinterpret_cast<const char*>(bytes);
    const int length = static_cast<int>(size);
    const int units = MultiByteToWideChar(codePage, 0, source, length, nullptr, 0);
    if (units <= 0) return false;
    out.resize(static_cast<size_t>(units));
    const int written = MultiByteToWideChar(codePage, 0, source, length, reinterpret_cast<wchar_t*>(out.data()), units);
    if (written <= 0) {
      out.clear();
      return false;
    }
    out.resize(static_cast<size_t>(written));
    return true;
  }
};

}  // namespace

template <>
CodePage& Service<CodePage>::Default() {
  static Win32CodePage instance;
  return instance;
}

}  // namespace platform
