#include "pdf_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pdf_page_setup.h"
#include "pdf_test_util.h"
#include "pdf_truetype.h"

using namespace twpdf;
using twpdf_test::DejaVu;
using twpdf_test::OutputFolder;

namespace {

// Passes |limit| bytes on, then fails like a full disk.
class FullDisk : public OutputStage {
 public:
  explicit FullDisk(size_t limit) : limit_(limit) {}
  using OutputStage::Write;
  bool Write(const void*, size_t size) override {
    if (written_ + size > limit_) {
      error_ = "There is not enough space on the disk.";
      return false;
    }
    written_ += size;
    return true;
  }
  bool Finish() override { return error_.empty(); }
  const std::string& error() const override { return error_; }

 private:
  size_t limit_, written_ = 0;
  std::string error_;
};

PageSetup TestSetup() {
  PageSetup s;
  s.width_in = 21.0 / 2.54;  // A4
  s.height_in = 29.7 / 2.54;
  s.margin_left_in = s.margin_right_in = 1;
  s.margin_top_in = s.margin_bottom_in = 0.75;
  s.header_separator = s.footer_separator = true;
  s.header_left = "Left head";
  s.header_center = "Tomewise help";
  s.header_right = "\xCE\xA9 right";  // Ω
  s.footer_center = "Footer centre";
  return s;
}

// The document the native checks look at: two A4 pages with header and
// footer, text with characters outside the ANSI code page, an image, an
// internal link to an anchor on page 2, a link to a missing anchor, a URI
// link, a nested outline with a non-ANSI title and document information.
bool WriteSample(OutputStage* memory, const std::string& path, const WriterOptions& options,
                 std::string* error) {
  DocumentWriter w(options);
  if (memory ? !w.Open(*memory) : !w.Open(path)) {
    *error = w.error();
    return false;
  }
  int font = w.AddFont(DejaVu(), error);
  if (font < 0) return false;
  PageSetup setup = TestSetup();
  PageGeometry g = ComputeGeometry(setup);
  int image = w.AddJpeg(twpdf_test::TinyJpeg(), error);
  if (image < 0) return false;
  std::string rgb;
  for (int i = 0; i < 16 * 16; ++i) rgb += std::string{char(i), char(255 - i), char(i * 7)};
  std::string alpha(256, '\x80');
  int raw = w.AddRgbImage(16, 16, rgb, &alpha, error);
  if (raw < 0) return false;

  Page& p1 = w.BeginPage(g.width, g.height);
  DecoratePage(w, p1, setup, g, font);
  double y = g.top - 20;
  p1.ShowText(font, 16, g.left, y, "Chapter One");
  p1.ShowText(font, 11, g.left, y - 24, "Gr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln f\xC3\xBCr \xCE\xA9mega");
  double w1 = p1.ShowText(font, 11, g.left, y - 48, "Go to the anchor");
  p1.AddLink(g.left, y - 52, g.left + w1, y - 38, LinkTarget::Named("page2.htm#anchor"));
  p1.AddLink(g.left, y - 70, g.left + 50, y - 60, LinkTarget::Named("missing.htm"));
  p1.AddLink(g.left, y - 90, g.left + 50, y - 80, LinkTarget::PageAt(7));
  p1.AddUriLink(g.left, y - 110, g.left + 50, y - 100, "http://example.com/a?b=(c)");
  p1.DrawImage(image, g.left, y - 200, 64, 64);
  p1.DrawImage(raw, g.left + 80, y - 200, 64, 64);
  if (!w.EndPage()) return false;

  Page& p2 = w.BeginPage(g.width, g.height);
  DecoratePage(w, p2, setup, g, font);
  p2.ShowText(font, 11, g.left, g.top - 300, "Second page text");
  p2.DefineDestination("page2.htm#anchor", g.left, g.top - 290);
  p2.DefineDestination("page2.htm#anchor", g.left, g.top - 10);  // the first definition counts

  int top = w.AddOutlineItem(0, "Chapter One", LinkTarget::PageAt(0));
  w.AddOutlineItem(top, "\xC3\x9C" "berblick \xE2\x80\x93 \xCE\xA9", LinkTarget::Named("page2.htm#anchor"));
  w.AddOutlineItem(top, "Nowhere", LinkTarget::Named("missing.htm"));
  w.AddOutlineItem(0, "Appendix", LinkTarget::PageAt(1));
  DocumentInfo info;
  info.title = "Sample \xCE\xA9 title";
  info.author = "Ann Author";
  info.subject = "Subject line";
  info.keywords = "one, two";
  info.creator = "Creator app";
  info.producer = "DER ov AZA voderezev 1.1";
  w.SetInfo(info);
  if (!w.Close()) {
    *error = w.error();
    return false;
  }
  return true;
}

class Document : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DejaVu()) GTEST_SKIP() << "DejaVu Sans is not installed on the host";
  }
};

}  // namespace

TEST_F(Document, SampleIsWrittenAndLinksToMissingTargetsAreLeftOut) {
  std::string path = OutputFolder() + "sample.pdf", error;
  ASSERT_TRUE(WriteSample(nullptr, path, WriterOptions(), &error)) << error;
  std::string pdf = twpdf_test::ReadFile(path);
  EXPECT_EQ(pdf.compare(0, 8, "%PDF-1.4"), 0);
  EXPECT_EQ(pdf.compare(pdf.size() - 6, 6, "%%EOF\n"), 0);
  // Uncompressed copy for the native checks to read structure from.
  WriterOptions plain;
  plain.compress = false;
  plain.reproducible = true;
  ASSERT_TRUE(WriteSample(nullptr, OutputFolder() + "sample-plain.pdf", plain, &error)) << error;
}

TEST_F(Document, ReproducibleOutputIsByteIdentical) {
  WriterOptions options;
  options.reproducible = true;
  MemoryOutput a, b;
  std::string error;
  ASSERT_TRUE(WriteSample(&a, "", options, &error)) << error;
  ASSERT_TRUE(WriteSample(&b, "", options, &error)) << error;
  EXPECT_EQ(a.data(), b.data());
  EXPECT_EQ(a.data().find("CreationDate"), std::string::npos);
}

// Beyond one node of the page tree and of the destination name tree: 300
// pages, 300 anchors, links and outline items into the far pages.
TEST_F(Document, ManyPagesAndDestinationsFormBalancedTrees) {
  DocumentWriter w;
  ASSERT_TRUE(w.Open(OutputFolder() + "many.pdf"));
  int font = w.AddFont(DejaVu());
  int icon = w.AddJpeg(twpdf_test::TinyJpeg());
  std::string rgb(4 * 4 * 3, '\x7F');
  int swatch = w.AddRgbImage(4, 4, rgb, nullptr);
  for (int i = 0; i < 300; ++i) {
    Page& p = w.BeginPage(200, 200);
    // The same image on every page is stored once.
    ASSERT_EQ(w.AddJpeg(twpdf_test::TinyJpeg()), icon);
    ASSERT_EQ(w.AddRgbImage(4, 4, rgb, nullptr), swatch);
    p.DrawImage(icon, 150, 150, 20, 20);
    p.ShowText(font, 10, 10, 100, "Page " + std::to_string(i + 1));
    p.DefineDestination("a" + std::to_string(1000 + i), 10, 150);
    if (i == 0) {
      p.AddLink(10, 10, 50, 20, LinkTarget::Named("a1277"));  // page 278
      p.AddUriLink(10, 30, 50, 40, "http://example.com/\xC3\xA4 b");
    }
  }
  w.AddOutlineItem(0, "To page 278", LinkTarget::Named("a1277"));
  w.AddOutlineItem(0, "To page 131", LinkTarget::PageAt(130));
  rgb[5] = 0;
  EXPECT_NE(w.AddRgbImage(4, 4, rgb, nullptr), swatch);
  // Decoder pixels (BGRA, padded rows, premultiplied) give the same image
  // as the RGB and alpha they stand for.
  const unsigned char bgra[2 * 12] = {10, 20, 30, 255, 0, 0, 0, 0, 0, 0, 0, 0,
                                      50, 25, 0, 128, 3, 2, 1, 255, 9, 9, 9, 9};
  std::string plain_rgb{30, 20, 10, 0, 0, 0, 0, 50, 100, 1, 2, 3};
  std::string plain_alpha{'\xFF', 0, '\x80', '\xFF'};
  int decoded = w.AddBgraImage(2, 2, bgra, 12, true);
  EXPECT_GE(decoded, 0);
  EXPECT_EQ(w.AddRgbImage(2, 2, plain_rgb, &plain_alpha), decoded);
  std::string error;
  EXPECT_EQ(w.AddBgraImage(2, 2, bgra, 7, false, &error), -1);  // rows overlap
  EXPECT_EQ(w.AddRgbImage(2, 2, plain_rgb, &rgb, &error), -1);   // alpha of the wrong size
  EXPECT_EQ(w.AddRgbImage(0, 2, "", nullptr, &error), -1);
  EXPECT_EQ(error, "image data does not match its size");
  EXPECT_TRUE(w.Close()) << w.error();
}

// Pages painted away from the writer, in any order, give the file that
// painting each in place gives: they name their own fonts and images, and
// their links, positions and glyphs reach the document when it takes them.
// An image a page leaves unbound draws nothing and the file stays sound. A
// page trimmed while it waits, then painted on, is the same page.
TEST_F(Document, PagesPaintedApartInAnyOrderWriteTheSameFile) {
  enum Mode { kInPlace, kApartInOrder, kApartReversed, kApartUnbound, kApartTrimmed };
  const std::shared_ptr<const TrueTypeFont> dejavu = DejaVu();
  auto paint = [&](Page& p, int i, int font, bool trim) {  // font: a writer font, or -1 for the page's own
    const std::u32string text = i == 0 ? U"First \u00e9t\u00e9" : U"Second \u03a9 page";
    const std::u32string more = U"st\u00e9 \u03a9 again, and new";  // glyphs met before and new ones
    for (const std::u32string* t : {&text, &more}) {
      const double y = t == &text ? 150 : 135;
      if (font >= 0)
        p.ShowText(font, 12, 20, y, t->data(), t->size());
      else
        p.ShowTextIn(p.UseFont(dejavu), 12, 20, y, t->data(), t->size());
      if (trim) p.Trim();
    }
    p.SetFillColor(0, 0, 1);
    p.FillRect(20, 20, 30, 30);
    p.AddUriLink(20, 100, 80, 110, "http://example.com/" + std::to_string(i));
    p.AddLink(20, 120, 80, 130, LinkTarget::Named(i == 0 ? "b" : "a"));
    p.DefineDestination(i == 0 ? "a" : "b", 20, 180);
  };
  auto write = [&](Mode mode, const std::string& name) {
    WriterOptions options;
    options.reproducible = true;
    DocumentWriter w(options);
    EXPECT_TRUE(w.Open(OutputFolder() + name));
    std::vector<Page> painted;
    if (mode != kInPlace) {
      painted.emplace_back(200, 200);
      painted.emplace_back(200, 200);
      for (int n = 0; n < 2; ++n) {
        const int i = mode == kApartReversed ? 1 - n : n;
        paint(painted[i], i, -1, mode == kApartTrimmed);
        painted[i].DrawUsedImage(painted[i].UseImage(7), 100, 20, 40, 40);
      }
    }
    const int font = mode == kInPlace ? w.AddFont(dejavu) : -1;
    for (int i = 0; i < 2; ++i) {
      Page& p = mode == kInPlace ? w.BeginPage(200, 200) : w.BeginPage(std::move(painted[i]));
      const int image = w.AddJpeg(twpdf_test::TinyJpeg());
      if (mode == kInPlace) {
        paint(p, i, font, false);
        p.DrawImage(image, 100, 20, 40, 40);
      } else {
        EXPECT_EQ(p.index(), i);
        EXPECT_EQ(p.used_image_count(), 1);
        EXPECT_EQ(p.used_image_tag(0), 7);
        if (mode != kApartUnbound) p.BindImage(0, image);
      }
      w.EndPage();
    }
    EXPECT_TRUE(w.Close()) << w.error();
    return twpdf_test::ReadFile(OutputFolder() + name);
  };
  const std::string in_place = write(kInPlace, "painted-in-place.pdf");
  EXPECT_TRUE(write(kApartInOrder, "painted-apart.pdf") == in_place);
  EXPECT_TRUE(write(kApartReversed, "painted-apart.pdf") == in_place);
  EXPECT_TRUE(write(kApartTrimmed, "painted-apart.pdf") == in_place);
  const std::string unbound = write(kApartUnbound, "painted-unbound.pdf");
  EXPECT_NE(unbound.find("/Subtype /Form"), std::string::npos);
}

// A face without bold or italic is drawn bold by stroking and italic by
// slanting; it is embedded once for both uses.
TEST_F(Document, SyntheticStylesShareTheEmbeddedFont) {
  auto font = DejaVu();
  SyntheticStyle style = SyntheticStyle::For(*font, 700, true);
  EXPECT_TRUE(style.bold);
  EXPECT_TRUE(style.italic);
  EXPECT_FALSE(SyntheticStyle::For(*font, 400, false).bold);
  WriterOptions options;
  options.compress = false;
  DocumentWriter w(options);
  ASSERT_TRUE(w.Open(OutputFolder() + "styles.pdf"));
  int regular = w.AddFont(font);
  int styled = w.AddFont(font, nullptr, style);
  EXPECT_NE(regular, styled);
  EXPECT_EQ(w.AddFont(font), regular);
  Page& p = w.BeginPage(300, 100);
  p.ShowText(regular, 12, 10, 60, "Regular line");
  p.SaveState();
  p.SetFillColor(1, 0, 0);
  p.ShowText(styled, 12, 10, 30, "Bold italic line");
  p.RestoreState();
  p.RestoreState();  // one too many: left out
  EXPECT_TRUE(w.Close()) << w.error();
  std::string pdf = twpdf_test::ReadFile(OutputFolder() + "styles.pdf");
  // The page names the two styles apart; both lead to the one embedded font.
  EXPECT_NE(pdf.find("q 1 0 0 RG 0.4 w BT /F2 12 Tf 1 0 0.2126 1 10 30 Tm 2 Tr <"), std::string::npos);
  size_t files = 0;
  for (size_t at = 0; (at = pdf.find("/FontFile2", at)) != std::string::npos; ++at) ++files;
  EXPECT_EQ(files, 1u);
  size_t q = 0, Q = 0;
  for (size_t at = 0; (at = pdf.find("\nQ\n", at)) != std::string::npos; ++at) ++Q;
  for (size_t at = 0; (at = pdf.find("\nq\n", at)) != std::string::npos; ++at) ++q;
  EXPECT_EQ(q, Q);
}

TEST_F(Document, EmptyDocumentAndEmptyPageStillOpen) {
  {
    DocumentWriter w;
    ASSERT_TRUE(w.Open(OutputFolder() + "empty.pdf"));
    EXPECT_TRUE(w.Close()) << w.error();
    EXPECT_EQ(w.page_count(), 1);
  }
  DocumentWriter w;
  ASSERT_TRUE(w.Open(OutputFolder() + "blank-page.pdf"));
  w.BeginPage(0, -5);  // clamped to the smallest page readers take
  w.BeginPage(612, 792);
  w.AddOutlineItem(0, "Only title");
  EXPECT_TRUE(w.Close()) << w.error();
  EXPECT_EQ(w.page_count(), 2);
}

TEST_F(Document, WriteFailuresAreReportedAndLeaveNoFile) {
  // A full disk at every stage of the file: the header, a page, the fonts,
  // the cross-reference table, the last byte.
  auto write = [](OutputStage& out, DocumentWriter& w) {
    w.Open(out);
    int font = w.AddFont(DejaVu());
    for (int i = 0; i < 3; ++i) {
      Page& p = w.BeginPage(300, 300);
      p.ShowText(font, 10, 10, 10, "Page text \xCE\xA9");
      w.EndPage();
    }
    return w.Close();
  };
  MemoryOutput whole;
  DocumentWriter measure;
  ASSERT_TRUE(write(whole, measure));
  size_t size = whole.data().size();
  for (size_t limit : {size_t(5), size / 10, size / 2, size - 200, size - 1}) {
    FullDisk disk(limit);
    DocumentWriter w;
    EXPECT_FALSE(write(disk, w)) << limit;
    EXPECT_TRUE(w.failed());
    EXPECT_EQ(w.error(), "There is not enough space on the disk.");
  }
  // A location that cannot be written: a missing folder, a folder itself.
  for (const std::string& path : {OutputFolder() + "no-such-folder\\x.pdf", OutputFolder()}) {
    DocumentWriter w;
    EXPECT_FALSE(w.Open(path));
    EXPECT_NE(w.error().find("Cannot create the PDF file"), std::string::npos) << w.error();
    EXPECT_FALSE(w.Close());
  }
  // A document given up, or dropped unclosed, removes its file.
  std::string path = OutputFolder() + "abandoned.pdf";
  {
    DocumentWriter w;
    ASSERT_TRUE(w.Open(path));
    w.BeginPage(100, 100);
    EXPECT_TRUE(twpdf_test::FileExists(path));
  }
  EXPECT_FALSE(twpdf_test::FileExists(path));
}

// With no TrueType font to embed, text still shows, in the readers' own
// Helvetica; characters outside WinAnsi become '?'.
TEST(DocumentStandardFont, TextShowsWithoutEmbeddedFont) {
  DocumentWriter w;
  ASSERT_TRUE(w.Open(OutputFolder() + "standard-font.pdf"));
  int font = w.AddStandardFont();
  EXPECT_EQ(w.font(font), nullptr);
  EXPECT_DOUBLE_EQ(w.TextWidth(font, 10, "Hi"), (722 + 222) / 100.0);
  Page& p = w.BeginPage(300, 100);
  double width = p.ShowText(font, 12, 10, 50, "Fallback \xE2\x80\x93 Gr\xC3\xBC\xC3\x9F" "e \xCE\xA9 (x)");
  EXPECT_DOUBLE_EQ(width, w.TextWidth(font, 12, "Fallback \xE2\x80\x93 Gr\xC3\xBC\xC3\x9F" "e ? (x)"));
  EXPECT_TRUE(w.Close()) << w.error();
}

TEST(PageSetupGeometry, PaperOrientationAndMarginsAreSanitised) {
  struct Case {
    double w, h;
    bool landscape;
    double ml, mt, mr, mb;
    double pw, ph, left, bottom, right, top;
  } cases[] = {
      {8.5, 11, false, 0.5, 0.5, 0.5, 0.5, 612, 792, 36, 36, 576, 756},          // Letter
      {8.5, 11, true, 1, 0.5, 1, 0.5, 792, 612, 72, 36, 720, 576},               // landscape
      {11, 8.5, true, 0, 0, 0, 0, 792, 612, 0, 0, 792, 612},                     // typed landscape
      {0, 0, false, 0, 0, 0, 0, 595.2756, 841.8898, 0, 0, 595.2756, 841.8898},   // unknown paper: A4
      {-3, 11, false, -1, -1, -1, -1, 595.2756, 841.8898, 0, 0, 595.2756, 841.8898},
      {8.5, 11, false, 5, 6, 5, 6, 612, 792, 153, 198, 459, 594},                // margins too big
      {1000, 1000, false, 0, 0, 0, 0, 14400, 14400, 0, 0, 14400, 14400},         // too big a page
  };
  for (const Case& c : cases) {
    PageSetup s;
    s.width_in = c.w;
    s.height_in = c.h;
    s.landscape = c.landscape;
    s.margin_left_in = c.ml;
    s.margin_top_in = c.mt;
    s.margin_right_in = c.mr;
    s.margin_bottom_in = c.mb;
    PageGeometry g = ComputeGeometry(s);
    EXPECT_NEAR(g.width, c.pw, 0.01) << c.w;
    EXPECT_NEAR(g.height, c.ph, 0.01) << c.h;
    EXPECT_NEAR(g.left, c.left, 0.01);
    EXPECT_NEAR(g.bottom, c.bottom, 0.01);
    EXPECT_NEAR(g.right, c.right, 0.01);
    EXPECT_NEAR(g.top, c.top, 0.01);
  }
}
