// nsURLParser.h - parsing, resolution and normalisation of URLs (standard
// C++, no Win32; used by the IO service and fuzzed natively).
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
// tabs and line breaks inside are dropped.
bool NS_ParseURL(const std::string& spec, const nsParsedURL* base, nsParsedURL& out);

// Percent-escapes every byte that may not stand in a URL path as it is
// ('%', '#', '?', blanks, controls, bytes above 0x7F, ...). '/' is kept.
std::string NS_EscapeURLPath(const std::string& bytes);
// Decodes every valid %XX escape; other bytes are copied.
std::string NS_UnescapeURL(const std::string& text);
