// Native code-page conversion: UTF-8 goes through the native build's own
// decoder (it is by far the most common case and must behave like the system
// converter on bad input); every other Windows code page goes through iconv
// under its iconv name. The ANSI
// code page of the native build is 1252.

#include "platform/CodePage.h"
#include "platform/native/NativeText.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr uint32_t kNativeAnsiCodePage = 1252;

struct IconvName {
  uint32_t codePage;
  const char* name;
};

// The Windows code pages that have an iconv counterpart on this system.
// UTF-16 (1200, 1201) is missing on purpose: the system converter does not
// take it either, UTF-16 text is recognised by its byte-order mark instead.
constexpr IconvName kIconvNames[] = {
    {37, "IBM037"},        {437, "IBM437"},       {500, "IBM500"},       {708, "ISO-8859-6"},
    {737, "CP737"},        {775, "CP775"},        {850, "IBM850"},       {852, "IBM852"},
    {855, "IBM855"},       {857, "IBM857"},       {858, "IBM858"},       {860, "IBM860"},
    {861, "IBM861"},       {862, "IBM862"},       {863, "IBM863"},       {864, "IBM864"},
    {865, "IBM865"},       {866, "IBM866"},       {869, "IBM869"},       {870, "IBM870"},
    {874, "CP874"},        {875, "IBM875"},       {932, "CP932"},        {936, "CP936"},
    {949, "CP949"},        {950, "BIG5-HKSCS"},   {1026, "IBM1026"},     {1047, "IBM1047"},
    {1140, "IBM1140"},     {1141, "IBM1141"},     {1142, "IBM1142"},     {1143, "IBM1143"},
    {1144, "IBM1144"},     {1145, "IBM1145"},     {1146, "IBM1146"},     {1147, "IBM1147"},
    {1148, "IBM1148"},     {1149, "IBM1149"},     {1250, "CP1250"},      {1251, "CP1251"},
    {1252, "CP1252"},      {1253, "CP1253"},      {1254, "CP1254"},      {1255, "CP1255"},
    {1256, "CP1256"},      {1257, "CP1257"},      {1258, "CP1258"},      {1361, "JOHAB"},
    {10000, "MACINTOSH"},  {10007, "MACCYRILLIC"}, {10017, "MACUKRAINIAN"}, {10029, "MAC-CENTRALEUROPE"},
    {12000, "UTF-32LE"},   {12001, "UTF-32BE"},   {20127, "ASCII"},      {20273, "IBM273"},
    {20277, "IBM277"},     {20278, "IBM278"},     {20280, "IBM280"},     {20284, "IBM284"},
    {20285, "IBM285"},     {20290, "IBM290"},     {20297, "IBM297"},     {20420, "IBM420"},
    {20423, "IBM423"},     {20424, "IBM424"},     {20866, "KOI8-R"},     {20871, "IBM871"},
    {20880, "IBM880"},     {20905, "IBM905"},     {20932, "EUC-JP"},     {21025, "IBM1025"},
    {21866, "KOI8-U"},     {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"}, {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"}, {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"}, {50222, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"}, {51932, "EUC-JP-MS"}, {51936, "EUC-CN"},    {51949, "EUC-KR"},
    {54936, "GB18030"},    {65000, "UTF-7"},
};

const char* IconvNameFor(uint32_t codePage) {
  for (const IconvName& entry : kIconvNames)
    if (entry.codePage == codePage) return entry.name;
  return nullptr;
}

bool ConvertWithIconv(uint32_t codePage, const char* name, const uint8_t* bytes, size_t size, std::u16string& out) {
  // Output is written as UTF-16LE straight into char16_t units, which is
  // the unit order of the x86 hosts this build runs on.
  iconv_t converter = iconv_open("UTF-16LE", name);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::u16string result;
  result.resize(size + 16);
  char* in = reinterpret_cast<char*>(const_cast<uint8_t*>(bytes));
  size_t inLeft = size;
  size_t produced = 0;
  while (inLeft > 0) {
    if (result.size() - produced < 8) result.resize(result.size() * 2 + 16);
    char* outPtr = reinterpret_cast<char*>(result.data() + produced);
    size_t outLeft = (result.size() - produced) * sizeof(char16_t);
    const size_t done = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    produced = static_cast<size_t>(reinterpret_cast<char16_t*>(outPtr) - result.data());
    if (done != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      result.resize(result.size() * 2 + 16);
    } else if (errno == EILSEQ || errno == EINVAL) {
      // A byte the code page does not define. Windows maps the five holes of
      // 1252 to the C1 controls of the same value; elsewhere it substitutes.
      const uint8_t bad = static_cast<uint8_t>(*in);
      result[produced++] = codePage == 1252 ? static_cast<char16_t>(bad) : kReplacement;
      ++in;
      --inLeft;
      iconv(converter, nullptr, nullptr, nullptr, nullptr);
    } else {
      iconv_close(converter);
      return false;
    }
  }
  iconv_close(converter);
  result.resize(produced);
  out = std::move(result);
  return true;
}

class NativeCodePage final : public CodePage {
 public:
  bool ToWide(uint32_t codePage, const uint8_t* bytes, size_t size, std::u16string& out) override {
    out.clear();
    if (codePage == kCodePageAnsi) codePage = kNativeAnsiCodePage;
    if (codePage == kCodePageUtf8) {
      native::DecodeUtf8(bytes, size, out);
      return true;
    }
    const char* name = IconvNameFor(codePage);
    return name != nullptr && ConvertWithIconv(codePage, name, bytes, size, out);
  }
};

}  // namespace

template <>
CodePage& Service<CodePage>::Default() {
  static NativeCodePage instance;
  return instance;
}

}  // namespace platform
