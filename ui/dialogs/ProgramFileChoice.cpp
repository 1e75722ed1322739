#include "ui/dialogs/ProgramFileChoice.h"

#include <commdlg.h>

#include <array>

#include "platform/win32/WideString.h"

namespace ui {

bool ChooseProgramFile(HWND owner, std::u16string& path) {
  // The dialog hands back at most MAX_PATH - 1 characters, so the path fits
  // an assignment's program field with its terminator.
  std::array<wchar_t, MAX_PATH> file = {L"*.exe"};
  OPENFILENAMEW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.lpstrFilter = L"exe(*.exe)\0*.exe\0";
  request.nFilterIndex = 1;
  request.lpstrFile = file.data();
  request.nMaxFile = static_cast<DWORD>(file.size());
  request.lpstrDefExt = L"exe";
  // The dialog would otherwise leave the program in the last folder the
  // user went into, where a file could then pass for one the program opens
  // by name.
  request.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&request)) return false;
  path = platform::win32::FromWide(file.data());
  return true;
}

}  // namespace ui
