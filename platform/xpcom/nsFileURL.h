// nsFileURL.h - the one builder of file URLs from local paths, and back.
//
// Every byte of a path that may not stand in a URL as it is ('%', '#', '?',
// blanks, non-ASCII ...) is percent-escaped, so a folder named "C#" or a CHM
// named "50%.chm" stays part of the path. Non-ASCII characters are escaped
// as the bytes of their UTF-8 form. Windows only (paths are ANSI strings).
#pragma once

#include <string>

#include "nsString.h"

// "file:///C:/dir/file.htm" of "C:\dir\file.htm"; "\\host\share\x" gives
// "file://host/share/x". Null gives "".
std::string NS_BuildFileURL(const char* path);

// The URL of a page under a folder: the folder's URL, '/', then the page (a
// relative path with '\' or '/'). The page's own fragment, after its first
// '#', stays a fragment. An empty page gives the folder's URL with a
// trailing '/'. Trailing separators of the folder are dropped first.
std::string NS_BuildFileURL(const char* folder, const char* page);

// A relative URL reference of a relative local path ("sub\\a b.htm#x" gives
// "sub/a%20b.htm#x"): separators become '/', leading ones are dropped, and
// the path's own fragment stays a fragment.
std::string NS_EscapeFilePath(const char* relativePath);

// The local path of a local file URL (escapes decoded, '/' turned into '\',
// query and fragment dropped). False for anything else.
bool NS_FileURLToPath(const char* url, std::string& ansiPath);
bool NS_FileURLToPath(const char* url, nsAString& widePath);
