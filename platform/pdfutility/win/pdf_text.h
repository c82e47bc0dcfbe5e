// pdf_text.h - the job's strings as the writer takes them (UTF-8).
//
// The job holds ANSI strings in the system code page (document
// information, page paths) and UTF-16 strings (contents titles). The
// writer's text is UTF-8.
#pragma once

#include <string>

namespace twpdf {

// An ANSI string in the code page |code_page| (CP_ACP by default); null
// gives "".
std::string AnsiToUtf8(const char* text, unsigned code_page = 0 /* CP_ACP */);
// UTF-16 (surrogate pairs joined; a lone surrogate becomes U+FFFD).
std::string Utf16ToUtf8(const wchar_t* text, size_t length);
std::string Utf16ToUtf8(const wchar_t* text);

}  // namespace twpdf
