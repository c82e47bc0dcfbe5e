#include "pdf_standard_font.h"

namespace twpdf {

bool WinAnsiByte(char32_t cp, unsigned char& byte) {
  if ((cp >= 0x20 && cp < 0x7F) || (cp >= 0xA0 && cp <= 0xFF)) {
    byte = static_cast<unsigned char>(cp);
    return true;
  }
  static const struct {
    char16_t cp;
    unsigned char byte;
  } kUpper[] = {{0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
                {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
                {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
                {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
                {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
                {0x017E, 0x9E}, {0x0178, 0x9F}};
  for (const auto& u : kUpper) {
    if (u.cp == cp) {
      byte = u.byte;
      return true;
    }
  }
  return false;
}

int HelveticaWidth(unsigned char byte) {
  // Helvetica's published metrics for the printable ASCII range.
  static const short kAscii[95] = {
      278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // sp - /
      556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 - ?
      1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // @ - O
      667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P - _
      333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` - o
      556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p - ~
  if (byte >= 0x20 && byte < 0x7F) return kAscii[byte - 0x20];
  if (byte == 0xA0) return 278;
  return 556;  // accented letters and symbols: a typical width
}

}  // namespace twpdf
