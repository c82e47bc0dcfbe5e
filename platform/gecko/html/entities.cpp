// Character references: the HTML 4 entity set (plus &apos;) and numeric
// references.
#include <algorithm>
#include <cstring>

#include "internal.h"

namespace tw {
namespace html {
namespace detail {

namespace {

struct Entity {
  const char* name;
  std::uint32_t cp;
};

// Sorted by name (strcmp order) for binary search.
const Entity kEntities[] = {
    {"AElig", 198}, {"Aacute", 193}, {"Acirc", 194}, {"Agrave", 192}, {"Alpha", 913},
    {"Aring", 197}, {"Atilde", 195}, {"Auml", 196}, {"Beta", 914}, {"Ccedil", 199},
    {"Chi", 935}, {"Dagger", 8225}, {"Delta", 916}, {"ETH", 208}, {"Eacute", 201},
    {"Ecirc", 202}, {"Egrave", 200}, {"Epsilon", 917}, {"Eta", 919}, {"Euml", 203},
    {"Gamma", 915}, {"Iacute", 205}, {"Icirc", 206}, {"Igrave", 204}, {"Iota", 921},
    {"Iuml", 207}, {"Kappa", 922}, {"Lambda", 923}, {"Mu", 924}, {"Ntilde", 209},
    {"Nu", 925}, {"OElig", 338}, {"Oacute", 211}, {"Ocirc", 212}, {"Ograve", 210},
    {"Omega", 937}, {"Omicron", 927}, {"Oslash", 216}, {"Otilde", 213}, {"Ouml", 214},
    {"Phi", 934}, {"Pi", 928}, {"Prime", 8243}, {"Psi", 936}, {"Rho", 929},
    {"Scaron", 352}, {"Sigma", 931}, {"THORN", 222}, {"Tau", 932}, {"Theta", 920},
    {"Uacute", 218}, {"Ucirc", 219}, {"Ugrave", 217}, {"Upsilon", 933}, {"Uuml", 220},
    {"Xi", 926}, {"Yacute", 221}, {"Yuml", 376}, {"Zeta", 918}, {"aacute", 225},
    {"acirc", 226}, {"acute", 180}, {"aelig", 230}, {"agrave", 224}, {"alefsym", 8501},
    {"alpha", 945}, {"amp", 38}, {"and", 8743}, {"ang", 8736}, {"apos", 39},
    {"aring", 229}, {"asymp", 8776}, {"atilde", 227}, {"auml", 228}, {"bdquo", 8222},
    {"beta", 946}, {"brvbar", 166}, {"bull", 8226}, {"cap", 8745}, {"ccedil", 231},
    {"cedil", 184}, {"cent", 162}, {"chi", 967}, {"circ", 710}, {"clubs", 9827},
    {"cong", 8773}, {"copy", 169}, {"crarr", 8629}, {"cup", 8746}, {"curren", 164},
    {"dArr", 8659}, {"dagger", 8224}, {"darr", 8595}, {"deg", 176}, {"delta", 948},
    {"diams", 9830}, {"divide", 247}, {"eacute", 233}, {"ecirc", 234}, {"egrave", 232},
    {"empty", 8709}, {"emsp", 8195}, {"ensp", 8194}, {"epsilon", 949}, {"equiv", 8801},
    {"eta", 951}, {"eth", 240}, {"euml", 235}, {"euro", 8364}, {"exist", 8707},
    {"fnof", 402}, {"forall", 8704}, {"frac12", 189}, {"frac14", 188}, {"frac34", 190},
    {"frasl", 8260}, {"gamma", 947}, {"ge", 8805}, {"gt", 62}, {"hArr", 8660},
    {"harr", 8596}, {"hearts", 9829}, {"hellip", 8230}, {"iacute", 237}, {"icirc", 238},
    {"iexcl", 161}, {"igrave", 236}, {"image", 8465}, {"infin", 8734}, {"int", 8747},
    {"iota", 953}, {"iquest", 191}, {"isin", 8712}, {"iuml", 239}, {"kappa", 954},
    {"lArr", 8656}, {"lambda", 955}, {"lang", 9001}, {"laquo", 171}, {"larr", 8592},
    {"lceil", 8968}, {"ldquo", 8220}, {"le", 8804}, {"lfloor", 8970}, {"lowast", 8727},
    {"loz", 9674}, {"lrm", 8206}, {"lsaquo", 8249}, {"lsquo", 8216}, {"lt", 60},
    {"macr", 175}, {"mdash", 8212}, {"micro", 181}, {"middot", 183}, {"minus", 8722},
    {"mu", 956}, {"nabla", 8711}, {"nbsp", 160}, {"ndash", 8211}, {"ne", 8800},
    {"ni", 8715}, {"not", 172}, {"notin", 8713}, {"nsub", 8836}, {"ntilde", 241},
    {"nu", 957}, {"oacute", 243}, {"ocirc", 244}, {"oelig", 339}, {"ograve", 242},
    {"oline", 8254}, {"omega", 969}, {"omicron", 959}, {"oplus", 8853}, {"or", 8744},
    {"ordf", 170}, {"ordm", 186}, {"oslash", 248}, {"otilde", 245}, {"otimes", 8855},
    {"ouml", 246}, {"para", 182}, {"part", 8706}, {"permil", 8240}, {"perp", 8869},
    {"phi", 966}, {"pi", 960}, {"piv", 982}, {"plusmn", 177}, {"pound", 163},
    {"prime", 8242}, {"prod", 8719}, {"prop", 8733}, {"psi", 968}, {"quot", 34},
    {"rArr", 8658}, {"radic", 8730}, {"rang", 9002}, {"raquo", 187}, {"rarr", 8594},
    {"rceil", 8969}, {"rdquo", 8221}, {"real", 8476}, {"reg", 174}, {"rfloor", 8971},
    {"rho", 961}, {"rlm", 8207}, {"rsaquo", 8250}, {"rsquo", 8217}, {"sbquo", 8218},
    {"scaron", 353}, {"sdot", 8901}, {"sect", 167}, {"shy", 173}, {"sigma", 963},
    {"sigmaf", 962}, {"sim", 8764}, {"spades", 9824}, {"sub", 8834}, {"sube", 8838},
    {"sum", 8721}, {"sup", 8835}, {"sup1", 185}, {"sup2", 178}, {"sup3", 179},
    {"supe", 8839}, {"szlig", 223}, {"tau", 964}, {"there4", 8756}, {"theta", 952},
    {"thetasym", 977}, {"thinsp", 8201}, {"thorn", 254}, {"tilde", 732}, {"times", 215},
    {"trade", 8482}, {"uArr", 8657}, {"uacute", 250}, {"uarr", 8593}, {"ucirc", 251},
    {"ugrave", 249}, {"uml", 168}, {"upsih", 978}, {"upsilon", 965}, {"uuml", 252},
    {"weierp", 8472}, {"xi", 958}, {"yacute", 253}, {"yen", 165}, {"yuml", 255},
    {"zeta", 950}, {"zwj", 8205}, {"zwnj", 8204},
};
constexpr size_t kEntityCount = sizeof(kEntities) / sizeof(kEntities[0]);
constexpr size_t kMaxEntityName = 8;  // "thetasym"

const Entity* findEntity(std::string_view name) {
  if (name.empty() || name.size() > kMaxEntityName) return nullptr;
  char buf[kMaxEntityName + 1];
  std::memcpy(buf, name.data(), name.size());
  buf[name.size()] = 0;
  const Entity* end = kEntities + kEntityCount;
  const Entity* it = std::lower_bound(kEntities, end, buf, [](const Entity& e, const char* k) {
    return std::strcmp(e.name, k) < 0;
  });
  return (it != end && std::strcmp(it->name, buf) == 0) ? it : nullptr;
}

// Pages of the time wrote the Latin-1 entities and the four markup ones
// without the ';'; browsers accept exactly those that way.
bool isLegacyEntity(const Entity* e) {
  return e && ((e->cp >= 160 && e->cp <= 255) || e->cp == 38 || e->cp == 60 ||
               e->cp == 62 || e->cp == 34);
}

bool isAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

const std::uint32_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Decodes the reference that starts at text[i] == '&'. Returns the number of
// characters consumed (0: not a reference, the '&' stays as written).
size_t decodeOne(std::string& out, std::string_view text, size_t i, bool inAttribute) {
  size_t n = text.size();
  size_t j = i + 1;
  if (j < n && text[j] == '#') {
    ++j;
    bool hex = false;
    if (j < n && (text[j] == 'x' || text[j] == 'X')) {
      hex = true;
      ++j;
    }
    size_t digits = j;
    std::uint32_t cp = 0;
    bool overflow = false;
    while (j < n && (hex ? isHex(text[j]) : isDigit(text[j]))) {
      char c = text[j];
      unsigned d = isDigit(c) ? unsigned(c - '0') : unsigned((c | 0x20) - 'a' + 10);
      if (!overflow) {
        cp = cp * (hex ? 16 : 10) + d;
        if (cp > 0x10FFFF) overflow = true;
      }
      ++j;
    }
    if (j == digits) return 0;  // "&#" or "&#x" without digits
    if (j < n && text[j] == ';') ++j;
    if (overflow || cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    else if (cp >= 0x80 && cp <= 0x9F) cp = k1252High[cp - 0x80];
    appendUtf8(out, cp);
    return j - i;
  }
  size_t k = j;
  while (k < n && k - j <= kMaxEntityName && isAlnum(text[k])) ++k;
  if (k == j) return 0;
  if (k < n && text[k] == ';') {
    if (const Entity* e = findEntity(text.substr(j, k - j))) {
      appendUtf8(out, e->cp);
      return k + 1 - i;
    }
  }
  // Without ';': the longest legacy name that starts here.
  for (size_t len = std::min(k - j, size_t(6)); len >= 2; --len) {
    const Entity* e = findEntity(text.substr(j, len));
    if (!isLegacyEntity(e)) continue;
    size_t after = j + len;
    if (inAttribute && after < n && (isAlnum(text[after]) || text[after] == '=')) return 0;
    appendUtf8(out, e->cp);
    return after - i;
  }
  return 0;
}

}  // namespace

std::uint32_t cp1252High(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? k1252High[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

void appendDecoded(std::string& out, std::string_view text, bool inAttribute) {
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      return;
    }
    out.append(text.substr(i, amp - i));
    size_t used = decodeOne(out, text, amp, inAttribute);
    if (used == 0) {
      out += '&';
      i = amp + 1;
    } else {
      i = amp + used;
    }
  }
}

}  // namespace detail
}  // namespace html
}  // namespace tw
