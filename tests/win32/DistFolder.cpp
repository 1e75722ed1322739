#include "win32/DistFolder.h"

#include <windows.h>

namespace wintest {

std::u16string DistFolder() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);           // ...\tests\vn24g_win32_tests.exe
  folder.erase(folder.find_last_of(L'\\'));     // ...\tests
  folder.erase(folder.find_last_of(L'\\') + 1);  // ...\ (the build folder)
  folder += L"dist\\";
  return std::u16string(folder.begin(), folder.end());
}

}  // namespace wintest
