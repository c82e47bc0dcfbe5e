// host.h - the one interface through which the layout core reaches the
// outside world: fonts, text measurement, images and files.
//
//   FontRequest, FontMetrics   what the core asks for, what the host answers
//   LayoutHost                 the abstract host (GDI host in gdi/, a fixed
//                              metric test host in the tests)
//
// Units are CSS px (1/96 inch) throughout, as in display_list.h. The core
// never paints: it produces a DisplayList, and the host's painter (or the PDF
// writer) turns that into pixels or page content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tw {
namespace layout {

struct StyleSheet;  // css.h

using FontHandle = uintptr_t;   // 0 = none
using ImageHandle = uintptr_t;  // 0 = none / not decodable

struct FontRequest {
  std::string family;  // CSS family list as written: "Verdana, Arial, sans-serif"
                       // (generic names: serif, sans-serif, monospace,
                       // cursive, fantasy). The host picks the first it has.
  float size = 16;     // em size in px, already clamped by the core to 1..2000
  int weight = 400;    // 100..900
  bool italic = false;
};

struct FontMetrics {
  std::string face;   // face name actually chosen
  float ascent = 0;   // px above the baseline
  float descent = 0;  // px below the baseline (positive)
  float xHeight = 0;  // px; 0 = unknown (the core then uses 0.5em)
};

class LayoutHost {
 public:
  virtual ~LayoutHost() = default;

  // Opens a font; fills metrics. Never fails: a host with nothing better
  // returns some default font. The handle stays valid until ReleaseFont.
  virtual FontHandle openFont(const FontRequest& request, FontMetrics* metrics) = 0;
  virtual void releaseFont(FontHandle font) = 0;

  // Advance widths in px of n UTF-16 code units, one per unit (the second
  // unit of a surrogate pair gets 0). The core caches the results per
  // font and code unit, so this is called once per distinct character.
  virtual void measureChars(FontHandle font, const char16_t* text, size_t n, float* advances) = 0;

  // Decodes the image at a resolved url (file:///... or a path). Returns 0
  // when it cannot be read or decoded; else its pixel size in *width,
  // *height. The handle stays valid until ReleaseImage.
  virtual ImageHandle loadImage(const std::string& url, int* width, int* height) = 0;
  virtual void releaseImage(ImageHandle image) = 0;

  // Reads a text resource (a linked style sheet) at a resolved url into
  // *bytes; false when it cannot be read. The core limits what it accepts.
  virtual bool loadText(const std::string& url, std::string* bytes) = 0;

  // A linked style sheet (or @import) at a resolved url, already parsed:
  // a host that lays out many pages linking the same sheets parses each
  // once. Null (the default) makes the core read it with loadText and parse
  // it itself. The core only reads the sheet and keeps it while a document
  // uses it; it charges sheet->sourceBytes to its limits and follows
  // sheet->imports (against this url) as it would for a sheet it parsed.
  virtual std::shared_ptr<const StyleSheet> loadStyleSheet(const std::string& url) {
    (void)url;
    return nullptr;
  }
};

}  // namespace layout
}  // namespace tw
