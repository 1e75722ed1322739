#include "platform/Process.h"

namespace platform {

std::u16string ExeFolderOf(const std::u16string& executablePath) {
  const std::size_t separator = executablePath.find_last_of(u"\\/");
  if (separator != std::u16string::npos) return executablePath.substr(0, separator + 1);
  // "C:vn24g.exe": the drive alone.
  if (executablePath.size() >= 2 && executablePath[1] == u':') return executablePath.substr(0, 2);
  return std::u16string();
}

}  // namespace platform
