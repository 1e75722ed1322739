#pragma once

// The function menu an assignment page builds once, when it is made: the
// entries of the function menu tree with their language texts, on the
// function menu pictures of the skins folder. It comes back created and
// hidden; the page shows it at the pointer on a label click.

#include <windows.h>

#include <memory>
#include <string>

#include "ui/menus/BmpMenu.h"

namespace ui {

// `page` receives the picks and is the menu's parent; `exeFolder` ends with
// a backslash. Null when the window could not be made.
std::unique_ptr<CBmpMenu> BuildFunctionMenu(HWND page, const std::u16string& exeFolder);

}  // namespace ui
