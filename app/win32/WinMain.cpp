// The program's entry point: run the application object's start-up routine,
// then its exit routine. There is no message loop of its own; the main window
// runs modally inside start-up.

#include <windows.h>

#include "app/Varnok24GConfigApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  app::CVarnok24G_ConfigApp application;
  application.InitInstance();
  return application.ExitInstance();
}
