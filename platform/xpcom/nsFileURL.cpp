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
  return NS_LocalPathToFileURL(AnsiToUTF8(path, std::strlen(path)));
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
  nsLocalFileRef file;
  if (!url || !NS_FileURLToLocalFile(url, file)) return false;
  AppendUTF8toUTF16(file.path.data(), file.path.size(), widePath);
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
