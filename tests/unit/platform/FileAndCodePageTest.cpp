// The file and code-page services of the build (native, or Win32 under Wine).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes/TempFolder.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

namespace {

platform::FileSystem& Files() { return platform::Service<platform::FileSystem>::Get(); }

std::u16string Convert(uint32_t codePage, const std::string& bytes, bool* ok = nullptr) {
  std::u16string out = u"stale";
  const bool converted = platform::Service<platform::CodePage>::Get().ToWide(
      codePage, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
  if (ok) *ok = converted;
  return out;
}

TEST(FileSystemService, WriteReadAndExist) {
  fakes::TempFolder folder;
  // The program builds paths with backslashes; they must work on every build.
  const std::u16string path = folder.ProgramPath() + u"sub\\..\\data \u00e9.bin";
  std::filesystem::create_directories(folder.Path() / "sub");
  std::vector<uint8_t> bytes = {0, 1, 2, 0xFF, 0xFE, 0, '<'};
  bytes.resize(70000, 0x5A);
  ASSERT_TRUE(Files().WriteWholeFile(path, bytes));
  EXPECT_TRUE(Files().FileExists(path));

  std::vector<uint8_t> read = {9, 9};
  ASSERT_TRUE(Files().ReadWholeFile(path, read));
  EXPECT_EQ(read, bytes);

  // Writing again replaces the whole content.
  ASSERT_TRUE(Files().WriteWholeFile(path, {}));
  ASSERT_TRUE(Files().ReadWholeFile(path, read));
  EXPECT_TRUE(read.empty());
}

TEST(FileSystemService, MissingFilesAndFolders) {
  fakes::TempFolder folder;
  std::vector<uint8_t> read = {1};
  EXPECT_FALSE(Files().ReadWholeFile(folder.ProgramPath() + u"missing", read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(Files().FileExists(folder.ProgramPath() + u"missing"));
  // A folder is not a file.
  EXPECT_FALSE(Files().FileExists(folder.ProgramPath()));
  read = {1};
  EXPECT_FALSE(Files().ReadWholeFile(folder.ProgramPath(), read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(Files().WriteWholeFile(folder.ProgramPath() + u"no\\such\\folder\\f", {1}));
}

TEST(CodePageService, Conversions) {
  struct Case {
    uint32_t codePage;
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {65001, "caf\xC3\xA9 \xE2\x82\xAC", u"caf\u00e9 \u20ac"},
      {65001, "\xF0\x9F\x98\x80", u"\U0001F600"},
      {65001, "a\xC3(b", u"a\ufffd(b"},  // a broken sequence becomes one replacement
      {65001, "", u""},
      {1252, "\x80\xE9\x9F", u"\u20ac\u00e9\u0178"},
      {28591, "\x80\xE9", u"\u0080\u00e9"},
      {932, "\x82\xA0\x83\x41", u"\u3042\u30a2"},
      {936, "\xC4\xE3\xBA\xC3", u"\u4f60\u597d"},
      {20866, "\xC1", u"\u0430"},
      {437, "\x82", u"\u00e9"},
  };
  for (const Case& c : cases) {
    bool ok = false;
    EXPECT_EQ(Convert(c.codePage, c.bytes, &ok), c.expected) << c.codePage;
    EXPECT_TRUE(ok) << c.codePage;
  }
}

TEST(CodePageService, Utf8AtEveryLengthAroundTheBlockSizes) {
  // ASCII is taken in blocks; every way a text can end inside or right
  // after a block must convert whole and read nothing beyond its end.
  for (size_t length = 0; length <= 40; ++length) {
    std::string ascii;
    std::u16string expected;
    for (size_t i = 0; i < length; ++i) {
      ascii.push_back(static_cast<char>('a' + i % 26));
      expected.push_back(static_cast<char16_t>('a' + i % 26));
    }
    EXPECT_EQ(Convert(65001, ascii), expected) << length;
    EXPECT_EQ(Convert(65001, ascii + "\xC3\xA9"), expected + u"\u00e9") << length;
    EXPECT_EQ(Convert(65001, ascii + "\xC3"), expected + u"\ufffd") << length;
    EXPECT_EQ(Convert(65001, "\xE2\x82\xAC" + ascii), u"\u20ac" + expected) << length;
  }
}

TEST(CodePageService, UnavailableCodePageFails) {
  bool ok = true;
  EXPECT_EQ(Convert(12345, "abc", &ok), u"");
  EXPECT_FALSE(ok);
  // UTF-16 is no 8-bit code page: the system converter refuses it.
  EXPECT_EQ(Convert(1200, "a\0b\0", &ok), u"");
  EXPECT_FALSE(ok);
}

}  // namespace
