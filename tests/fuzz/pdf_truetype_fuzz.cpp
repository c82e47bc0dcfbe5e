// Fuzz target: a font file (or collection) as it might come from GetFontData
// or a damaged system font, and the same bytes as a JPEG.
#include <cstdint>
#include <string>

#include "pdf_format.h"
#include "pdf_jpeg.h"
#include "pdf_truetype.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto bytes = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
  // Text: decoding is total and re-encoding gives back the same characters.
  // The encoders go character by character, so the first bytes show all
  // they do; on the whole of a font they took four fifths of the time.
  const std::string head = bytes->substr(0, 512);
  std::u32string text = twpdf::DecodeUtf8(head);
  if (twpdf::DecodeUtf8(twpdf::EncodeUtf8(text)) != text) __builtin_trap();
  std::string out;
  twpdf::AppendLiteral(out, twpdf::TextStringBytes(head));
  twpdf::AppendName(out, head);
  twpdf::JpegInfo info;
  twpdf::ReadJpegInfo(*bytes, info, nullptr);
  int faces = twpdf::TrueTypeFont::FaceCount(*bytes);
  for (int face = 0; face < faces && face < 2; ++face) {
    std::string error;
    auto font = twpdf::TrueTypeFont::Parse(bytes, face, &error);
    if (!font) continue;
    std::set<uint16_t> glyphs;
    std::map<uint16_t, char32_t> unicode;
    for (char32_t cp : std::u32string(U"Aa \u00E9\u01FA\u03A9\U0001D538")) {
      uint16_t g = font->GlyphForCodePoint(cp);
      glyphs.insert(g);
      unicode[g] = cp;
      font->AdvanceWidth(g);
    }
    for (int g = 0; g < 8; ++g) glyphs.insert(static_cast<uint16_t>(font->glyph_count() - 1 - g));
    twpdf::FontSubset subset;
    if (font->Subset(glyphs, false, subset, &error, &unicode)) {
      // The subset must read back as a font.
      auto again = twpdf::TrueTypeFont::Parse(
          std::make_shared<const std::string>(subset.data), 0, &error);
      if (!again) __builtin_trap();
    }
  }
  return 0;
}
