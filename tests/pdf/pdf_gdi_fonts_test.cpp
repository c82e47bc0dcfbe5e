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
