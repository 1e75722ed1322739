#include "text/XmlEntities.h"

#include <algorithm>

#include "text/NamedNumbers.h"

namespace {

constexpr size_t kEntityCount = 253;
// A reference name is at most this long ("#" and eight digits); no named
// entity is longer than eight characters.
constexpr size_t kMaxReferenceName = 9;

// The named character references of HTML 4 and "apos", sorted by name.
constexpr NamedNumber kEntities[] = {
    {"AElig", 198}, {"Aacute", 193}, {"Acirc", 194}, {"Agrave", 192}, {"Alpha", 913}, {"Aring", 197},
    {"Atilde", 195}, {"Auml", 196}, {"Beta", 914}, {"Ccedil", 199}, {"Chi", 935}, {"Dagger", 8225},
    {"Delta", 916}, {"ETH", 208}, {"Eacute", 201}, {"Ecirc", 202}, {"Egrave", 200}, {"Epsilon", 917},
    {"Eta", 919}, {"Euml", 203}, {"Gamma", 915}, {"Iacute", 205}, {"Icirc", 206}, {"Igrave", 204},
    {"Iota", 921}, {"Iuml", 207}, {"Kappa", 922}, {"Lambda", 923}, {"Mu", 924}, {"Ntilde", 209}, {"Nu", 925},
    {"OElig", 338}, {"Oacute", 211}, {"Ocirc", 212}, {"Ograve", 210}, {"Omega", 937}, {"Omicron", 927},
    {"Oslash", 216}, {"Otilde", 213}, {"Ouml", 214}, {"Phi", 934}, {"Pi", 928}, {"Prime", 8243}, {"Psi", 936},
    {"Rho", 929}, {"Scaron", 352}, {"Sigma", 931}, {"THORN", 222}, {"Tau", 932}, {"Theta", 920},
    {"Uacute", 218}, {"Ucirc", 219}, {"Ugrave", 217}, {"Upsilon", 933}, {"Uuml", 220}, {"Xi", 926},
    {"Yacute", 221}, {"Yuml", 376}, {"Zeta", 918}, {"aacute", 225}, {"acirc", 226}, {"acute", 180},
    {"aelig", 230}, {"agrave", 224}, {"alefsym", 8501}, {"alpha", 945}, {"amp", 38}, {"and", 8743},
    {"ang", 8736}, {"apos", 39}, {"aring", 229}, {"asymp", 8776}, {"atilde", 227}, {"auml", 228},
    {"bdquo", 8222}, {"beta", 946}, {"brvbar", 166}, {"bull", 8226}, {"cap", 8745}, {"ccedil", 231},
    {"cedil", 184}, {"cent", 162}, {"chi", 967}, {"circ", 710}, {"clubs", 9827}, {"cong", 8773},
    {"copy", 169}, {"crarr", 8629}, {"cup", 8746}, {"curren", 164}, {"dArr", 8659}, {"dagger", 8224},
    {"darr", 8595}, {"deg", 176}, {"delta", 948}, {"diams", 9830}, {"divide", 247}, {"eacute", 233},
    {"ecirc", 234}, {"egrave", 232}, {"empty", 8709}, {"emsp", 8195}, {"ensp", 8194}, {"epsilon", 949},
    {"equiv", 8801}, {"eta", 951}, {"eth", 240}, {"euml", 235}, {"euro", 8364}, {"exist", 8707},
    {"fnof", 402}, {"forall", 8704}, {"frac12", 189}, {"frac14", 188}, {"frac34", 190}, {"frasl", 8260},
    {"gamma", 947}, {"ge", 8805}, {"gt", 62}, {"hArr", 8660}, {"harr", 8596}, {"hearts", 9829},
    {"hellip", 8230}, {"iacute", 237}, {"icirc", 238}, {"iexcl", 161}, {"igrave", 236}, {"image", 8465},
    {"infin", 8734}, {"int", 8747}, {"iota", 953}, {"iquest", 191}, {"isin", 8712}, {"iuml", 239},
    {"kappa", 954}, {"lArr", 8656}, {"lambda", 955}, {"lang", 9001}, {"laquo", 171}, {"larr", 8592},
    {"lceil", 8968}, {"ldquo", 8220}, {"le", 8804}, {"lfloor", 8970}, {"lowast", 8727}, {"loz", 9674},
    {"lrm", 8206}, {"lsaquo", 8249}, {"lsquo", 8216}, {"lt", 60}, {"macr", 175}, {"mdash", 8212},
    {"micro", 181}, {"middot", 183}, {"minus", 8722}, {"mu", 956}, {"nabla", 8711}, {"nbsp", 160},
    {"ndash", 8211}, {"ne", 8800}, {"ni", 8715}, {"not", 172}, {"notin", 8713}, {"nsub", 8836},
    {"ntilde", 241}, {"nu", 957}, {"oacute", 243}, {"ocirc", 244}, {"oelig", 339}, {"ograve", 242},
    {"oline", 8254}, {"omega", 969}, {"omicron", 959}, {"oplus", 8853}, {"or", 8744}, {"ordf", 170},
    {"ordm", 186}, {"oslash", 248}, {"otilde", 245}, {"otimes", 8855}, {"ouml", 246}, {"para", 182},
    {"part", 8706}, {"permil", 8240}, {"perp", 8869}, {"phi", 966}, {"pi", 960}, {"piv", 982},
    {"plusmn", 177}, {"pound", 163}, {"prime", 8242}, {"prod", 8719}, {"prop", 8733}, {"psi", 968},
    {"quot", 34}, {"rArr", 8658}, {"radic", 8730}, {"rang", 9002}, {"raquo", 187}, {"rarr", 8594},
    {"rceil", 8969}, {"rdquo", 8221}, {"real", 8476}, {"reg", 174}, {"rfloor", 8971}, {"rho", 961},
    {"rlm", 8207}, {"rsaquo", 8250}, {"rsquo", 8217}, {"sbquo", 8218}, {"scaron", 353}, {"sdot", 8901},
    {"sect", 167}, {"shy", 173}, {"sigma", 963}, {"sigmaf", 962}, {"sim", 8764}, {"spades", 9824},
    {"sub", 8834}, {"sube", 8838}, {"sum", 8721}, {"sup", 8835}, {"sup1", 185}, {"sup2", 178}, {"sup3", 179},
    {"supe", 8839}, {"szlig", 223}, {"tau", 964}, {"there4", 8756}, {"theta", 952}, {"thetasym", 977},
    {"thinsp", 8201}, {"thorn", 254}, {"tilde", 732}, {"times", 215}, {"trade", 8482}, {"uArr", 8657},
    {"uacute", 250}, {"uarr", 8593}, {"ucirc", 251}, {"ugrave", 249}, {"uml", 168}, {"upsih", 978},
    {"upsilon", 965}, {"uuml", 252}, {"weierp", 8472}, {"xi", 958}, {"yacute", 253}, {"yen", 165},
    {"yuml", 255}, {"zeta", 950}, {"zwj", 8205}, {"zwnj", 8204},
};
static_assert(sizeof(kEntities) / sizeof(kEntities[0]) == kEntityCount, "HTML 4 has 252 named references, plus apos");
static_assert(IsSortedByName(kEntities), "the entity names must stay sorted and unique");

int DigitValue(char16_t c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (hex && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (hex && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "#65", "#x42": the code point, or 0 when the name is not all digits. The
// name is short, so the value cannot overflow before the range check.
uint32_t NumericCodePoint(std::u16string_view name) {
  const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
  const size_t first = hex ? 2 : 1;
  if (name.size() <= first) return 0;
  uint32_t value = 0;
  for (size_t i = first; i < name.size(); ++i) {
    const int digit = DigitValue(name[i], hex);
    if (digit < 0) return 0;
    value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
  }
  return value <= 0x10FFFF ? value : 0;
}

}  // namespace

uint32_t EntityCodePoint(std::u16string_view name) {
  char buffer[kMaxReferenceName];
  const std::string_view key = AsciiKey(name, buffer, sizeof(buffer), false);
  return key.empty() ? 0 : FindNamedNumber(kEntities, key);
}

void AppendDecodedEntities(std::u16string& out, std::u16string_view text) {
  size_t copied = 0;  // text before this position is already in `out`
  size_t amp = text.find(u'&');
  while (amp != std::u16string_view::npos) {
    // The name runs from after '&' to ';', ASCII only, at most nine long.
    size_t end = amp + 1;
    const size_t limit = std::min(text.size(), amp + 1 + kMaxReferenceName + 1);
    while (end < limit && text[end] != ';' && text[end] < 0x80) ++end;
    uint32_t code = 0;
    if (end < limit && text[end] == ';') {
      const std::u16string_view name = text.substr(amp + 1, end - amp - 1);
      code = !name.empty() && name[0] == '#' ? NumericCodePoint(name) : EntityCodePoint(name);
    }
    if (code != 0) {
      out.append(text.substr(copied, amp - copied));
      if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
      } else {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
      }
      copied = end + 1;
      amp = text.find(u'&', copied);
    } else {
      // Not a reference: the '&' stays and the search goes on right after it.
      amp = text.find(u'&', amp + 1);
    }
  }
  out.append(text.substr(copied));
}

std::u16string DecodeEntities(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  AppendDecodedEntities(out, text);
  return out;
}
