#include "pdf_truetype.h"

#include <gtest/gtest.h>

#include "pdf_document.h"
#include "pdf_format.h"
#include "pdf_test_util.h"

using namespace twpdf;
using twpdf_test::DejaVu;
using twpdf_test::DejaVuBytes;

namespace {

uint32_t Be32(const std::string& s, size_t off) {
  return (uint32_t(uint8_t(s[off])) << 24) | (uint32_t(uint8_t(s[off + 1])) << 16) |
         (uint32_t(uint8_t(s[off + 2])) << 8) | uint8_t(s[off + 3]);
}
uint16_t Be16(const std::string& s, size_t off) {
  return static_cast<uint16_t>((uint8_t(s[off]) << 8) | uint8_t(s[off + 1]));
}
void SetBe32(std::string& s, size_t off, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[off + i] = static_cast<char>(v >> (24 - 8 * i));
}

// Offset and length of a table in a plain font.
bool FindTable(const std::string& font, const char* tag, uint32_t& off, uint32_t& len) {
  uint16_t n = Be16(font, 4);
  for (uint16_t i = 0; i < n; ++i) {
    size_t rec = 12 + 16u * i;
    if (font.compare(rec, 4, tag) == 0) {
      off = Be32(font, rec + 8);
      len = Be32(font, rec + 12);
      return true;
    }
  }
  return false;
}

// Component glyph ids of a composite glyph in a font with long loca.
std::vector<uint16_t> Components(const std::string& font, uint16_t glyph) {
  uint32_t loca, loca_len, glyf, glyf_len;
  std::vector<uint16_t> out;
  if (!FindTable(font, "loca", loca, loca_len) || !FindTable(font, "glyf", glyf, glyf_len))
    return out;
  uint32_t begin = glyf + Be32(font, loca + 4u * glyph), end = glyf + Be32(font, loca + 4u * glyph + 4);
  if (end - begin < 10 || static_cast<int16_t>(Be16(font, begin)) >= 0) return out;
  uint32_t pos = begin + 10;
  for (;;) {
    uint16_t flags = Be16(font, pos);
    out.push_back(Be16(font, pos + 2));
    pos += 4 + ((flags & 1) ? 4 : 2) + ((flags & 8) ? 2 : (flags & 0x40) ? 4 : (flags & 0x80) ? 8 : 0);
    if (!(flags & 0x20) || pos >= end) break;
  }
  return out;
}

std::string WithFsType(uint16_t fs_type) {
  std::string bytes = *DejaVuBytes();
  uint32_t off, len;
  EXPECT_TRUE(FindTable(bytes, "OS/2", off, len));
  bytes[off + 8] = static_cast<char>(fs_type >> 8);
  bytes[off + 9] = static_cast<char>(fs_type & 0xFF);
  return bytes;
}

}  // namespace

class TrueType : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DejaVuBytes()) GTEST_SKIP() << "DejaVu Sans is not installed on the host";
  }
};

TEST_F(TrueType, ReadsMetricsMapAndName) {
  auto font = DejaVu();
  ASSERT_TRUE(font);
  EXPECT_EQ(font->units_per_em(), 2048);
  EXPECT_EQ(font->postscript_name(), "DejaVuSans");
  EXPECT_GT(font->ascent(), 0);
  EXPECT_LT(font->descent(), 0);
  EXPECT_EQ(font->embedding(), TrueTypeFont::Embedding::kSubset);
  uint16_t a = font->GlyphForCodePoint('A');
  EXPECT_NE(a, 0);
  EXPECT_NE(font->GlyphForCodePoint(0x03A9), 0);   // Ω
  EXPECT_NE(font->GlyphForCodePoint(0x1D538), 0);  // beyond the BMP: the format-12 map
  EXPECT_EQ(font->GlyphForCodePoint(0x10FFFD), 0);
  EXPECT_EQ(font->AdvanceWidth(a), 1401);
}

TEST_F(TrueType, SubsetKeepsGlyphsComponentsAndWidths) {
  auto font = DejaVu();
  ASSERT_TRUE(font);
  // Ǻ (U+01FA) is built from other glyphs, one of which is itself composite.
  std::set<uint16_t> wanted;
  std::map<uint16_t, char32_t> unicode;
  for (char32_t cp : std::u32string(U"Hi \u00E9\u01FA\u03A9")) {
    wanted.insert(font->GlyphForCodePoint(cp));
    unicode[font->GlyphForCodePoint(cp)] = cp;
  }
  FontSubset subset;
  std::string error;
  ASSERT_TRUE(font->Subset(wanted, false, subset, &error, &unicode)) << error;
  EXPECT_GT(subset.new_glyph.size(), wanted.size() + 1);  // components came along
  EXPECT_LT(subset.data.size(), 20000u);

  // The subset is a font of its own, its character map leading to the new ids.
  auto parsed = TrueTypeFont::Parse(std::make_shared<const std::string>(subset.data), 0, &error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(parsed->glyph_count(), static_cast<int>(subset.new_glyph.size()));
  for (const auto& u : unicode) EXPECT_EQ(parsed->GlyphForCodePoint(u.second), subset.new_glyph[u.first]);
  EXPECT_EQ(parsed->GlyphForCodePoint('x'), 0);
  EXPECT_EQ(parsed->postscript_name(), "DejaVuSans");
  std::string copy = subset.data;
  int composites = 0;
  for (const auto& m : subset.new_glyph) {
    std::vector<uint16_t> parts = Components(copy, m.second);
    composites += !parts.empty();
    for (uint16_t p : parts) EXPECT_LT(p, subset.new_glyph.size()) << "component outside the subset";
  }
  EXPECT_GE(composites, 2);
  // hmtx of the subset: the old advance widths under the new ids.
  uint32_t hmtx, len;
  ASSERT_TRUE(FindTable(copy, "hmtx", hmtx, len));
  EXPECT_EQ(len, 4 * subset.new_glyph.size());
  for (const auto& m : subset.new_glyph)
    EXPECT_EQ(Be16(copy, hmtx + 4u * m.second), font->AdvanceWidth(m.first));
  // Whole-font checksum: 0xB1B0AFBA over the file with the adjustment in.
  uint32_t sum = 0;
  for (size_t i = 0; i + 3 < copy.size(); i += 4) sum += Be32(copy, i);
  EXPECT_EQ(sum, 0xB1B0AFBAu);
}

TEST_F(TrueType, CollectionFacesAreRead) {
  const std::string& font = *DejaVuBytes();
  uint16_t n = Be16(font, 4);
  size_t dir = 12 + 16u * n;
  size_t base = 12 + 4 * 2 + 2 * dir;
  std::string ttc = "ttcf";
  ttc += std::string("\x00\x01\x00\x00\x00\x00\x00\x02", 8);
  ttc += std::string(8, '\0');
  SetBe32(ttc, 12, 20);
  SetBe32(ttc, 16, static_cast<uint32_t>(20 + dir));
  for (int face = 0; face < 2; ++face) {
    std::string d = font.substr(0, dir);
    for (uint16_t i = 0; i < n; ++i) SetBe32(d, 12 + 16u * i + 8, Be32(d, 12 + 16u * i + 8) + base);
    ttc += d;
  }
  ttc += font;
  auto bytes = std::make_shared<const std::string>(ttc);
  EXPECT_EQ(TrueTypeFont::FaceCount(ttc), 2);
  std::string error;
  auto face1 = TrueTypeFont::Parse(bytes, 1, &error);
  ASSERT_TRUE(face1) << error;
  EXPECT_EQ(face1->AdvanceWidth(face1->GlyphForCodePoint('A')), 1401);
  FontSubset subset;
  EXPECT_TRUE(face1->Subset({face1->GlyphForCodePoint('A')}, false, subset, &error));
  EXPECT_FALSE(TrueTypeFont::Parse(bytes, 2, &error));
  EXPECT_FALSE(TrueTypeFont::Parse(bytes, -1, &error));
}

TEST_F(TrueType, LicenceBitsDecideEmbedding) {
  struct Case {
    uint16_t fs_type;
    TrueTypeFont::Embedding expected;
  } cases[] = {
      {0x0000, TrueTypeFont::Embedding::kSubset},
      {0x0002, TrueTypeFont::Embedding::kForbidden},   // restricted licence
      {0x0006, TrueTypeFont::Embedding::kSubset},      // restricted + preview: preview wins
      {0x0004, TrueTypeFont::Embedding::kSubset},
      {0x0108, TrueTypeFont::Embedding::kWholeFont},   // editable, no subsetting
      {0x0200, TrueTypeFont::Embedding::kForbidden},   // bitmaps only
  };
  for (const Case& c : cases) {
    auto font = TrueTypeFont::Parse(std::make_shared<const std::string>(WithFsType(c.fs_type)), 0, nullptr);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->embedding(), c.expected) << std::hex << c.fs_type;
  }
  auto forbidden = TrueTypeFont::Parse(std::make_shared<const std::string>(WithFsType(2)), 0, nullptr);
  DocumentWriter writer;
  std::string error;
  EXPECT_EQ(writer.AddFont(forbidden, &error), -1);
  EXPECT_NE(error.find("does not allow embedding"), std::string::npos) << error;
}

TEST_F(TrueType, DamagedFontsAreRefusedOrSurvived) {
  const std::string& font = *DejaVuBytes();
  std::string error;
  for (size_t cut : {0, 4, 11, 12, 100, 400, 5000, 200000}) {
    auto f = TrueTypeFont::Parse(std::make_shared<const std::string>(font.substr(0, cut)), 0, &error);
    EXPECT_FALSE(f) << cut;
    EXPECT_FALSE(error.empty());
  }
  // Scribbled table directory and glyph data: whatever parses must subset
  // without reading outside the bytes.
  for (int seed = 1; seed <= 40; ++seed) {
    std::string bytes = font;
    uint32_t state = seed * 2654435761u;
    for (int k = 0; k < 30; ++k) {
      state = state * 1664525u + 1013904223u;
      size_t at = (k < 15) ? 12 + state % (16 * Be16(font, 4)) : state % bytes.size();
      bytes[at] = static_cast<char>(state >> 24);
    }
    auto f = TrueTypeFont::Parse(std::make_shared<const std::string>(bytes), 0, &error);
    if (!f) continue;
    FontSubset subset;
    std::set<uint16_t> glyphs;
    for (char32_t cp : std::u32string(U"Abc\u00C5\u01FA")) glyphs.insert(f->GlyphForCodePoint(cp));
    f->Subset(glyphs, false, subset, &error);
    for (uint16_t g : glyphs) f->AdvanceWidth(g);
  }
}
