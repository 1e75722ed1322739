#pragma once

// Programs the actions start by their name ("Winword", "excel",
// "POWERPNT"). A bare name handed to the shell is looked for in the current
// folder before anywhere else, so a file of that name in whatever folder the
// program last worked in would run instead. The name is resolved here to
// the full path its installer registered; a program not registered is not
// started at all.

#include <string>

namespace actions {

// The full path registered for `name` (".exe" is added when missing);
// empty when it is not registered or the registration is not a full path.
std::u16string RegisteredProgramPath(const std::u16string& name);

// Opens the program registered for `name`; false when there is none.
bool OpenRegisteredProgram(const std::u16string& name);

}  // namespace actions
