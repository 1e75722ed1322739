#include "platform/FileSystem.h"

#include <windows.h>

#include "platform/win32/WideString.h"

namespace platform {
namespace {

using win32::Wide;

class Win32FileSystem final : public FileSystem {
 public:
  bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) override {
    bytes.clear();
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= 0x7FFFFFFFull;
    if (ok) {
      // Read in one call when possible; ReadFile may still return less, so
      // keep reading until the file is in or a read brings nothing.
      bytes.resize(static_cast<size_t>(size.QuadPart));
      size_t done = 0;
      while (ok && done < bytes.size()) {
        DWORD got = 0;
        ok = ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr) != 0 &&
             got != 0;
        done += got;
      }
    }
    CloseHandle(file);
    if (!ok) bytes.clear();
    return ok;
  }

  bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) override {
    HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD wrote = 0;
      ok = WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote, nullptr) != 0 &&
           wrote != 0;
      done += wrote;
    }
    ok = CloseHandle(file) != 0 && ok;
    return ok;
  }

  bool FileExists(const std::u16string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
};

}  // namespace

template <>
FileSystem& Service<FileSystem>::Default() {
  static Win32FileSystem instance;
  return instance;
}

}  // namespace platform
