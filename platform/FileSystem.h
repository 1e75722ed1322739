#pragma once

// Whole-file access for the program's own data files (language file, device
// descriptions). Paths are wide text as the program builds them, with
// backslashes; the native build accepts them too and treats a backslash as a
// folder separator.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Service.h"

namespace platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Reads the whole file into `bytes` (replacing its content). A file that
  // cannot be opened or read whole leaves `bytes` empty and gives false.
  virtual bool ReadWholeFile(const std::u16string& path, std::vector<uint8_t>& bytes) = 0;

  // Creates or truncates the file and writes `bytes` to it.
  virtual bool WriteWholeFile(const std::u16string& path, const std::vector<uint8_t>& bytes) = 0;

  // True for an existing regular file (not a folder).
  virtual bool FileExists(const std::u16string& path) = 0;
};

template <>
FileSystem& Service<FileSystem>::Default();

}  // namespace platform
