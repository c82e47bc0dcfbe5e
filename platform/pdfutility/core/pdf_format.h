// pdf_format.h - the byte forms of PDF tokens.
//
//   FormatNumber    fixed-decimal numbers, independent of the C locale
//   AppendName      a name token with its escapes (/A#20B)
//   AppendLiteral   a (string) with its escapes
//   AppendHex       a <hex string>
//   TextStringBytes a text string: PDFDocEncoding when every character has
//                   a code there, else UTF-16BE with a byte-order mark
//   DecodeUtf8      UTF-8 to code points, bad sequences become U+FFFD
//
// Everything here is deterministic: the same input gives the same bytes on
// every machine and in every locale, which the reproducible-output switch of
// the writer depends on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace twpdf {

// Appends |value| with at most |decimals| digits after the point (0..6),
// rounded half away from zero, trailing zeros and a bare point dropped, no
// exponent, "-0" written as "0". NaN is written as 0; magnitudes beyond
// 1e9 are clamped (readers' implementation limits are far below that).
void FormatNumber(std::string& out, double value, int decimals = 4);
std::string FormatNumber(double value, int decimals = 4);

void AppendName(std::string& out, const std::string& name);
void AppendLiteral(std::string& out, const std::string& bytes);
void AppendHex(std::string& out, const std::string& bytes);

std::u32string DecodeUtf8(const std::string& utf8);
std::string EncodeUtf8(const std::u32string& text);

// Text string bytes (without delimiters) for Info entries, outline titles
// and the like.
std::string TextStringBytes(const std::string& utf8);

// UTF-16BE bytes of one code point (a surrogate pair above U+FFFF).
void AppendUtf16be(std::string& out, char32_t cp);

}  // namespace twpdf
