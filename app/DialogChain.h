#pragma once

// The program's windows that wait for one another. While a dialog runs its
// own loop, the window it belongs to is disabled and owns it; a dialog can
// in turn open one of its own (the launch dialog's file chooser, a message
// over the macro editor). Following that chain from the main window gives
// the dialog the user has to answer first: the one to bring forward, and
// the order in which an exit ends them.

#include <vector>

#include "platform/Handle.h"

namespace app {

// One of the program's top-level dialog windows as the window layer sees
// it, in the order the screen stacks them (the topmost first).
struct ProgramWindow {
  platform::WindowHandle handle = 0;
  platform::WindowHandle owner = 0;
  bool visible = false;
  bool enabled = false;
};

// The windows that wait for one another, starting with the first dialog of
// `main` and ending with the dialog that is not waiting for any other; empty
// when `main` is not waiting for a dialog.
std::vector<platform::WindowHandle> WaitingChain(const std::vector<ProgramWindow>& windows,
                                                 platform::WindowHandle main);

// The window the user can answer: the last of the chain, or `main` itself
// when nothing is open over it.
platform::WindowHandle FrontWindow(const std::vector<ProgramWindow>& windows, platform::WindowHandle main);

}  // namespace app
