#include "AccessList.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <cwchar>

namespace {

void PrintEntry(const char* what, PSID sid, ACCESS_MASK mask, BYTE flags) {
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return;
  std::printf("%s %ls 0x%08lX 0x%02X\n", what, text, static_cast<unsigned long>(mask), flags);
  LocalFree(text);
}

}  // namespace

int PrintAccessList(const wchar_t* kind, const wchar_t* name) {
  SE_OBJECT_TYPE type;
  if (std::wcscmp(kind, L"key") == 0) {
    type = SE_REGISTRY_KEY;
  } else if (std::wcscmp(kind, L"file") == 0) {
    type = SE_FILE_OBJECT;
  } else {
    return 2;
  }
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD result = GetNamedSecurityInfoW(name, type, DACL_SECURITY_INFORMATION, nullptr, nullptr, &list,
                                             nullptr, &descriptor);
  if (result != ERROR_SUCCESS) {
    std::fprintf(stderr, "vn24g_windowprobe: no access list (error %lu)\n", static_cast<unsigned long>(result));
    return 1;
  }
  ACL_SIZE_INFORMATION size = {};
  if (list && GetAclInformation(list, &size, sizeof(size), AclSizeInformation)) {
    for (DWORD index = 0; index < size.AceCount; ++index) {
      void* entry = nullptr;
      if (!GetAce(list, index, &entry)) continue;
      const auto* header = static_cast<const ACE_HEADER*>(entry);
      if (header->AceType == ACCESS_ALLOWED_ACE_TYPE) {
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        PrintEntry("allow", &allowed->SidStart, allowed->Mask, header->AceFlags);
      } else if (header->AceType == ACCESS_DENIED_ACE_TYPE) {
        auto* denied = static_cast<ACCESS_DENIED_ACE*>(entry);
        PrintEntry("deny", &denied->SidStart, denied->Mask, header->AceFlags);
      }
    }
  }
  LocalFree(descriptor);
  return 0;
}
