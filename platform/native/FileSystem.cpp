// Native file access: the wide path is turned into a UTF-8 file name, with
// backslashes read as folder separators so that paths built the Windows way
// ("<folder>\skins\<model>\DeviceSkn.xml") work unchanged in native tests.

#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/native/NativeText.h"

namespace platform {
namespace {

using native::ToNativePath;

bool IsRegularFile(const std::string& name) {
  struct stat info {};
  return ::stat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

class NativeFileSystem final : public FileSystem {
 public:
  bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
    bytes.clear();
    const std::string name = ToNativePath(path);
    // fopen succeeds on a folder on Linux; only regular files hold data.
    if (!IsRegularFile(name)) return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(file) : -1;
    ok = ok && length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
      // Through a small buffer rather than into a cleared vector: the
      // content is written once.
      bytes.reserve(static_cast<size_t>(length));
      uint8_t piece[1 << 16];
      size_t got;
      while ((got = std::fread(piece, 1, sizeof(piece), file)) > 0) bytes.insert(bytes.end(), piece, piece + got);
      ok = std::ferror(file) == 0 && bytes.size() == static_cast<size_t>(length);
    }
    std::fclose(file);
    if (!ok) bytes.clear();
    return ok;
  }

  bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
    std::FILE* file = std::fopen(ToNativePath(path).c_str(), "wb");
    if (!file) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
  }

  bool FileExists(const std::u16string& path) override { return IsRegularFile(ToNativePath(path)); }
};

}  // namespace

template <>
FileSystem& Service<FileSystem>::Default() {
  static NativeFileSystem instance;
  return instance;
}

}  // namespace platform
