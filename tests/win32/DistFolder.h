#pragma once

// The program folder of the build under test, `dist\` beside the folder of
// the test program, with its trailing backslash: the language file,
// pictures and libraries the windows and services load from there.

#include <string>

namespace wintest {

std::u16string DistFolder();

}  // namespace wintest
