// viewurl.h - the addresses CHtmlView understands (what Navigate2 and a
// clicked link give), read through the one URL parser.
#pragma once

#include <string>

struct CHtmlViewUrl {
    enum Kind { Blank, File, External, Ignored } kind = Ignored;
    std::wstring path;      // File: the local path
    std::string base;       // File: the canonical url without fragment (ASCII)
    std::string fragment;   // File: the anchor name (decoded, UTF-8), may be empty
    bool hasFragment = false;
    std::string external;   // External: the address as given

    std::string Full() const;
};

// A plain path ("C:\dir\a#1.htm", "\\host\share\a.htm") names a file as it
// is; a file URL is read by NS_FileURLToLocalFile. Escaped and raw bytes
// outside ASCII are read as UTF-8 when they form it, else in the ANSI code
// page. http, https, ftp, mailto and news are external; other schemes are
// ignored.
CHtmlViewUrl ParseHtmlViewUrl(const std::string& input);
