#include "config/ButtonAssignment.h"

#include <algorithm>
#include <cstring>

namespace config {

std::u16string ProgramPath(const ButtonAssignment& assignment) {
  const char16_t* begin = assignment.programPath;
  const char16_t* end = std::find(begin, begin + kProgramPathUnits, u'\0');
  return std::u16string(begin, end);
}

void SetProgramPath(ButtonAssignment& assignment, const std::u16string& path) {
  std::memset(assignment.programPath, 0, sizeof(assignment.programPath));
  const std::size_t units = std::min(path.size(), kProgramPathUnits - 1);
  std::copy_n(path.data(), units, assignment.programPath);
}

std::u16string ProgramFileName(const std::u16string& path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

void FillDefaultAssignments(ButtonAssignment* records, std::size_t capacity,
                            const uint8_t* buttonCodes, std::size_t count) {
  std::memset(records, 0, capacity * sizeof(ButtonAssignment));
  ResetAssignmentFunctions(records, buttonCodes, std::min(count, capacity));
}

void ResetAssignmentFunctions(ButtonAssignment* records, const uint8_t* buttonCodes,
                              std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    records[i].buttonIndex = static_cast<uint8_t>(i);
    records[i].functionCode = buttonCodes[i];
  }
}

}  // namespace config
