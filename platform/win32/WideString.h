#pragma once

// On Windows wchar_t and char16_t are both UTF-16 code units, so the core's
// strings cross into the Win32 API by a pointer cast and nothing else.

#include <windows.h>

#include <string>

namespace platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");

inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

template <class Handle>
inline std::uintptr_t ToHandle(Handle handle) {
  return reinterpret_cast<std::uintptr_t>(handle);
}

template <class Handle>
inline Handle FromHandle(std::uintptr_t value) {
  return reinterpret_cast<Handle>(value);
}

}  // namespace platform::win32
