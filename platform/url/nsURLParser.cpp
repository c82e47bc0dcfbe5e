#include "nsURLParser.h"

#include <utility>
#include <vector>

namespace {

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
std::string ToLower(std::string s) {
  for (char& c : s) c = Lower(c);
  return s;
}

// Characters that stand for themselves in a path (RFC 3986 unreserved,
// sub-delims, ':' and '@'), plus '/'.
bool IsPathSafe(unsigned char c) {
  if (IsAlpha(char(c)) || IsDigit(char(c))) return true;
  switch (c) {
    case '-': case '.': case '_': case '~': case '!': case '$': case '&':
    case '\'': case '(': case ')': case '*': case '+': case ',': case ';':
    case '=': case ':': case '@': case '/':
      return true;
    default:
      return false;
  }
}

void AppendEscaped(std::string& out, unsigned char c) {
  static const char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 15];
}

// One canonical escaping of a URL part: valid escapes of safe characters
// are decoded, other valid escapes are written in upper case, every unsafe
// byte (including a '%' that starts no valid escape) is escaped. In a path,
// '/' and '?' never come from decoding, so the structure of the URL stays;
// in a query or fragment (allowQuestionMark) they mean nothing more than
// themselves, so "#a%3Fb" and "#a?b" name the same position.
std::string Canonicalise(const std::string& in, bool allowQuestionMark) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    if (c == '%' && i + 2 < in.size() && HexValue(in[i + 1]) >= 0 &&
        HexValue(in[i + 2]) >= 0) {
      unsigned char d = static_cast<unsigned char>(HexValue(in[i + 1]) * 16 +
                                                   HexValue(in[i + 2]));
      if (allowQuestionMark ? (IsPathSafe(d) || d == '?') : (IsPathSafe(d) && d != '/'))
        out += char(d);
      else AppendEscaped(out, d);
      i += 2;
    } else if (IsPathSafe(c) || (allowQuestionMark && c == '?')) {
      out += char(c);
    } else {
      AppendEscaped(out, c);
    }
  }
  return out;
}

bool IsDriveSegment(const std::string& s) {
  return s.size() == 2 && IsAlpha(s[0]) && (s[1] == ':' || s[1] == '|');
}

// Removes "." and ".." segments (RFC 3986, 5.2.4). In file URLs a leading
// drive segment ("C:") is never removed by "..". Returns a path that starts
// with '/'. Segments are written into the result as they come; a ".."
// cuts the result back to where the last segment began.
std::string RemoveDots(const std::string& path, bool file) {
  std::string out;
  out.reserve(path.size() + 1);
  std::vector<size_t> starts;  // where each segment's '/' stands in out
  size_t start = (!path.empty() && path[0] == '/') ? 1 : 0;
  bool trailingSlash = false;
  while (true) {
    size_t slash = path.find('/', start);
    bool last = (slash == std::string::npos);
    size_t len = (last ? path.size() : slash) - start;
    const char* seg = path.data() + start;
    if (len == 1 && seg[0] == '.') {
      trailingSlash = last;
    } else if (len == 2 && seg[0] == '.' && seg[1] == '.') {
      bool drive = file && starts.size() == 1 && out.size() == 3 && IsAlpha(out[1]) &&
                   (out[2] == ':' || out[2] == '|');
      if (!starts.empty() && !drive) {
        out.resize(starts.back());
        starts.pop_back();
      }
      trailingSlash = last;
    } else {
      bool drive = file && starts.empty() && len == 2 && IsAlpha(seg[0]) &&
                   (seg[1] == ':' || seg[1] == '|');
      starts.push_back(out.size());
      out += '/';
      out.append(seg, len);
      if (drive) out[out.size() - 1] = ':';
      trailingSlash = false;
    }
    if (last) break;
    start = slash + 1;
  }
  if (trailingSlash || out.empty()) out += '/';
  return out;
}

// Splits "path?query#ref" (the part after the authority).
void SplitTail(const std::string& tail, std::string& path, bool& hasQuery,
               std::string& query, bool& hasRef, std::string& ref) {
  size_t hash = tail.find('#');
  std::string beforeRef = tail.substr(0, hash);
  hasRef = (hash != std::string::npos);
  ref = hasRef ? tail.substr(hash + 1) : std::string();
  size_t q = beforeRef.find('?');
  hasQuery = (q != std::string::npos);
  query = hasQuery ? beforeRef.substr(q + 1) : std::string();
  path = beforeRef.substr(0, q);
}

// '\' is a separator in file URLs: turned into '/' before '?' and '#'.
std::string FileSlashes(std::string s) {
  for (char& c : s) {
    if (c == '?' || c == '#') break;
    if (c == '\\') c = '/';
  }
  return s;
}

void FinishParts(nsParsedURL& u) {
  // The old form of a drive, "/C|/", is "/C:/".
  if (u.IsFile() && u.path.size() >= 3 && u.path[0] == '/' && IsAlpha(u.path[1]) &&
      u.path[2] == '|' && (u.path.size() == 3 || u.path[3] == '/'))
    u.path[2] = ':';
  if (!u.opaque) {
    u.path = RemoveDots(Canonicalise(u.path, false), u.IsFile());
  } else {
    u.path = Canonicalise(u.path, false);
  }
  u.query = Canonicalise(u.query, true);
  u.ref = Canonicalise(u.ref, true);
}

// Authority of a file URL: "localhost" is the local machine; a drive written
// where the host goes ("file://C:/x") belongs to the path.
void SetFileAuthority(nsParsedURL& u, const std::string& authority, std::string& path) {
  std::string host = ToLower(authority);
  if (IsDriveSegment(host)) {
    path = "/" + authority + path;
    host.clear();
  } else if (host == "localhost") {
    host.clear();
  }
  u.host = host;
}

// "//authority/path?query#ref" into the parts of u (whose scheme is set).
void SplitAuthority(const std::string& text, nsParsedURL& u) {
  size_t end = text.find_first_of("/?#", 2);
  std::string authority = text.substr(2, end == std::string::npos ? std::string::npos : end - 2);
  std::string tail = end == std::string::npos ? std::string() : text.substr(end);
  SplitTail(tail, u.path, u.hasQuery, u.query, u.hasRef, u.ref);
  u.hasAuthority = true;
  if (u.IsFile()) SetFileAuthority(u, authority, u.path);
  else u.host = ToLower(authority);
  if (u.path.empty()) u.path = "/";
}

// Blanks and controls trimmed at both ends; tabs and line breaks inside
// dropped.
std::string CleanSpec(const std::string& raw) {
  size_t b = 0, e = raw.size();
  while (b < e && static_cast<unsigned char>(raw[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(raw[e - 1]) <= 0x20) --e;
  std::string spec;
  spec.reserve(e - b);
  for (size_t i = b; i < e; ++i)
    if (raw[i] != '\t' && raw[i] != '\n' && raw[i] != '\r') spec += raw[i];
  return spec;
}

// A Windows path: "C:\..." or "C:/...", or a UNC path "\\server\share".
bool IsWindowsPath(const std::string& spec) {
  return (spec.size() >= 2 && IsAlpha(spec[0]) && spec[1] == ':' &&
          (spec.size() == 2 || spec[2] == '\\' || spec[2] == '/')) ||
         (spec.size() >= 2 && spec[0] == '\\' && spec[1] == '\\');
}

// Where the ':' after a scheme stands (a letter, then letters, digits, '+',
// '-', '.'), or npos for a relative reference.
size_t SchemeEnd(const std::string& spec) {
  if (spec.empty() || !IsAlpha(spec[0])) return std::string::npos;
  size_t i = 1;
  while (i < spec.size() && (IsAlpha(spec[i]) || IsDigit(spec[i]) || spec[i] == '+' ||
                             spec[i] == '-' || spec[i] == '.'))
    ++i;
  return i < spec.size() && spec[i] == ':' ? i : std::string::npos;
}

}  // namespace

std::string nsParsedURL::Spec() const {
  std::string s = scheme + ":";
  if (hasAuthority) s += "//" + host;
  // Without an authority, a path starting "//" would read back as one.
  else if (path.compare(0, 2, "//") == 0) s += "/.";
  s += path;
  if (hasQuery) s += "?" + query;
  if (hasRef) s += "#" + ref;
  return s;
}

std::string nsParsedURL::ComparisonKey(bool withRef) const {
  std::string key;
  key.reserve(scheme.size() + host.size() + path.size() + query.size() + ref.size() + 8);
  key += scheme;
  key += ':';
  if (hasAuthority) {
    key += "//";
    key += host;
  } else if (path.compare(0, 2, "//") == 0) {
    key += "/.";
  }
  key += path;
  if (hasQuery) {
    key += '?';
    key += query;
  }
  if (IsFile())
    for (char& c : key) c = Lower(c);
  if (withRef && hasRef) {
    key += '#';
    key += ref;
  }
  return key;
}

std::string NS_EscapeURLPath(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char c : bytes) {
    if (IsPathSafe(c)) out += char(c);
    else AppendEscaped(out, c);
  }
  return out;
}

std::string NS_UnescapeURL(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool NS_ParseURL(const std::string& rawSpec, const nsParsedURL* base, nsParsedURL& out) {
  std::string spec = CleanSpec(rawSpec);
  if (spec.empty()) return false;

  nsParsedURL u;

  if (IsWindowsPath(spec)) spec = (spec[0] == '\\' ? "file:" : "file:///") + spec;

  size_t colon = SchemeEnd(spec);

  if (colon != std::string::npos) {
    u.scheme = ToLower(spec.substr(0, colon));
    std::string rest = spec.substr(colon + 1);
    if (u.IsFile()) rest = FileSlashes(rest);
    if (rest.compare(0, 2, "//") == 0) {
      SplitAuthority(rest, u);
    } else {
      SplitTail(rest, u.path, u.hasQuery, u.query, u.hasRef, u.ref);
      if (u.IsFile()) {
        u.hasAuthority = true;  // "file:C:/x" and "file:/x" are local paths
        if (u.path.empty() || u.path[0] != '/') u.path = "/" + u.path;
      } else if (u.path.empty() || u.path[0] != '/') {
        u.opaque = true;
      }
    }
    if (u.IsFile() && u.path.empty()) u.path = "/";
    if (u.hasAuthority && !u.opaque && u.path.empty()) u.path = "/";
    FinishParts(u);
    out = std::move(u);
    return true;
  }

  // A relative reference (RFC 3986, 5.2.2).
  if (!base || base->opaque || base->scheme.empty()) return false;
  std::string ref = base->IsFile() ? FileSlashes(spec) : spec;
  u.scheme = base->scheme;
  if (ref.compare(0, 2, "//") == 0) {
    SplitAuthority(ref, u);
  } else {
    std::string path;
    SplitTail(ref, path, u.hasQuery, u.query, u.hasRef, u.ref);
    u.hasAuthority = base->hasAuthority;
    u.host = base->host;
    if (path.empty()) {
      u.path = base->path;
      if (!u.hasQuery) {
        u.hasQuery = base->hasQuery;
        u.query = base->query;
      }
    } else if (path[0] == '/') {
      // From the root of the base's drive, as Windows reads "\\x.htm".
      bool baseDrive = base->IsFile() && base->host.empty() && base->path.size() >= 3 &&
                       base->path[0] == '/' && IsDriveSegment(base->path.substr(1, 2));
      bool ownDrive = path.size() >= 3 && IsDriveSegment(path.substr(1, 2)) &&
                      (path.size() == 3 || path[3] == '/');
      u.path = baseDrive && !ownDrive ? base->path.substr(0, 3) + path : path;
    } else {
      size_t slash = base->path.rfind('/');
      u.path = (slash == std::string::npos ? std::string("/")
                                           : base->path.substr(0, slash + 1)) + path;
    }
  }
  FinishParts(u);
  out = std::move(u);
  return true;
}

bool NS_URLScheme(const std::string& rawSpec, std::string& scheme) {
  scheme.clear();
  std::string spec = CleanSpec(rawSpec);
  if (spec.empty()) return false;
  size_t colon = SchemeEnd(spec);
  // One letter before ':' is a drive, whatever follows it.
  if (IsWindowsPath(spec) || colon == 1) {
    scheme = "file";
    return true;
  }
  if (colon != std::string::npos) {
    scheme = ToLower(spec.substr(0, colon));
    return true;
  }
  size_t stop = spec.find_first_of("/?#\\");
  size_t other = spec.find(':');
  return other == std::string::npos || (stop != std::string::npos && stop < other);
}

std::string NS_ResolveLink(const std::string& base, const std::string& ref) {
  std::string spec = CleanSpec(ref);
  if (spec.empty()) return base;
  std::string scheme;
  if (NS_URLScheme(spec, scheme) && !scheme.empty() && scheme != "file") return spec;
  nsParsedURL baseURL, url;
  bool haveBase = NS_ParseURL(base, nullptr, baseURL) && !baseURL.opaque;
  if (!NS_ParseURL(spec, haveBase ? &baseURL : nullptr, url)) return spec;
  // A file has no query: every reader drops it, and a link target with one
  // would not be equal to the page it leads to.
  if (url.IsFile()) {
    url.hasQuery = false;
    url.query.clear();
  }
  return url.Spec();
}

bool NS_FileURLToLocalFile(const std::string& url, nsLocalFileRef& out) {
  out = nsLocalFileRef();
  nsParsedURL parsed;
  if (!NS_ParseURL(url, nullptr, parsed) || !parsed.IsFile()) return false;
  std::string path = NS_UnescapeURL(parsed.path);
  // "file:///" (or "file:////") names no file.
  if (parsed.host.empty() && path.find_first_not_of('/') == std::string::npos) return false;
  // "/C:/dir" is a drive path; a host makes a UNC path.
  if (!parsed.host.empty()) path = "//" + parsed.host + path;
  else if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
  if (path.find('\0') != std::string::npos) return false;
  for (char& c : path)
    if (c == '/') c = '\\';
  out.path = path;
  out.hasRef = parsed.hasRef;
  out.ref = NS_UnescapeURL(parsed.ref);
  return true;
}

std::string NS_LocalPathToFileURL(const std::string& utf8Path) {
  std::string path = utf8Path;
  for (char& c : path)
    if (c == '\\') c = '/';
  std::string escaped = NS_EscapeURLPath(path);
  if (escaped.compare(0, 2, "//") == 0) return "file:" + escaped;  // UNC
  if (!escaped.empty() && escaped[0] == '/') return "file://" + escaped;
  return "file:///" + escaped;
}
