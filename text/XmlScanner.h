#pragma once

// The node scanner under CXmlNavigator: splits wide XML text into text runs
// and markup (tags, comments, CDATA sections, declarations, processing
// instructions, and error nodes for markup that cannot be read). Every
// function works on a range [begin, end) of one buffer and never looks past
// `end`, so the same code reads a whole document, the first bytes of a file,
// or the content of one element.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace xml {

enum class NodeKind {
  kStartTag,
  kEndTag,
  kComment,
  kCData,
  kDocType,
  kDeclaration,
  kProcessingInstruction,
  kError,
};

struct Markup {
  NodeKind kind = NodeKind::kError;
  size_t end = 0;        // one past the node's last unit
  bool empty = false;    // start tag closed by "/>"
  size_t nameBegin = 0;  // name of a start tag, end tag or processing instruction
  size_t nameEnd = 0;
};

// Character classes of the ASCII range, looked up once per unit in the
// scanning loops.
enum CharClassBits : uint8_t {
  kSpaceClass = 1,          // space, tab, LF, CR
  kEndsNameClass = 2,       // whitespace and < > = \ / ? ! " ' ;
  kTagMarkClass = 4,        // > = " ': what changes the state inside a start tag
};

constexpr std::array<uint8_t, 128> MakeCharClasses() {
  std::array<uint8_t, 128> classes{};
  for (char c : {' ', '\t', '\n', '\r'}) classes[static_cast<size_t>(c)] = kSpaceClass | kEndsNameClass;
  for (char c : {'<', '>', '=', '\\', '/', '?', '!', '"', '\'', ';'}) classes[static_cast<size_t>(c)] |= kEndsNameClass;
  for (char c : {'>', '=', '"', '\''}) classes[static_cast<size_t>(c)] |= kTagMarkClass;
  return classes;
}
inline constexpr std::array<uint8_t, 128> kCharClasses = MakeCharClasses();

inline bool HasClass(char16_t c, uint8_t bits) { return c < 128 && (kCharClasses[c] & bits) != 0; }
inline bool IsSpace(char16_t c) { return HasClass(c, kSpaceClass); }
inline bool EndsName(char16_t c) { return HasClass(c, kEndsNameClass); }

// Position of the first `c` in [from, end), or `end`.
size_t FindUnit(const char16_t* text, size_t from, size_t end, char16_t c);

// Skips whitespace from `from`, then takes the name that follows; the result
// is the name's end and `nameBegin` its start (equal when there is no name).
size_t ReadName(const char16_t* text, size_t from, size_t end, size_t& nameBegin);

// Scans the markup whose '<' is at `at`. Markup that runs into `end` before
// it is closed comes back as an error node ending at `end`.
Markup ScanMarkup(const char16_t* text, size_t at, size_t end);

// True when [begin, end) holds only space, tab, CR and LF.
bool IsAllSpace(const char16_t* text, size_t begin, size_t end);

// Looks for the attribute `name` in the attribute part of a tag, the range
// from the end of the tag's name up to its closing '>' or "?>". On a match,
// `value` is the raw value (not decoded); an attribute written without "="
// has its own name as value.
bool FindAttribute(const char16_t* text, size_t begin, size_t end, std::u16string_view name, bool ignoreCase,
                   std::u16string_view& value);

// Equality of names, optionally ignoring the case of ASCII letters.
bool SameName(std::u16string_view a, std::u16string_view b, bool ignoreCase);

// The encoding a document names for itself in its first units: the
// "encoding" of an XML declaration, or the charset of an HTML
// <meta http-equiv="Content-Type"> tag. Empty when it names none.
std::u16string DeclaredEncoding(std::u16string_view head);

}  // namespace xml
