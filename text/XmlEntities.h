#pragma once

// Character references in XML text and attribute values: the named
// references of HTML 4 plus "apos", and numeric ones in decimal or hex.

#include <cstdint>
#include <string>
#include <string_view>

// Code point of a named reference (exact case: "eacute" 233, "Eacute" 201),
// or 0 when the name is not one of them.
uint32_t EntityCodePoint(std::u16string_view name);

// Appends `text` to `out` with every well-formed reference replaced by its
// character. A reference that is not understood (unknown name, no ';' within
// reach, code point 0 or beyond U+10FFFF) is copied as it stands.
void AppendDecodedEntities(std::u16string& out, std::u16string_view text);
std::u16string DecodeEntities(std::u16string_view text);
