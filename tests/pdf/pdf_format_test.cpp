#include "pdf_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "pdf_jpeg.h"
#include "pdf_object.h"
#include "pdf_output.h"
#include "pdf_test_util.h"

using namespace twpdf;

TEST(PdfFormat, NumbersAreFixedDecimalWhateverTheLocale) {
  std::setlocale(LC_ALL, "German_Germany.1252");  // decimal comma in printf
  struct Case {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {0, 4, "0"},           {-0.0, 4, "0"},        {-0.00001, 4, "0"},   {1, 4, "1"},
      {1.5, 4, "1.5"},       {-2.25, 4, "-2.25"},   {0.12345, 4, "0.1235"},
      {595.2756, 2, "595.28"}, {841.889, 0, "842"}, {1e12, 2, "1000000000"},
      {std::numeric_limits<double>::quiet_NaN(), 2, "0"}, {0.1 + 0.2, 4, "0.3"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value, c.decimals), c.text) << c.value;
  std::setlocale(LC_ALL, "C");
}

// Halves round away from zero, as llround does; a value just below a half
// stays below it (the runtime's llround adds 0.5 there and rounds it up).
TEST(PdfFormat, NumbersRoundHalvesAwayFromZero) {
  auto reference = [](double v, int decimals) {
    static const long long kScale[] = {1, 10, 100, 1000, 10000};
    long long scaled = std::llround(v * static_cast<double>(kScale[decimals]));
    if (scaled == 0) return std::string("0");
    std::string text = scaled < 0 ? "-" : "";
    unsigned long long a = static_cast<unsigned long long>(scaled < 0 ? -scaled : scaled);
    text += std::to_string(a / kScale[decimals]);
    std::string frac = std::to_string(a % kScale[decimals]);
    if (a % kScale[decimals] == 0) return text;
    frac = std::string(static_cast<size_t>(decimals) - frac.size(), '0') + frac;
    while (frac.back() == '0') frac.pop_back();
    return text + "." + frac;
  };
  EXPECT_EQ(FormatNumber(0.49999999999999994, 0), "0");
  EXPECT_EQ(FormatNumber(-0.49999999999999994, 0), "0");
  EXPECT_EQ(FormatNumber(2.4999999999999996, 0), "2");
  std::vector<double> values = {0.5, -0.5, 1.5, 2.5, -2.5, 4503599627370495.5 / 1e7, 0.00005, 0.00015, 1e9 - 0.5, 123.45675};
  unsigned seed = 12345;
  for (int i = 0; i < 2000; ++i) {
    seed = seed * 1103515245u + 12345u;
    values.push_back((static_cast<double>(seed % 2000001u) - 1000000.0) / 2048.0);  // exact halves
  }
  for (double v : values)
    for (int decimals : {0, 2, 4}) EXPECT_EQ(FormatNumber(v, decimals), reference(v, decimals)) << v;
}

TEST(PdfFormat, TokensAreEscaped) {
  std::string s;
  AppendName(s, "A B#(x)/é");
  EXPECT_EQ(s, "/A#20B#23#28x#29#2F#C3#A9");
  s.clear();
  AppendLiteral(s, std::string("a(b)\\c\r\n\x01\xE9", 10));
  EXPECT_EQ(s, "(a\\(b\\)\\\\c\\r\\n\\001\\351)");
  EXPECT_EQ(Object::Dictionary()
                .Set("Type", Object::Name("Page"))
                .Set("Kids", Object::Array().Push(Object::Ref(3)).Push(Object::Real(1.25)))
                .Set("Type", Object::Name("Pages"))
                .ToString(),
            "<</Type /Pages/Kids [3 0 R 1.25]>>");
}

TEST(PdfFormat, TextStringsUsePdfDocEncodingOrUtf16) {
  EXPECT_EQ(TextStringBytes("Plain text"), "Plain text");
  EXPECT_EQ(TextStringBytes("Gr\xC3\xBC\xC3\x9F" "e"), "Gr\xFC\xDF" "e");  // Latin-1 range
  // Ω and a character beyond the BMP need UTF-16BE with a BOM and a surrogate pair.
  EXPECT_EQ(TextStringBytes("\xCE\xA9\xF0\x9F\x98\x80"),
            std::string("\xFE\xFF\x03\xA9\xD8\x3D\xDE\x00", 8));
  // The euro sign has a code in PDFDocEncoding, but not its Latin-1 one.
  EXPECT_EQ(TextStringBytes("\xE2\x82\xAC"), std::string("\xFE\xFF\x20\xAC", 4));
  // Broken UTF-8 becomes U+FFFD rather than being dropped or overrun.
  EXPECT_EQ(DecodeUtf8("a\xC3"), (std::u32string{U'a', 0xFFFD}));
  EXPECT_EQ(DecodeUtf8("\xE0\x80\x80z"), (std::u32string{0xFFFD, 0xFFFD, 0xFFFD, U'z'}));
}

TEST(PdfOutput, DeflateRoundTripsAndCountingFollowsBytes) {
  std::string text(10000, 'x'), packed, back;
  ASSERT_TRUE(Deflate(text, packed));
  EXPECT_LT(packed.size(), 200u);
  ASSERT_TRUE(Inflate(packed, back));
  EXPECT_EQ(back, text);
  EXPECT_FALSE(Inflate(packed.substr(0, packed.size() / 2), back));
  MemoryOutput memory;
  CountingOutput counter(memory);
  counter.Write("abc");
  counter.Write(std::string(5, 'z'));
  EXPECT_EQ(counter.count(), 8u);
  EXPECT_EQ(memory.data(), "abczzzzz");
}

TEST(PdfJpeg, FrameHeaderIsReadAndBadDataRefused) {
  JpegInfo info;
  std::string error;
  ASSERT_TRUE(ReadJpegInfo(twpdf_test::TinyJpeg(), info, &error)) << error;
  EXPECT_EQ(info.width, 8);
  EXPECT_EQ(info.height, 8);
  EXPECT_EQ(info.components, 1);
  std::string jpeg = twpdf_test::TinyJpeg();
  const std::string bad[] = {
      "", "\xFF\xD8", "GIF89a", jpeg.substr(0, 80),  // cut inside the frame header's segment
      std::string("\xFF\xD8\xFF\xC3\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 15),  // lossless
      std::string("\xFF\xD8\xFF\xE0\xFF\xFF", 6),  // segment length past the end
  };
  for (const std::string& b : bad) EXPECT_FALSE(ReadJpegInfo(b, info, &error)) << b.size();
}
