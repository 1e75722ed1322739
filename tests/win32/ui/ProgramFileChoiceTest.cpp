// The system's file-open dialog as the launch dialog's Browse shows it: a
// program picked after going into another folder comes back as its full
// path, and the program's current folder is the same afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialogs/ProgramFileChoice.h"

namespace {

// The file name box of the dialog, in its old and its explorer form.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

// What the user types into the name box, one entry each time, each
// confirmed with Open: a folder first, which the dialog goes into, then the
// program's name there.
std::vector<std::wstring> typed;

BOOL CALLBACK AnswerChooser(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  SetDlgItemTextW(window, kFileNameCombo, typed.front().c_str());
  SetDlgItemTextW(window, kFileNameEdit, typed.front().c_str());
  typed.erase(typed.begin());
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK OnChooserTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (!typed.empty()) EnumThreadWindows(GetCurrentThreadId(), AnswerChooser, 0);
  if (typed.empty()) KillTimer(nullptr, timer);
}

std::wstring CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return folder;
}

TEST(ProgramFileChoice, AProgramInAnotherFolderLeavesTheCurrentFolderAlone) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"vn24g-file-choice-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring current = root + L"\\current", programs = root + L"\\programs";
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(current.c_str(), nullptr);
  CreateDirectoryW(programs.c_str(), nullptr);
  const std::wstring picked = programs + L"\\tool.exe";
  typed = {programs, L"tool.exe"};
  CloseHandle(CreateFileW(picked.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

  const std::wstring before = CurrentFolder();
  ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));
  const std::wstring started = CurrentFolder();
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, OnChooserTimer);
  std::u16string path;
  const bool chosen = ui::ChooseProgramFile(nullptr, path);
  KillTimer(nullptr, timer);
  const std::wstring after = CurrentFolder();
  SetCurrentDirectoryW(before.c_str());

  EXPECT_TRUE(chosen);
  EXPECT_TRUE(path == std::u16string(picked.begin(), picked.end()));
  EXPECT_EQ(after, started);

  DeleteFileW(picked.c_str());
  RemoveDirectoryW(programs.c_str());
  RemoveDirectoryW(current.c_str());
  RemoveDirectoryW(root.c_str());
}

}  // namespace
