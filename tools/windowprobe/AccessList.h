// The access list of a registry key or a file, as the installer leaves it
// for the program's users.
#pragma once

// Prints one line per entry of the object's access list:
//   allow|deny SID ACCESS-MASK ACE-FLAGS
// kind is "key" (a name such as MACHINE\SOFTWARE\Varnok) or "file".
// Returns 0, or 1 with a message when the list cannot be read, 2 for an
// unknown kind.
int PrintAccessList(const wchar_t* kind, const wchar_t* name);
