// pdf_standard_font.h - the last-resort font: Helvetica, not embedded.
//
// Every PDF reader has Helvetica. The writer uses it only when no TrueType
// font can be embedded at all, so that text still shows. Text goes out in
// WinAnsiEncoding: characters outside it become '?'.
#pragma once

namespace twpdf {

// The WinAnsiEncoding byte of a code point; false when it has none.
bool WinAnsiByte(char32_t cp, unsigned char& byte);
// Advance width of a WinAnsi byte in Helvetica, in 1/1000 em.
int HelveticaWidth(unsigned char byte);

}  // namespace twpdf
