#pragma once

// Calling convention of every export of the program's libraries: the C
// convention, on both sides. Only 32-bit Windows has more than one
// convention; everywhere else the mark is empty.

#if defined(_WIN32)
#define VN24G_LIBRARY_CALL __cdecl
#else
#define VN24G_LIBRARY_CALL
#endif
