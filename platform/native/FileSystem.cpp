// Native file access: the wide path is turned into a UTF-8 file name, with
// backslashes read as folder separators so that paths built the Windows way
// ("<folder>\skins\<model>\DeviceSkn.xml") work unchanged in native tests.

#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

namespace platform {
namespace {

std::string NativePath(const std::u16string& path) {
  std::string out;
  out.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    uint32_t c = path[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < path.size() && path[i + 1] >= 0xDC00 && path[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (c == '\\') c = '/';
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

bool IsRegularFile(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

class NativeFileSystem final : public FileSystem {
 public:
  bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
    bytes.clear();
    const std::string name = NativePath(path);
    // fopen succeeds on a folder on Linux; only regular files hold data.
    if (!IsRegularFile(name)) return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = ok && length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
      bytes.resize(static_cast<size_t>(length));
      ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!ok) bytes.clear();
    return ok;
  }

  bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
    std::FILE* file = std::fopen(NativePath(path).c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
  }

  bool FileExists(const std::u16string& path) override { return IsRegularFile(NativePath(path)); }
};

}  // namespace

template <>
FileSystem& Service<FileSystem>::Default() {
  static NativeFileSystem instance;
  return instance;
}

}  // namespace platform
