// The program's entry point: run the application object's start-up routine,
// then its exit routine. There is no message loop of its own; the main window
// runs modally inside start-up.

#include <windows.h>

#include "app/Varnok24GConfigApp.h"
#include "app/win32/AppWindows.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The libraries the program loads by name (the system's own) are never
  // looked for in the current folder, whichever folder that is.
  SetDllDirectoryW(L"");
  app::Win32AppWindows windows;
  app::CVarnok24G_ConfigApp application(windows);
  application.InitInstance();
  return application.ExitInstance();
}
