// The GDI host: fonts measured through GDI, images decoded through WIC,
// display lists painted into a DC (checked pixel by pixel in a DIB).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "gdi/gdi_host.h"
#include "layout/html_layout.h"
#include "parser.h"

using namespace tw;
using layout::Color;
using layout::DisplayItem;
using layout::DisplayList;
using layout::ItemKind;

namespace {

std::string tempDir() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  std::string d = std::string(buf) + "tw_layout_gdi_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(d.c_str(), nullptr);
  return d;
}

std::string fileUrl(const std::string& path) {
  std::string u = "file:///";
  for (char c : path) u += c == '\\' ? '/' : c;
  return u;
}

// A 24-bit BMP of w x h filled with one colour.
void writeBmp(const std::string& path, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + DWORD(stride * h);
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  f.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  std::string row(size_t(stride), '\0');
  for (int x = 0; x < w; ++x) {
    row[size_t(x * 3)] = char(b);
    row[size_t(x * 3 + 1)] = char(g);
    row[size_t(x * 3 + 2)] = char(r);
  }
  for (int y = 0; y < h; ++y) f.write(row.data(), stride);
}

// A memory DC over a 32-bit DIB for reading pixels back.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bmp_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF at(int x, int y) const {
    GdiFlush();
    uint32_t p = bits_[size_t(y) * size_t(w_) + size_t(x)];
    return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
  }
  int countNot(COLORREF c) const {
    int n = 0;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (at(x, y) != c) ++n;
    return n;
  }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

TEST(GdiHost, FontsAreMeasuredByGdi) {
  layout::GdiHost host;
  layout::FontRequest rq;
  rq.family = "NoSuchFace, sans-serif";
  rq.size = 20;
  layout::FontMetrics m;
  layout::FontHandle f = host.openFont(rq, &m);
  ASSERT_NE(f, 0u);
  EXPECT_FALSE(m.face.empty());
  EXPECT_GT(m.ascent, 8);
  EXPECT_GT(m.descent, 1);
  EXPECT_LT(m.ascent + m.descent, 40);
  float adv[3];
  host.measureChars(f, u"WiW", 3, adv);
  EXPECT_GT(adv[0], adv[1]);  // W is wider than i
  EXPECT_EQ(adv[0], adv[2]);
  rq.size = 40;
  layout::FontMetrics m2;
  layout::FontHandle f2 = host.openFont(rq, &m2);
  float big;
  host.measureChars(f2, u"W", 1, &big);
  EXPECT_GT(big, adv[0] * 1.5f);
  host.releaseFont(f);
  host.releaseFont(f2);
}

// Page fonts and generic families land on faces with the metrics of the
// fonts the pages were written for (the Liberation faces stand in for the
// Windows core fonts where those are missing), so lines break as there.
TEST(GdiHost, FamiliesMapToMetricCompatibleFaces) {
  layout::GdiHost host;
  if (host.resolveFamily("Liberation Sans") != "Liberation Sans") GTEST_SKIP() << "fonts-liberation2 missing";
  if (host.resolveFamily("Arial") == "Arial") GTEST_SKIP() << "the Windows core fonts are installed";
  const struct {
    const char* css;
    const char* face;
  } kCases[] = {
      {"sans-serif", "Liberation Sans"},
      {"Helvetica, sans-serif", "Liberation Sans"},
      {"'Helvetica Neue', Helvetica, Arial", "Liberation Sans"},
      {"Arial, DejaVu Sans", "Liberation Sans"},
      {"Lucida Grande, Verdana, Geneva", "Liberation Sans"},
      {"Segoe UI", "Liberation Sans"},
      {"serif", "Liberation Serif"},
      {"Times, serif", "Liberation Serif"},
      {"\"courier new\", courier, monospace", "Liberation Mono"},
      {"Courier", "Liberation Mono"},
      {"monospace", "Liberation Mono"},
      {"DejaVu Sans, Arial", "DejaVu Sans"},
  };
  for (const auto& c : kCases) EXPECT_EQ(host.resolveFamily(c.css), c.face) << c.css;
}

TEST(GdiHost, ImagesDecodeThroughWicAndBadOnesFail) {
  layout::GdiHost host;
  std::string dir = tempDir();
  writeBmp(dir + "\\red.bmp", 7, 5, 255, 0, 0);
  std::ofstream(dir + "\\bad.gif", std::ios::binary) << "GIF89a this is not an image";
  int w = 0, h = 0;
  layout::ImageHandle img = host.loadImage(fileUrl(dir + "\\red.bmp"), &w, &h);
  ASSERT_NE(img, 0u);
  EXPECT_EQ(w, 7);
  EXPECT_EQ(h, 5);
  EXPECT_EQ(host.loadImage(fileUrl(dir + "\\bad.gif"), &w, &h), 0u);
  EXPECT_EQ(host.loadImage(fileUrl(dir + "\\missing.png"), &w, &h), 0u);
  EXPECT_EQ(host.loadImage("http://example.org/x.png", &w, &h), 0u);
  host.releaseImage(img);
  std::string css;
  std::ofstream(dir + "\\s.css") << "p{color:red}";
  EXPECT_TRUE(host.loadText(fileUrl(dir + "\\s.css"), &css));
  EXPECT_EQ(css, "p{color:red}");
  EXPECT_EQ(layout::GdiHost::pathFromUrl("file:///C:/a%20b/c.htm#frag"), "C:\\a b\\c.htm");
}

// An .svg image is drawn into a bitmap of its size in CSS px (viewBox
// mapped onto width/height), transparent where nothing is drawn; one that
// is not SVG fails like a broken image.
TEST(GdiHost, SvgImagesAreDrawnAndBadOnesFail) {
  layout::GdiHost host;
  std::string dir = tempDir();
  std::ofstream(dir + "\\logo.svg", std::ios::binary)
      << "<?xml version=\"1.0\"?><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"20\" "
         "viewBox=\"0 0 20 10\"><g transform=\"translate(10 0)\"><rect width=\"10\" height=\"10\" "
         "style=\"fill:#ff0000\"/></g><text x=\"0\" y=\"8\" font-size=\"8\">A</text></svg>";
  std::ofstream(dir + "\\bad.svg", std::ios::binary) << "not a drawing";
  int w = 0, h = 0;
  layout::ImageHandle img = host.loadImage(fileUrl(dir + "\\logo.svg"), &w, &h);
  ASSERT_NE(img, 0u);
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 20);
  const layout::GdiImage* g = layout::GdiHost::image(img);
  ASSERT_TRUE(g && g->bitmap);
  EXPECT_TRUE(g->hasAlpha);
  DIBSECTION ds = {};
  ASSERT_EQ(GetObject(g->bitmap, sizeof ds, &ds), int(sizeof ds));
  const uint8_t* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
  auto pixel = [&](double fx, double fy) {  // BGRA at a fraction of the bitmap
    int x = int(fx * g->width), y = int(fy * g->height);
    return bits + (size_t(y) * size_t(g->width) + size_t(x)) * 4;
  };
  const uint8_t* red = pixel(0.75, 0.5);  // inside the translated rectangle
  EXPECT_EQ(red[2], 255);
  EXPECT_EQ(red[1], 0);
  EXPECT_EQ(red[3], 255);
  EXPECT_EQ(pixel(0.45, 0.05)[3], 0);  // nothing drawn there: transparent
  host.releaseImage(img);
  EXPECT_EQ(host.loadImage(fileUrl(dir + "\\bad.svg"), &w, &h), 0u);
  EXPECT_EQ(host.loadImage(fileUrl(dir + "\\missing.svg"), &w, &h), 0u);
}

TEST(GdiPaint, FillsTextImagesAndClips) {
  layout::GdiHost host;
  std::string dir = tempDir();
  writeBmp(dir + "\\blue.bmp", 4, 4, 0, 0, 255);
  int w, h;
  layout::ImageHandle img = host.loadImage(fileUrl(dir + "\\blue.bmp"), &w, &h);
  ASSERT_NE(img, 0u);
  DisplayList d;
  d.width = 100;
  d.height = 60;
  d.background = Color::rgb(255, 255, 255);
  DisplayItem fill;
  fill.kind = ItemKind::Fill;
  fill.rect = {10, 10, 20, 10};
  fill.color = Color::rgb(255, 0, 0);
  d.items.push_back(fill);
  layout::DisplayImage di;
  di.url = "blue.bmp";
  di.width = 4;
  di.height = 4;
  di.handle = img;
  DisplayItem im;
  im.kind = ItemKind::Image;
  im.rect = {40, 10, 8, 8};  // scaled 2x
  im.image = d.addImage(di);
  d.items.push_back(im);
  DisplayItem clip;
  clip.kind = ItemKind::ClipBegin;
  clip.rect = {0, 30, 50, 10};
  d.items.push_back(clip);
  DisplayItem clipped = fill;
  clipped.rect = {0, 25, 100, 20};
  clipped.color = Color::rgb(0, 128, 0);
  d.items.push_back(clipped);
  DisplayItem end;
  end.kind = ItemKind::ClipEnd;
  d.items.push_back(end);
  layout::FontDesc fd;
  fd.face = "Arial";
  fd.size = 16;
  DisplayItem text;
  text.kind = ItemKind::Text;
  text.font = d.addFont(fd);
  text.color = Color::rgb(0, 0, 0);
  text.text = u"Hi";
  text.baseline = 56;
  text.rect = {60, 42, 20, 18};
  d.items.push_back(text);

  Canvas c(100, 60);
  layout::PaintDisplayList(c.dc(), d, layout::PaintOptions());
  EXPECT_EQ(c.at(15, 15), RGB(255, 0, 0));
  EXPECT_EQ(c.at(5, 5), RGB(255, 255, 255));
  EXPECT_EQ(c.at(44, 14), RGB(0, 0, 255));
  EXPECT_EQ(c.at(49, 14), RGB(255, 255, 255));
  EXPECT_EQ(c.at(10, 35), RGB(0, 128, 0));   // inside the clip
  EXPECT_EQ(c.at(10, 27), RGB(255, 255, 255));  // outside it
  EXPECT_EQ(c.at(70, 35), RGB(255, 255, 255));
  int ink = 0;
  for (int y = 42; y < 60; ++y)
    for (int x = 58; x < 85; ++x)
      if (c.at(x, y) != RGB(255, 255, 255)) ++ink;
  EXPECT_GT(ink, 10);  // the text left ink

  // scaled 2x with an origin: a printer-like device
  Canvas big(220, 140);
  layout::PaintOptions o;
  o.scale = 2;
  o.originX = 10;
  o.originY = 10;
  layout::PaintDisplayList(big.dc(), d, o);
  EXPECT_EQ(big.at(10 + 2 * 15, 10 + 2 * 15), RGB(255, 0, 0));
  EXPECT_EQ(big.at(10 + 2 * 10 - 1, 10 + 2 * 15), RGB(255, 255, 255));
  host.releaseImage(img);
}

// A rounded fill leaves its corners unpainted; a rounded band leaves its
// hole unpainted.
TEST(GdiPaint, RoundedFillsAndBands) {
  DisplayList d;
  d.width = 100;
  d.height = 60;
  DisplayItem round;
  round.kind = ItemKind::RoundFill;
  round.rect = {10, 10, 40, 40};
  round.color = Color::rgb(255, 0, 0);
  for (float& r : round.radii) r = 20;
  d.items.push_back(round);
  DisplayItem band = round;
  band.rect = {60, 10, 30, 30};
  band.color = Color::rgb(0, 0, 255);
  for (float& r : band.radii) r = 6;
  band.hole = {63, 13, 24, 24};
  d.items.push_back(band);
  Canvas c(100, 60);
  layout::PaintOptions o;
  o.paintBackground = true;
  layout::PaintDisplayList(c.dc(), d, o);
  EXPECT_EQ(c.at(30, 30), RGB(255, 0, 0));      // the circle's centre
  EXPECT_EQ(c.at(30, 11), RGB(255, 0, 0));      // the middle of its top edge
  EXPECT_EQ(c.at(12, 12), RGB(255, 255, 255));  // its corner
  EXPECT_EQ(c.at(61, 25), RGB(0, 0, 255));      // the band
  EXPECT_EQ(c.at(75, 25), RGB(255, 255, 255));  // its hole
  EXPECT_EQ(c.at(60, 10), RGB(255, 255, 255));  // its rounded corner
}

TEST(GdiPaint, LaysOutAndPaintsAPageWithTheRealHost) {
  layout::GdiHost host;
  std::string dir = tempDir();
  writeBmp(dir + "\\pic.bmp", 30, 20, 0, 0, 255);
  auto doc = html::parseHtmlUtf8(
      "<body style='margin:0'><table cellspacing=0 cellpadding=0><tr><td bgcolor=red width=50 height=30>"
      "</td><td><img src='pic.bmp'></td></tr></table><p>Some <b>text</b> here.</p></body>");
  layout::HtmlLayout l(host);
  l.load(*doc, fileUrl(dir + "\\page.htm"));
  l.layout(200);
  DisplayList d = l.paint();
  Canvas c(200, 120);
  layout::PaintDisplayList(c.dc(), d, layout::PaintOptions());
  EXPECT_EQ(c.at(20, 15), RGB(255, 0, 0));
  EXPECT_EQ(c.at(60, 10), RGB(0, 0, 255));
  EXPECT_GT(c.countNot(RGB(255, 255, 255)), 1500 + 600 + 20);
}

}  // namespace

namespace {

TEST(GdiPaint, HugeRunsPaintOnlyTheirVisiblePart) {
  layout::GdiHost host;
  auto doc = html::parseHtmlUtf8("<body style='margin:0'><pre>" + std::string(2 * 1024 * 1024, 'x') +
                                 "</pre><p>" + std::string(3 * 1024 * 1024, 'y') + " end</p></body>");
  layout::HtmlLayout l(host);
  l.load(*doc, "file:///C:/nowhere/page.htm");
  l.layout(200);
  DisplayList d = l.paint();
  EXPECT_GT(l.width(), 100000);
  Canvas c(200, 100);
  layout::PaintOptions o;
  o.clip = layout::RectF{5000, 0, 200, 100};  // scrolled far to the right
  o.originX = -5000;
  layout::PaintDisplayList(c.dc(), d, o);
  EXPECT_GT(c.countNot(RGB(255, 255, 255)), 50);
}

}  // namespace
