#pragma once

// Every text the program shows comes from the language file, looked up once
// at start-up by key ("tc_ok", "tc_mouse_title", ...) and then held here for
// the whole run. Before the file is loaded, and for keys the file lacks,
// the texts are empty.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class CXmlNavigator;

class LabelTable {
 public:
  static constexpr size_t kCount = 154;

  // The keys in the order the language file is read. "tc_reset" fills two
  // entries; the main window uses both.
  static const std::array<std::string_view, kCount>& Keys();

  // Position of the first entry with this key, or kCount for a key the
  // table does not hold.
  static size_t IndexOf(std::string_view key);

  // The process-wide table.
  static LabelTable& Instance();

  // Text of the first entry with this key; empty for an unknown key.
  const std::u16string& Get(std::string_view key) const;
  const std::u16string& At(size_t index) const;
  void Set(size_t index, std::u16string text);
  void Clear();

 private:
  std::array<std::u16string, kCount> texts_;
};

// The process-wide label for `key`: LabelTable::Instance().Get(key).
const std::u16string& Label(std::string_view key);

// Loads the language file into the process-wide language document and fills
// every entry of the label table from it. Returns whether the file was read
// and well formed; either way the labels hold whatever the file provided
// (none when it could not be read), so start-up can go on regardless.
bool LoadLanguage(const std::u16string& path);

// The text of `key` under the first `section` element inside the top-level
// element of the language document, searching `section` elements nested in
// that section when the key is not found there. Empty when nothing matches.
std::u16string LookupLabel(std::u16string_view section, std::u16string_view key);
std::u16string LookupLabel(CXmlNavigator& document, std::u16string_view section, std::u16string_view key);

// The language document; loaded by LoadLanguage and kept until exit.
CXmlNavigator& LanguageDocument();
