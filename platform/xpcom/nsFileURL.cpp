#include "nsFileURL.h"

#include <cstring>

#include "nsNativeCharset.h"
#include "nsURLParser.h"

namespace {

std::string AnsiToUTF8(const char* s, size_t len) {
  nsAutoString wide;
  NS_CopyNativeToUnicode(nsDependentCString(s, len), wide);
  return NS_ConvertUTF16toUTF8(wide).str();
}

std::string EscapePath(const char* s, size_t len) {
  std::string bytes = AnsiToUTF8(s, len);
  for (char& c : bytes)
    if (c == '\\') c = '/';
  return NS_EscapeURLPath(bytes);
}

}  // namespace

std::string NS_BuildFileURL(const char* path) {
  if (!path) return std::string();
  size_t len = std::strlen(path);
  std::string escaped = EscapePath(path, len);
  if (escaped.compare(0, 2, "//") == 0) return "file:" + escaped;  // UNC
  if (!escaped.empty() && escaped[0] == '/') return "file://" + escaped;
  return "file:///" + escaped;
}

std::string NS_BuildFileURL(const char* folder, const char* page) {
  std::string f = folder ? folder : "";
  while (!f.empty() && (f.back() == '\\' || f.back() == '/')) f.pop_back();
  std::string url = NS_BuildFileURL(f.c_str());
  if (!page) return url;
  return url + '/' + NS_EscapeFilePath(page);
}

std::string NS_EscapeFilePath(const char* page) {
  if (!page) return std::string();
  const char* hash = std::strchr(page, '#');
  size_t pageLen = hash ? static_cast<size_t>(hash - page) : std::strlen(page);
  size_t skip = 0;
  while (skip < pageLen && (page[skip] == '\\' || page[skip] == '/')) ++skip;
  std::string ref = EscapePath(page + skip, pageLen - skip);
  if (hash) {
    ref += '#';
    ref += NS_EscapeURLPath(AnsiToUTF8(hash + 1, std::strlen(hash + 1)));
  }
  return ref;
}

bool NS_FileURLToPath(const char* url, nsAString& widePath) {
  widePath.Truncate();
  nsParsedURL parsed;
  if (!url || !NS_ParseURL(url, nullptr, parsed) || !parsed.IsFile()) return false;
  std::string path = NS_UnescapeURL(parsed.path);
  // "/C:/dir" is a drive path; a host makes a UNC path.
  if (!parsed.host.empty()) path = "//" + parsed.host + path;
  else if (path.size() >= 3 && path[0] == '/' && path[2] == ':') path.erase(0, 1);
  for (char& c : path)
    if (c == '/') c = '\\';
  AppendUTF8toUTF16(path.data(), path.size(), widePath);
  return true;
}

bool NS_FileURLToPath(const char* url, std::string& ansiPath) {
  ansiPath.clear();
  nsAutoString wide;
  if (!NS_FileURLToPath(url, wide)) return false;
  nsAutoCString ansi;
  NS_CopyUnicodeToNative(wide, ansi);
  ansiPath = ansi.str();
  return true;
}
