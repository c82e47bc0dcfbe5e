// nsURLParser.h - parsing, resolution and normalisation of URLs (standard
// C++, no Win32; fuzzed natively).
//
// The only reader of URLs: the IO service, the layout's links and
// resources, the page view and the PDF links all go through it, so that a
// link leads to the same file and fragment wherever it is followed.
//
// Input is a byte string in UTF-8; bytes that are not URL-safe come out
// percent-escaped. See nsIURI.h for the normal form of file URLs.
#pragma once

#include <string>

struct nsParsedURL {
  std::string scheme;  // lower case, without ':'
  bool hasAuthority = false;
  std::string host;    // lower case; "" for local files
  std::string path;    // escaped, normalised; "" only for opaque URIs
  bool opaque = false; // "mailto:x": no hierarchy, cannot be a base
  bool hasQuery = false;
  std::string query;
  bool hasRef = false;
  std::string ref;

  bool IsFile() const { return scheme == "file"; }
  std::string Spec() const;
  // What Equals compares: for file URLs the part before '#' in lower case;
  // the fragment (with its '#') exactly.
  std::string ComparisonKey(bool withRef) const;
};

// Parses the URL text, relative to base when base is not null. False when the
// text is empty or blank, relative without a (hierarchical) base, or has a malformed
// scheme. Leading and trailing blanks and control characters are ignored,
// tabs and line breaks inside are dropped. A drive path ("C:\x", "C:/x") or
// a UNC path ("\\host\x") is read as the file URL of that path. In file
// URLs '\' separates segments like '/', and a reference from the root
// ("/x.htm") keeps the drive of its base, as on Windows.
bool NS_ParseURL(const std::string& spec, const nsParsedURL* base, nsParsedURL& out);

// The scheme a URL text names, in lower case ("file" for a drive or UNC
// path), or "" for a relative reference. False when the text is blank or
// is no usable reference ("bad scheme:x": a first segment with ':').
bool NS_URLScheme(const std::string& spec, std::string& scheme);

// A reference of a page (a link, an image, a style sheet) resolved against
// the page's URL, as every part of the program follows it: file URLs and
// relative references in the normal form (without the query, which no
// file has); other schemes as written (they
// are handed to whoever opens them), and the reference as written when
// there is nothing to resolve it against. A blank reference is the base.
std::string NS_ResolveLink(const std::string& base, const std::string& ref);

// The local file a file URL (or a drive or UNC path) names, and its
// fragment.
struct nsLocalFileRef {
  std::string path;  // escapes decoded, '\' separators: "C:\dir\a.htm",
                     // "\\host\share\a.htm"
  bool hasRef = false;
  std::string ref;   // the fragment, escapes decoded
};
// False for other schemes, relative references, "file:///" alone, and
// paths with an escaped NUL (no file has such a name). The bytes are those of the URL, normally
// UTF-8; the caller chooses how to widen them.
bool NS_FileURLToLocalFile(const std::string& url, nsLocalFileRef& out);

// The file URL of a local path in UTF-8 ("C:\dir\a b.htm" gives
// "file:///C:/dir/a%20b.htm", "\\host\x" gives "file://host/x"): every
// byte that may not stand in a path is escaped, '#' and '%' included.
std::string NS_LocalPathToFileURL(const std::string& utf8Path);

// Percent-escapes every byte that may not stand in a URL path as it is
// ('%', '#', '?', blanks, controls, bytes above 0x7F, ...). '/' is kept.
std::string NS_EscapeURLPath(const std::string& bytes);
// Decodes every valid %XX escape; other bytes are copied.
std::string NS_UnescapeURL(const std::string& text);
