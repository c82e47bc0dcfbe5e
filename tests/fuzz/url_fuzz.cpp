// Input: a base URL, a newline, a reference. Checks that parsing never
// fails badly and that the normal form is stable: a normalised spec parses to
// itself, with the same equality key; that a link resolved once resolves to
// itself; and that the local file of a file URL has no NUL in its name.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "nsURLParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t nl = input.find('\n');
  std::string base = nl == std::string::npos ? std::string() : input.substr(0, nl);
  std::string spec = nl == std::string::npos ? input : input.substr(nl + 1);

  nsParsedURL baseURL;
  bool haveBase = NS_ParseURL(base, nullptr, baseURL);
  nsParsedURL url;
  if (!NS_ParseURL(spec, haveBase ? &baseURL : nullptr, url)) return 0;

  std::string normal = url.Spec();
  nsParsedURL again;
  if (!NS_ParseURL(normal, nullptr, again)) std::abort();
  if (again.Spec() != normal) std::abort();
  if (again.ComparisonKey(true) != url.ComparisonKey(true)) std::abort();
  NS_EscapeURLPath(NS_UnescapeURL(spec));

  std::string link = NS_ResolveLink(base, spec);
  if (link != base && NS_ResolveLink(base, link) != link) std::abort();
  nsLocalFileRef file;
  if (NS_FileURLToLocalFile(link, file)) {
    if (file.path.empty() || file.path.find('\0') != std::string::npos) std::abort();
    nsParsedURL back;
    if (!NS_ParseURL(NS_LocalPathToFileURL(file.path), nullptr, back) || !back.IsFile())
      std::abort();
  }
  std::string scheme;
  NS_URLScheme(spec, scheme);
  return 0;
}
