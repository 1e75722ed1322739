// The native build's initialisation files: the same lookup rules as the
// Windows profile functions, on files read and written whole.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/IniFile.h"
#include "platform/native/NativeText.h"

namespace platform {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; }

std::u16string Trim(const std::u16string& s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

char16_t Fold(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool SameName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

// The file as lines, remembering how it was encoded so a rewrite keeps it.
struct IniText {
  bool utf16 = false;
  std::vector<std::u16string> lines;

  bool Load(const std::u16string& path) {
    std::ifstream in(native::ToNativePath(path), std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
      utf16 = true;
      for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    } else {
      if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
      text = native::Utf8ToUtf16(bytes);
    }
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find(u'\n', start);
      if (end == std::u16string::npos) {
        if (start < text.size()) lines.push_back(text.substr(start));
        break;
      }
      std::u16string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == u'\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
    return true;
  }

  bool Save(const std::u16string& path) const {
    std::u16string text;
    for (const auto& line : lines) text += line + u"\r\n";
    std::string bytes;
    if (utf16) {
      bytes = "\xFF\xFE";
      for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
      }
    } else {
      bytes = native::Utf16ToUtf8(text);
    }
    std::ofstream out(native::ToNativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
  }

  static bool SectionName(const std::u16string& line, std::u16string& name) {
    const std::u16string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != u'[') return false;
    const std::size_t close = trimmed.find(u']');
    name = Trim(trimmed.substr(1, close == std::u16string::npos ? std::u16string::npos : close - 1));
    return true;
  }

  // Index of the section's header line, or lines.size().
  std::size_t FindSection(const std::u16string& section) const {
    std::u16string name;
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (SectionName(lines[i], name) && SameName(name, section)) return i;
    return lines.size();
  }

  // One past the section's last line.
  std::size_t SectionEnd(std::size_t header) const {
    std::u16string name;
    std::size_t i = header + 1;
    while (i < lines.size() && !SectionName(lines[i], name)) ++i;
    return i;
  }

  static bool KeyValue(const std::u16string& line, std::u16string& key, std::u16string& value) {
    const std::u16string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == u';') return false;
    const std::size_t eq = trimmed.find(u'=');
    key = Trim(trimmed.substr(0, eq));
    value = eq == std::u16string::npos ? std::u16string() : Trim(trimmed.substr(eq + 1));
    return true;
  }

  // Index of the key's line inside the section, or lines.size().
  std::size_t FindKey(std::size_t header, const std::u16string& key) const {
    std::u16string name, value;
    const std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i)
      if (KeyValue(lines[i], name, value) && SameName(name, key)) return i;
    return lines.size();
  }
};

std::u16string Unquote(const std::u16string& value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool Lookup(const std::u16string& file, const std::u16string& section, const std::u16string& key,
            std::u16string& value) {
  IniText ini;
  if (!ini.Load(file)) return false;
  const std::size_t header = ini.FindSection(section);
  if (header == ini.lines.size()) return false;
  const std::size_t line = ini.FindKey(header, key);
  if (line == ini.lines.size()) return false;
  std::u16string name;
  IniText::KeyValue(ini.lines[line], name, value);
  value = Unquote(value);
  return true;
}

class NativeIniFile final : public IniFile {
 public:
  std::u16string ReadString(const std::u16string& file, const std::u16string& section,
                            const std::u16string& key, const std::u16string& fallback,
                            std::size_t capacity) override {
    std::u16string value;
    if (!Lookup(file, section, key, value)) {
      value = fallback;
      while (!value.empty() && value.back() == u' ') value.pop_back();
    }
    if (capacity == 0) return std::u16string();
    if (value.size() > capacity - 1) value.resize(capacity - 1);
    return value;
  }

  int ReadInt(const std::u16string& file, const std::u16string& section, const std::u16string& key,
              int fallback) override {
    std::u16string value;
    if (!Lookup(file, section, key, value) || value.empty()) return fallback;
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == u'-' || value[i] == u'+')) negative = value[i++] == u'-';
    long long number = 0;
    while (i < value.size() && value[i] >= u'0' && value[i] <= u'9') {
      number = number * 10 + (value[i++] - u'0');
      if (number > 0xFFFFFFFFLL) number = 0xFFFFFFFFLL;
    }
    const auto bits = static_cast<unsigned int>(number);
    return static_cast<int>(negative ? 0u - bits : bits);
  }

  bool WriteString(const std::u16string& file, const std::u16string& section,
                   const std::u16string& key, const std::u16string& value) override {
    IniText ini;
    ini.Load(file);  // a missing file starts empty
    const std::u16string entry = key + u"=" + value;
    std::size_t header = ini.FindSection(section);
    if (header == ini.lines.size()) {
      ini.lines.push_back(u"[" + section + u"]");
      ini.lines.push_back(entry);
      return ini.Save(file);
    }
    const std::size_t line = ini.FindKey(header, key);
    if (line != ini.lines.size()) {
      ini.lines[line] = entry;
    } else {
      // After the section's last non-blank line, so blank separators stay
      // between sections.
      std::size_t at = ini.SectionEnd(header);
      while (at > header + 1 && Trim(ini.lines[at - 1]).empty()) --at;
      ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
    }
    return ini.Save(file);
  }
};

}  // namespace

template <>
IniFile& Service<IniFile>::Default() {
  static NativeIniFile instance;
  return instance;
}

}  // namespace platform
