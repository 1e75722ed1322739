#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace fakes {

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("vn24g-test-" + std::to_string(Unique()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // The folder as the program writes paths: UTF-16, ending in a separator.
  std::u16string ProgramPath() const {
    const std::u16string folder = path_.u16string();
    return folder + static_cast<char16_t>(std::filesystem::path::preferred_separator);
  }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

 private:
  static long Unique();
  std::filesystem::path path_;
};

}  // namespace fakes
