#include "platform/native/NativeText.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform::native {

namespace {
constexpr char16_t kReplacement = 0xFFFD;
}  // namespace

std::string Utf16ToUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

// UTF-8 as the system converter reads it: shortest forms only, no
// surrogates, nothing above U+10FFFF; each maximal piece of a bad sequence
// becomes one U+FFFD. Decoded in pieces through a small buffer, so the
// output is written once instead of being cleared first.
void DecodeUtf8(const uint8_t* bytes, std::size_t size, std::u16string& out) {
  constexpr size_t kPiece = 8192;
  char16_t piece[kPiece + 2];
  out.reserve(size);  // never more units than bytes
  size_t i = 0;
  while (i < size) {
    char16_t* dest = piece;
    // Stop a little early so that one more sequence always fits.
    char16_t* const full = piece + kPiece;
    while (i < size && dest < full) {
      // Plain ASCII is the bulk of every document: it is widened sixteen
      // (or eight) bytes at a time.
#if defined(__SSE2__)
      if (i + 16 <= size && dest + 16 <= full) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(block) == 0) {
          const __m128i zero = _mm_setzero_si128();
          _mm_storeu_si128(reinterpret_cast<__m128i*>(dest), _mm_unpacklo_epi8(block, zero));
          _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + 8), _mm_unpackhi_epi8(block, zero));
          i += 16;
          dest += 16;
          continue;
        }
      }
#endif
      if (i + 8 <= size && dest + 8 <= full) {
        uint64_t block;
        std::memcpy(&block, bytes + i, 8);
        if (!(block & 0x8080808080808080ull)) {
          for (int k = 0; k < 8; ++k) dest[k] = bytes[i + k];
          dest += 8;
          i += 8;
          continue;
        }
      }
      const uint8_t lead = bytes[i];
      if (lead < 0x80) {
        *dest++ = lead;
        ++i;
        continue;
      }
      size_t need;
      uint32_t code;
      uint8_t low = 0x80, high = 0xBF;  // allowed range of the first continuation byte
      if (lead >= 0xC2 && lead <= 0xDF) {
        need = 1;
        code = lead & 0x1F;
      } else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
      } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
      } else {
        *dest++ = kReplacement;
        ++i;
        continue;
      }
      size_t j = i + 1;
      size_t got = 0;
      for (; got < need && j < size; ++got, ++j) {
        const uint8_t next = bytes[j];
        const bool fits = got == 0 ? (next >= low && next <= high) : (next >= 0x80 && next <= 0xBF);
        if (!fits) break;
        code = (code << 6) | (next & 0x3F);
      }
      i = j;
      if (got < need) {
        *dest++ = kReplacement;
      } else if (code < 0x10000) {
        *dest++ = static_cast<char16_t>(code);
      } else {
        code -= 0x10000;
        *dest++ = static_cast<char16_t>(0xD800 + (code >> 10));
        *dest++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
      }
    }
    out.append(piece, static_cast<size_t>(dest - piece));
  }
}

std::u16string Utf8ToUtf16(const std::string& text) {
  std::u16string out;
  DecodeUtf8(reinterpret_cast<const uint8_t*>(text.data()), text.size(), out);
  return out;
}

std::string ToNativePath(const std::u16string& path) {
  std::string native = Utf16ToUtf8(path);
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

}  // namespace platform::native
