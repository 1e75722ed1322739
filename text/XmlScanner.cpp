#include "text/XmlScanner.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/XmlEntities.h"

namespace xml {
namespace {

// Position of the first occurrence of `sequence` in [from, end), or `end`.
size_t FindSequence(const char16_t* text, size_t from, size_t end, std::u16string_view sequence) {
  while (from + sequence.size() <= end) {
    const size_t at = FindUnit(text, from, end - (sequence.size() - 1), sequence[0]);
    if (at + sequence.size() > end) break;
    if (std::u16string_view(text + at, sequence.size()) == sequence) return at;
    from = at + 1;
  }
  return end;
}

// Position of `closer` in [from, end), skipping quoted runs; `end` if none.
size_t FindOutsideQuotes(const char16_t* text, size_t from, size_t end, char16_t closer) {
  for (size_t at = from; at < end; ++at) {
    const char16_t c = text[at];
    if (c == closer) return at;
    if (c == '"' || c == '\'') {
      at = FindUnit(text, at + 1, end, c);
      if (at == end) break;
    }
  }
  return end;
}

Markup Node(NodeKind kind, size_t end) {
  Markup node;
  node.kind = kind;
  node.end = end;
  return node;
}

// The node ends with `closer` (of `closerLength` units) found at `at`, or
// runs into the end of the range and is an error.
Markup ClosedAt(NodeKind kind, size_t at, size_t closerLength, size_t end) {
  return at < end ? Node(kind, at + closerLength) : Node(NodeKind::kError, end);
}

// Unreadable markup swallows everything up to the next '>'.
Markup ErrorToGreaterThan(const char16_t* text, size_t from, size_t end) {
  const size_t at = FindUnit(text, from, end, '>');
  return Node(NodeKind::kError, at < end ? at + 1 : end);
}

// The document type declaration ends at the first '>' that is not inside a
// declaration or comment of its internal subset.
Markup ScanDocType(const char16_t* text, size_t from, size_t end) {
  size_t at = from;
  while (at < end) {
    const char16_t c = text[at];
    if (c == '>') return Node(NodeKind::kDocType, at + 1);
    if (c == '<' && at + 1 < end && text[at + 1] == '!') {
      if (at + 3 < end && text[at + 2] == '-' && text[at + 3] == '-') {
        const size_t close = FindSequence(text, at + 4, end, u"-->");
        if (close == end) break;
        at = close + 3;
      } else {
        const size_t close = FindOutsideQuotes(text, at + 2, end, '>');
        if (close == end) break;
        at = close + 1;
      }
      continue;
    }
    ++at;
  }
  return Node(NodeKind::kError, end);
}

// Position of the first of > = " ' in [from, end), or `end`.
size_t FindTagMark(const char16_t* text, size_t from, size_t end) {
#if defined(__SSE2__)
  const __m128i greater = _mm_set1_epi16('>'), equals = _mm_set1_epi16('=');
  const __m128i quote = _mm_set1_epi16('"'), apostrophe = _mm_set1_epi16('\'');
  while (from + 8 <= end) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    const __m128i marks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, greater), _mm_cmpeq_epi16(units, equals)),
                                       _mm_or_si128(_mm_cmpeq_epi16(units, quote), _mm_cmpeq_epi16(units, apostrophe)));
    const int hits = _mm_movemask_epi8(marks);
    if (hits != 0) return from + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)) >> 1);
    from += 8;
  }
#endif
  while (from < end && !HasClass(text[from], kTagMarkClass)) ++from;
  return from;
}

// A start tag runs to the first '>' outside a quoted attribute value. A
// quote only opens a value right after '=' (spaces allowed between), so an
// apostrophe inside a name or an unquoted value does not swallow the rest
// of the document. An unquoted value runs to whitespace or '>', '=' and
// quotes included. "/>" makes an empty-element tag unless the '/' is part
// of an unquoted value, as in <a b=c/>.
//
// Names, whitespace and stray quotes change nothing, so the scan jumps from
// one of > = " ' to the next.
Markup ScanStartTag(const char16_t* text, size_t at, size_t end) {
  Markup node;
  node.nameBegin = at + 1;
  size_t p = at + 1;
  while (p < end && !EndsName(text[p])) ++p;
  node.nameEnd = p;
  for (;;) {
    p = FindTagMark(text, p, end);
    if (p >= end) break;
    const char16_t c = text[p];
    if (c == '>') {
      node.kind = NodeKind::kStartTag;
      node.end = p + 1;
      node.empty = text[p - 1] == '/';
      return node;
    }
    if (c != '=') {
      ++p;  // a quote that does not open a value
      continue;
    }
    ++p;
    while (p < end && IsSpace(text[p])) ++p;
    if (p >= end) break;
    const char16_t first = text[p];
    if (first == '"' || first == '\'') {
      p = FindUnit(text, p + 1, end, first);
      if (p == end) break;
      ++p;
      continue;
    }
    while (p < end && !IsSpace(text[p]) && text[p] != '>') ++p;
    if (p < end && text[p] == '>') {
      // The value runs up to the '>': a '/' before it is part of the value.
      node.kind = NodeKind::kStartTag;
      node.end = p + 1;
      return node;
    }
  }
  return Node(NodeKind::kError, end);
}

bool IsNameStart(char16_t c) {
  return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c > 'z';
}

char16_t FoldAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? static_cast<char16_t>(c + ('a' - 'A')) : c; }

std::u16string_view Range(const char16_t* text, size_t begin, size_t end) {
  return std::u16string_view(text + begin, end - begin);
}

// The word after "charset" "=" in a Content-Type value such as
// "text/html; charset=windows-1252". Words are delimited as names are.
std::u16string CharsetOf(std::u16string_view content) {
  const char16_t* text = content.data();
  const size_t end = content.size();
  size_t at = 0;
  while (at < end) {
    if (EndsName(text[at])) {
      ++at;
      continue;
    }
    size_t wordBegin = at;
    while (at < end && !EndsName(text[at])) ++at;
    if (!SameName(Range(text, wordBegin, at), u"charset", true)) continue;
    size_t next = at;
    while (next < end && IsSpace(text[next])) ++next;
    if (next >= end || text[next] != '=') continue;
    size_t valueBegin = 0;
    const size_t valueEnd = ReadName(text, next + 1, end, valueBegin);
    if (valueEnd > valueBegin) return std::u16string(Range(text, valueBegin, valueEnd));
  }
  return {};
}

// Decoded value of an attribute in the range, compared without case; empty
// when absent.
std::u16string AttributeIgnoringCase(const char16_t* text, size_t begin, size_t end, std::u16string_view name) {
  std::u16string_view raw;
  return FindAttribute(text, begin, end, name, true, raw) ? DecodeEntities(raw) : std::u16string();
}

}  // namespace

size_t FindUnit(const char16_t* text, size_t from, size_t end, char16_t c) {
#if defined(__SSE2__)
  // Eight units at a time where the processor has SSE2 (every x86-64).
  const __m128i wanted = _mm_set1_epi16(static_cast<short>(c));
  while (from + 8 <= end) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from));
    const int hits = _mm_movemask_epi8(_mm_cmpeq_epi16(units, wanted));
    if (hits != 0) return from + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(hits)) >> 1);
    from += 8;
  }
#else
  // Four units at a time: a lane of `block ^ pattern` is zero where `c` is.
  constexpr uint64_t kLow = 0x0001000100010001ull, kHigh = 0x8000800080008000ull;
  const uint64_t pattern = kLow * c;
  while (from + 4 <= end) {
    uint64_t block;
    std::memcpy(&block, text + from, sizeof(block));
    const uint64_t lanes = block ^ pattern;
    if ((lanes - kLow) & ~lanes & kHigh) break;
    from += 4;
  }
#endif
  while (from < end && text[from] != c) ++from;
  return from;
}

size_t ReadName(const char16_t* text, size_t from, size_t end, size_t& nameBegin) {
  while (from < end && IsSpace(text[from])) ++from;
  nameBegin = from;
  while (from < end && !EndsName(text[from])) ++from;
  return from;
}

bool IsAllSpace(const char16_t* text, size_t begin, size_t end) {
  for (size_t at = begin; at < end; ++at)
    if (!IsSpace(text[at])) return false;
  return true;
}

Markup ScanMarkup(const char16_t* text, size_t at, size_t end) {
  const size_t p = at + 1;
  if (p >= end) return Node(NodeKind::kError, end);
  const char16_t c = text[p];
  if (IsNameStart(c)) return ScanStartTag(text, at, end);
  if (c == '/') {
    const size_t close = FindUnit(text, p + 1, end, '>');
    if (close == end) return Node(NodeKind::kError, end);
    Markup node = Node(NodeKind::kEndTag, close + 1);
    node.nameEnd = ReadName(text, p + 1, close, node.nameBegin);
    return node;
  }
  if (c == '?') {
    const size_t close = FindSequence(text, p + 1, end, u"?>");
    if (close == end) return Node(NodeKind::kError, end);
    Markup node = Node(NodeKind::kProcessingInstruction, close + 2);
    node.nameEnd = ReadName(text, p + 1, close, node.nameBegin);
    return node;
  }
  if (c != '!') return ErrorToGreaterThan(text, p, end);
  if (p + 1 >= end) return Node(NodeKind::kError, end);
  switch (text[p + 1]) {
    case '-':
      if (p + 2 >= end) return Node(NodeKind::kError, end);
      if (text[p + 2] != '-') return ErrorToGreaterThan(text, p + 2, end);
      return ClosedAt(NodeKind::kComment, FindSequence(text, p + 3, end, u"-->"), 3, end);
    case '[':
      if (p + 2 >= end) return Node(NodeKind::kError, end);
      if (text[p + 2] != 'C') return ErrorToGreaterThan(text, p + 2, end);
      return ClosedAt(NodeKind::kCData, FindSequence(text, p + 3, end, u"]]>"), 3, end);
    case 'D':
      return ScanDocType(text, p + 2, end);
    case 'E':
    case 'A':
    case 'N':
      return ClosedAt(NodeKind::kDeclaration, FindOutsideQuotes(text, p + 2, end, '>'), 1, end);
    default:
      return ErrorToGreaterThan(text, p + 1, end);
  }
}

bool SameName(std::u16string_view a, std::u16string_view b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

bool FindAttribute(const char16_t* text, size_t begin, size_t end, std::u16string_view name, bool ignoreCase,
                   std::u16string_view& value) {
  size_t at = begin;
  for (;;) {
    while (at < end && IsSpace(text[at])) ++at;
    if (at >= end) return false;
    const char16_t first = text[at];
    if (first == '>' || first == '/' || first == '?') return false;
    const size_t nameBegin = at;
    while (at < end) {
      const char16_t c = text[at];
      if (IsSpace(c) || c == '=' || c == '>' || c == '/' || c == '?') break;
      ++at;
    }
    const size_t nameEnd = at;
    size_t next = at;
    while (next < end && IsSpace(text[next])) ++next;
    const bool hasValue = next < end && text[next] == '=';
    std::u16string_view attributeValue;
    if (hasValue) {
      ++next;
      while (next < end && IsSpace(text[next])) ++next;
      if (next < end && (text[next] == '"' || text[next] == '\'')) {
        const size_t close = FindUnit(text, next + 1, end, text[next]);
        attributeValue = Range(text, next + 1, close);
        at = close < end ? close + 1 : end;
      } else {
        const size_t valueBegin = next;
        while (next < end && !IsSpace(text[next]) && text[next] != '>') ++next;
        attributeValue = Range(text, valueBegin, next);
        at = next;
      }
    } else {
      at = next;
    }
    const std::u16string_view attributeName = Range(text, nameBegin, nameEnd);
    if (!attributeName.empty() && SameName(attributeName, name, ignoreCase)) {
      value = hasValue ? attributeValue : attributeName;
      return true;
    }
  }
}

std::u16string DeclaredEncoding(std::u16string_view head) {
  const char16_t* text = head.data();
  const size_t end = head.size();
  bool sawTag = false;  // a tag or processing instruction came before
  bool inHtml = false;
  size_t at = 0;
  while (at < end) {
    if (text[at] != '<') {
      at = FindUnit(text, at, end, '<');
      continue;
    }
    const Markup node = ScanMarkup(text, at, end);
    const std::u16string_view name = Range(text, node.nameBegin, node.nameEnd);
    switch (node.kind) {
      case NodeKind::kError:
        return {};
      case NodeKind::kProcessingInstruction:
        if (!sawTag) {
          sawTag = true;
          if (SameName(name, u"xml", true)) {
            // The attributes end where "?>" begins.
            return AttributeIgnoringCase(text, node.nameEnd, node.end - 2, u"encoding");
          }
        }
        break;
      case NodeKind::kEndTag:
        sawTag = true;
        if (SameName(name, u"head", true)) return {};
        break;
      case NodeKind::kStartTag:
        sawTag = true;
        if (!inHtml) {
          if (!SameName(name, u"html", true)) return {};
          inHtml = true;
        } else if (SameName(name, u"meta", true) &&
                   SameName(AttributeIgnoringCase(text, node.nameEnd, node.end - 1, u"http-equiv"), u"Content-Type",
                            true)) {
          return CharsetOf(AttributeIgnoringCase(text, node.nameEnd, node.end - 1, u"content"));
        }
        break;
      default:
        break;
    }
    at = node.end;
  }
  return {};
}

}  // namespace xml
