// Fuzz target: a sequence of writer calls read from the input. The result
// must close and be structurally sound: header, trailer, and every
// cross-reference entry at the start of the object it names.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>

#include "pdf_document.h"
#include "pdf_jpeg.h"
#include "pdf_page_setup.h"
#include "pdf_truetype.h"

namespace {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  bool empty() const { return p_ >= end_; }
  uint8_t Byte() { return p_ < end_ ? *p_++ : 0; }
  double Number() {
    switch (Byte() % 8) {
      case 0: return std::numeric_limits<double>::quiet_NaN();
      case 1: return std::numeric_limits<double>::infinity();
      case 2: return -1e300;
      default: return (static_cast<int16_t>(Byte() << 8 | Byte())) / 7.0;
    }
  }
  std::string Bytes(size_t max) {
    size_t n = std::min<size_t>(Byte() % (max + 1), end_ - p_);
    std::string s(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return s;
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
};

std::shared_ptr<const twpdf::TrueTypeFont> Font() {
  static std::shared_ptr<const twpdf::TrueTypeFont> font = [] {
    std::ifstream in(TW_FUZZ_FONT, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return twpdf::TrueTypeFont::Parse(std::make_shared<const std::string>(s.str()), 0, nullptr);
  }();
  return font;
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  twpdf::WriterOptions options;
  options.reproducible = true;
  options.compress = (in.Byte() & 1) != 0;
  twpdf::MemoryOutput out;
  twpdf::DocumentWriter w(options);
  Check(w.Open(out));
  int font = w.AddFont(Font());
  int standard = w.AddStandardFont();
  int styled = w.AddFont(Font(), nullptr, twpdf::SyntheticStyle{true, true});
  const char* names[] = {"a", "b#c", "", "\xC3\xA9"};
  twpdf::PageSetup setup;
  for (int ops = 0; ops < 400 && !in.empty(); ++ops) {
    twpdf::Page* page = w.current_page();
    switch (in.Byte() % 16) {
      case 0: w.BeginPage(in.Number(), in.Number()); break;
      case 1: w.EndPage(); break;
      case 2:
        if (page) {
          int f = in.Byte() % 4;
          page->ShowText(f == 0 ? font : f == 1 ? standard : f == 2 ? styled : 99, in.Number(),
                         in.Number(), in.Number(), in.Bytes(40));
        }
        break;
      case 3: {
        int wd = in.Byte() % 5, ht = in.Byte() % 5;
        std::string rgb = in.Bytes(75), alpha = in.Bytes(25);
        w.AddRgbImage(wd, ht, rgb, (in.Byte() & 1) ? &alpha : nullptr);
        std::string pixels = in.Bytes(100);
        size_t stride = in.Byte() % 24;
        if (stride * ht <= pixels.size())
          w.AddBgraImage(wd, ht, pixels.data(), stride, in.Byte() & 1);
        break;
      }
      case 4: w.AddJpeg(in.Bytes(200)); break;
      case 5:
        if (page) page->DrawImage(in.Byte() % 4 - 1, in.Number(), in.Number(), in.Number(), in.Number());
        break;
      case 6:
        if (page) {
          double x = in.Number(), y = in.Number();
          page->AddLink(x, y, in.Number(), in.Number(),
                        (in.Byte() & 1) ? twpdf::LinkTarget::Named(names[in.Byte() % 4])
                                        : twpdf::LinkTarget::PageAt(in.Byte() % 5 - 1, in.Number()));
        }
        break;
      case 7:
        if (page) page->AddUriLink(in.Number(), in.Number(), in.Number(), in.Number(), in.Bytes(20));
        break;
      case 8:
        if (page) page->DefineDestination(names[in.Byte() % 4], in.Number(), in.Number());
        break;
      case 9: {
        int item = w.AddOutlineItem(in.Byte() % 8 - 1, in.Bytes(20));
        if (in.Byte() & 1) w.SetOutlineTarget(item, twpdf::LinkTarget::Named(names[in.Byte() % 4]));
        break;
      }
      case 10: if (page) page->SaveState(); break;
      case 11: if (page) page->RestoreState(); break;
      case 12: if (page) page->SetFillColor(in.Number(), in.Number(), in.Number()); break;
      case 13:
        if (page) {
          page->Rectangle(in.Number(), in.Number(), in.Number(), in.Number());
          page->ClipToPath();
        }
        break;
      case 14:
        if (page) {
          setup.width_in = in.Number();
          setup.height_in = in.Number();
          setup.margin_top_in = in.Number();
          setup.header_separator = in.Byte() & 1;
          setup.header_center = in.Bytes(10);
          twpdf::DecoratePage(w, *page, setup, twpdf::ComputeGeometry(setup), font);
        }
        break;
      default:
        w.TextWidth(in.Byte() % 4, in.Number(), in.Bytes(10));
        break;
    }
  }
  Check(w.Close());
  const std::string& pdf = out.data();
  Check(pdf.compare(0, 8, "%PDF-1.4") == 0);
  Check(pdf.size() > 30 && pdf.compare(pdf.size() - 6, 6, "%%EOF\n") == 0);
  size_t at = pdf.rfind("startxref\n");
  Check(at != std::string::npos);
  size_t xref = std::strtoull(pdf.c_str() + at + 10, nullptr, 10);
  Check(pdf.compare(xref, 5, "xref\n") == 0);
  char* end = nullptr;
  size_t count = std::strtoull(pdf.c_str() + xref + 7, &end, 10);
  const char* entry = end + 1 + 20;  // past "0 N\n" and the free entry
  for (size_t i = 1; i < count; ++i, entry += 20) {
    size_t offset = std::strtoull(entry, nullptr, 10);
    std::string head = std::to_string(i) + " 0 obj\n";
    Check(pdf.compare(offset, head.size(), head) == 0);
  }
  return 0;
}
