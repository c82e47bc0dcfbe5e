#include "pdf_gdi_fonts.h"

#include <gtest/gtest.h>

#include "pdf_document.h"
#include "pdf_test_util.h"

using namespace twpdf;

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
