#include <vector>

#include "platform/IniFile.h"
#include "platform/win32/WideString.h"

namespace platform {
namespace {

class Win32IniFile final : public IniFile {
 public:
  std::u16string ReadString(const std::u16string& file, const std::u16string& section,
                            const std::u16string& key, const std::u16string& fallback,
                            std::size_t capacity) override {
    if (capacity == 0) return std::u16string();
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(win32::Wide(section), win32::Wide(key),
                                                  win32::Wide(fallback), buffer.data(),
                                                  static_cast<DWORD>(capacity), win32::Wide(file));
    return win32::FromWide(buffer.data(), length);
  }

  int ReadInt(const std::u16string& file, const std::u16string& section, const std::u16string& key,
              int fallback) override {
    return static_cast<int>(GetPrivateProfileIntW(win32::Wide(section), win32::Wide(key), fallback,
                                                  win32::Wide(file)));
  }

  bool WriteString(const std::u16string& file, const std::u16string& section,
                   const std::u16string& key, const std::u16string& value) override {
    return WritePrivateProfileStringW(win32::Wide(section), win32::Wide(key), win32::Wide(value),
                                      win32::Wide(file)) != FALSE;
  }
};

}  // namespace

template <>
IniFile& Service<IniFile>::Default() {
  static Win32IniFile instance;
  return instance;
}

}  // namespace platform
