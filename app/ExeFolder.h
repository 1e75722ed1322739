#pragma once

#include <string>

namespace app {

// Drive and directory of the program file, ending in a separator: the folder
// every data file of the program is read from, whatever the current
// directory is.
std::u16string ExeFolderOf(const std::u16string& executablePath);

}  // namespace app
