#include "win32/DistFolder.h"

#include <windows.h>

namespace wintest {

std::u16string TestProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L'\\') + 1);
  return std::u16string(folder.begin(), folder.end());
}

std::u16string DistFolder() {
  std::u16string folder = TestProgramFolder();
  folder.pop_back();
  folder.erase(folder.find_last_of(u'\\') + 1);
  return folder + u"dist\\";
}

}  // namespace wintest
