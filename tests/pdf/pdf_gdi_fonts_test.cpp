#include "pdf_gdi_fonts.h"

#include <gtest/gtest.h>

#include "pdf_document.h"
#include "pdf_test_util.h"

using namespace twpdf;

namespace {

// DejaVu Sans renamed to |family| (same length) with the licence bits
// |fs_type|, written to a file for installing privately.
std::string PatchedDejaVuBytes(const std::string& family, uint16_t fs_type) {
  std::string font = *twpdf_test::DejaVuBytes();
  auto be16 = [&font](size_t off) { return (uint8_t(font[off]) << 8) | uint8_t(font[off + 1]); };
  auto be32 = [&](size_t off) { return (uint32_t(be16(off)) << 16) | be16(off + 2); };
  for (int i = 0, n = be16(4); i < n; ++i) {
    size_t rec = 12 + 16 * i;
    uint32_t off = be32(rec + 8), len = be32(rec + 12);
    if (font.compare(rec, 4, "OS/2") == 0) {
      font[off + 8] = static_cast<char>(fs_type >> 8);
      font[off + 9] = static_cast<char>(fs_type & 0xFF);
    }
    if (font.compare(rec, 4, "name") != 0) continue;
    std::string wide_old, wide_new;
    for (char c : std::string("DejaVu Sans")) wide_old += std::string{'\0', c};
    for (char c : family) wide_new += std::string{'\0', c};
    for (auto [from, to] : {std::make_pair(std::string("DejaVu Sans"), family),
                            std::make_pair(wide_old, wide_new)}) {
      for (size_t at = off; (at = font.find(from, at)) != std::string::npos && at < off + len;)
        font.replace(at, from.size(), to);
    }
  }
  return font;
}

std::string Save(const std::string& bytes, const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return path;
}

std::string PatchedDejaVu(const std::string& family, uint16_t fs_type, const std::string& path) {
  return Save(PatchedDejaVuBytes(family, fs_type), path);
}

// A collection of two fonts: header, both table directories (offsets
// moved), then each font's bytes.
std::string Collection(const std::string& a, const std::string& b) {
  auto be16 = [](const std::string& f, size_t off) { return (uint8_t(f[off]) << 8) | uint8_t(f[off + 1]); };
  auto put32 = [](std::string& f, size_t off, uint32_t v) {
    for (int i = 0; i < 4; ++i) f[off + i] = static_cast<char>(v >> (24 - 8 * i));
  };
  auto get32 = [&](const std::string& f, size_t off) {
    return (uint32_t(be16(f, off)) << 16) | be16(f, off + 2);
  };
  size_t da = 12 + 16 * be16(a, 4), db = 12 + 16 * be16(b, 4);
  size_t base_a = 20 + da + db, base_b = base_a + ((a.size() + 3) & ~size_t(3));
  std::string ttc = std::string("ttcf\0\1\0\0\0\0\0\2", 12) + std::string(8, '\0');
  put32(ttc, 12, 20);
  put32(ttc, 16, static_cast<uint32_t>(20 + da));
  for (auto [font, dir, base] : {std::make_tuple(&a, da, base_a), std::make_tuple(&b, db, base_b)}) {
    std::string d = font->substr(0, dir);
    for (size_t i = 0; i < (dir - 12) / 16; ++i)
      put32(d, 12 + 16 * i + 8, get32(d, 12 + 16 * i + 8) + static_cast<uint32_t>(base));
    ttc += d;
  }
  ttc += a + std::string(base_b - base_a - a.size(), '\0') + b;
  return ttc;
}

}  // namespace

// A face whose licence forbids embedding is replaced by another installed
// font; the same face with an open licence is used as it is.
TEST(GdiFonts, FaceThatMayNotBeEmbeddedIsReplaced) {
  if (!twpdf_test::DejaVuBytes()) GTEST_SKIP() << "DejaVu Sans is not installed on the host";
  std::string locked = PatchedDejaVu("Lockedx Fnt", 0x0002, twpdf_test::OutputFolder() + "locked.ttf");
  std::string open = PatchedDejaVu("Openxxx Fnt", 0x0000, twpdf_test::OutputFolder() + "open.ttf");
  ASSERT_GT(AddFontResourceExA(locked.c_str(), FR_PRIVATE, nullptr), 0);
  ASSERT_GT(AddFontResourceExA(open.c_str(), FR_PRIVATE, nullptr), 0);
  GdiFontSource source;
  std::string used, error;
  auto font = source.Load("Openxxx Fnt", FW_NORMAL, false, &used, &error);
  ASSERT_TRUE(font) << error;
  EXPECT_EQ(used, "Openxxx Fnt");
  EXPECT_EQ(font->fs_type(), 0);
  {  // GDI does hand out the locked face itself ...
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT locked_font = CreateFontA(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                    "Lockedx Fnt");
    HGDIOBJ old = SelectObject(dc, locked_font);
    auto raw = GdiFontSource::ReadSelectedFont(dc, &error);
    ASSERT_TRUE(raw) << error;
    EXPECT_EQ(raw->embedding(), TrueTypeFont::Embedding::kForbidden);
    SelectObject(dc, old);
    DeleteObject(locked_font);
    DeleteDC(dc);
  }
  // ... and the source replaces it.
  font = source.Load("Lockedx Fnt", FW_NORMAL, false, &used, &error);
  ASSERT_TRUE(font) << error;
  EXPECT_NE(used, "Lockedx Fnt");
  EXPECT_NE(font->embedding(), TrueTypeFont::Embedding::kForbidden);
  RemoveFontResourceExA(locked.c_str(), FR_PRIVATE, nullptr);
  RemoveFontResourceExA(open.c_str(), FR_PRIVATE, nullptr);
}

// GDI hands out a face of a collection: the writer finds which one by its
// table directory and reads that face's tables.
TEST(GdiFonts, FaceOfACollectionIsRead) {
  if (!twpdf_test::DejaVuBytes()) GTEST_SKIP() << "DejaVu Sans is not installed on the host";
  std::string ttc = Collection(PatchedDejaVuBytes("Collone Fnt", 0x0000),
                               PatchedDejaVuBytes("Colltwo Fnt", 0x0008));
  ASSERT_EQ(TrueTypeFont::FaceCount(ttc), 2);
  std::string path = Save(ttc, twpdf_test::OutputFolder() + "pair.ttc");
  ASSERT_GT(AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr), 0);
  GdiFontSource source;
  std::string used, error;
  for (auto [face, fs_type] : {std::make_pair("Colltwo Fnt", 8), std::make_pair("Collone Fnt", 0)}) {
    auto font = source.Load(face, FW_NORMAL, false, &used, &error);
    ASSERT_TRUE(font) << error;
    EXPECT_EQ(used, face);
    EXPECT_EQ(font->fs_type(), fs_type) << face;
    EXPECT_NE(font->GlyphForCodePoint('A'), 0);
  }
  RemoveFontResourceExA(path.c_str(), FR_PRIVATE, nullptr);
}

TEST(GdiFonts, InstalledFontIsReadAndMissingFaceFallsBack) {
  GdiFontSource source;
  std::string used, error;
  auto font = source.Load("DejaVu Sans", FW_NORMAL, false, &used, &error);
  ASSERT_TRUE(font) << error;
  EXPECT_NE(font->GlyphForCodePoint('A'), 0);
  EXPECT_EQ(source.Load("DejaVu Sans", FW_NORMAL, false), font);  // cached
  auto bold = source.Load("DejaVu Sans", FW_BOLD, false, &used, &error);
  ASSERT_TRUE(bold) << error;
  EXPECT_GE(bold->weight(), 600);

  // A face that is not installed still gives an embeddable font.
  auto other = source.Load("No Such Face 123", FW_NORMAL, true, &used, &error);
  ASSERT_TRUE(other) << error;
  EXPECT_FALSE(used.empty());
  EXPECT_NE(other->embedding(), TrueTypeFont::Embedding::kForbidden);

  // Written through GDI's bytes: the native checks look for it in pdffonts.
  DocumentWriter w;
  ASSERT_TRUE(w.Open(twpdf_test::OutputFolder() + "gdi-font.pdf"));
  int id = w.AddFont(bold, &error);
  ASSERT_GE(id, 0) << error;
  Page& p = w.BeginPage(300, 200);
  p.ShowText(id, 14, 20, 100, "GDI bold \xCE\xA9");
  EXPECT_TRUE(w.Close()) << w.error();
}

#include "pdf_text.h"

TEST(PdfText, JobStringsBecomeUtf8) {
  EXPECT_EQ(AnsiToUtf8(nullptr), "");
  EXPECT_EQ(AnsiToUtf8("Caf\xE9 \x80", 1252), "Caf\xC3\xA9 \xE2\x82\xAC");
  EXPECT_EQ(AnsiToUtf8("\xA2\xB8", 1253), "\xCE\x86\xCE\x88");  // Greek code page
  const wchar_t title[] = {L'\u00DC', L'b', 0xD83D, 0xDE00, 0xDC00, L'x', 0};
  EXPECT_EQ(Utf16ToUtf8(title), "\xC3\x9C" "b\xF0\x9F\x98\x80\xEF\xBF\xBDx");
}
