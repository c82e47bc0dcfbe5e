// pdf_truetype.h - TrueType fonts: reading and subsetting.
//
//   TrueTypeFont   one face of a TrueType font file or collection ('ttcf'),
//                  read from the file's bytes: metrics, character map,
//                  embedding permission, PostScript name; and the subsetter
//                  that writes a font holding only the glyphs a document
//                  uses (composite glyphs take their components along).
//   FontSubset     what the subsetter produces: the font bytes and the
//                  glyph renumbering.
//
// All reads are bounds-checked: a damaged font is refused at Parse, or a
// damaged glyph is left empty in the subset; nothing reads outside the
// bytes handed in. The object is immutable after Parse, so one parsed font
// can serve several writers.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace twpdf {

struct FontSubset {
  std::string data;                // a complete TrueType font
  std::map<uint16_t, uint16_t> new_glyph;  // old glyph id -> glyph id in |data|
};

class TrueTypeFont {
 public:
  // What the font's licence (OS/2 fsType) lets a document do with it.
  enum class Embedding {
    kSubset,      // embed, subsetting allowed
    kWholeFont,   // embed only as the whole font (no-subsetting bit)
    kForbidden,   // restricted licence, or bitmap embedding only
  };

  // The number of faces in |data|: n for a collection, 1 for a plain font,
  // 0 when it is neither.
  static int FaceCount(const std::string& data);
  // Reads face |face| of |data|. Null with a message in |error| when the
  // bytes are not a usable TrueType font (CFF outlines are refused too: the
  // writer embeds glyf outlines only).
  static std::shared_ptr<const TrueTypeFont> Parse(std::shared_ptr<const std::string> data,
                                                   int face, std::string* error);

  // Attributes (font units unless said otherwise).
  int units_per_em() const { return units_per_em_; }
  int glyph_count() const { return glyph_count_; }
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }  // negative below the baseline
  int cap_height() const { return cap_height_; }
  const int* bbox() const { return bbox_; }  // xMin, yMin, xMax, yMax
  double italic_angle() const { return italic_angle_; }
  bool fixed_pitch() const { return fixed_pitch_; }
  // The face is drawn slanted (OS/2 or head style bits, or a slant angle).
  bool italic() const { return italic_; }
  int weight() const { return weight_; }
  uint16_t fs_type() const { return fs_type_; }
  Embedding embedding() const;
  const std::string& postscript_name() const { return postscript_name_; }

  // Glyph of a Unicode code point; 0 (.notdef) when the font has none.
  uint16_t GlyphForCodePoint(char32_t cp) const;
  // Advance width of a glyph.
  int AdvanceWidth(uint16_t glyph) const;

  // Writes a font with .notdef, |glyphs| and every component they use,
  // numbered in ascending order of their old ids. With |whole| every glyph
  // is kept under its own id. Glyph ids beyond the font are ignored.
  // With |unicode| (old glyph id -> code point) the subset gets a character
  // map of those code points in the BMP; PDF readers reach the glyphs by id,
  // but a font with a map is a complete font for every other tool.
  bool Subset(const std::set<uint16_t>& glyphs, bool whole, FontSubset& out, std::string* error,
              const std::map<uint16_t, char32_t>* unicode = nullptr) const;

 private:
  struct Table {
    uint32_t offset = 0;
    uint32_t length = 0;
    bool present = false;
  };
  struct Segment {  // one run of the character map
    char32_t first, last;
    int kind;          // 0: glyph = cp + delta; 1: glyph array; 2: glyph = start + (cp - first)
    int32_t delta;
    uint32_t array_offset;  // kind 1: byte offset of the glyph for |first|
  };

  TrueTypeFont() = default;
  bool ReadTables(int face, std::string* error);
  bool ReadCmap();
  uint16_t LookUpGlyph(char32_t cp) const;  // through the character map
  void ReadNames();
  bool GlyphRange(uint16_t glyph, uint32_t& begin, uint32_t& end) const;
  const Table& table(const char* tag) const;
  uint16_t U16(uint32_t off) const;
  uint32_t U32(uint32_t off) const;

  std::shared_ptr<const std::string> data_;
  std::map<std::string, Table> tables_;
  int units_per_em_ = 1000;
  int glyph_count_ = 0;
  int ascent_ = 0, descent_ = 0, cap_height_ = 0;
  int bbox_[4] = {0, 0, 0, 0};
  double italic_angle_ = 0;
  bool fixed_pitch_ = false;
  bool italic_ = false;
  int weight_ = 400;
  uint16_t fs_type_ = 0;
  bool long_loca_ = false;
  int metric_count_ = 0;
  uint32_t hmtx_offset_ = 0;  // of the table "hmtx", read for every advance
  bool symbol_cmap_ = false;
  std::vector<Segment> segments_;
  static const char32_t kLatinGlyphs = 256;
  uint16_t latin_glyphs_[kLatinGlyphs] = {};  // GlyphForCodePoint of the first code points
  std::string postscript_name_;
};

}  // namespace twpdf
