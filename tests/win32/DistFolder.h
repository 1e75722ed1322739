#pragma once

// Where the test programs find the program they test, each with its
// trailing backslash.

#include <string>

namespace wintest {

// The folder of the test programs (the build's tests folder): no program
// folder, so nothing the program loads from beside it is found there.
std::u16string TestProgramFolder();
// The build's program folder, `dist\` beside the tests folder: the language
// file, pictures and libraries the windows and services load.
std::u16string DistFolder();

}  // namespace wintest
