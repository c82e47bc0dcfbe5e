// Fuzz target: images as the conversion hands them to the PDF writer. An
// input starting FF D8 is a JPEG file: its header is read, and it is
// embedded exactly when the header was accepted, with the dimensions the
// header gave. Anything else is decoded pixels: two bytes each of width and
// height, one of extra stride, one of flags, then the BGRA rows (as many as
// the input holds; the writer must refuse what does not add up).
#include <cstdint>
#include <string>

#include "pdf_document.h"
#include "pdf_jpeg.h"
#include "pdf_output.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  twpdf::WriterOptions options;
  options.reproducible = true;
  twpdf::MemoryOutput out;
  twpdf::DocumentWriter w(options);
  Check(w.Open(out));
  int image = -1;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
    twpdf::JpegInfo info;
    std::string why;
    bool ok = twpdf::ReadJpegInfo(bytes, info, &why);
    Check(ok ? why.empty() && info.width > 0 && info.height > 0 && info.width <= 65535 &&
                   info.height <= 65535 && info.bits == 8 &&
                   (info.components == 1 || info.components == 3 || info.components == 4)
             : !why.empty());
    std::string error;
    image = w.AddJpeg(bytes, &error);
    Check((image >= 0) == ok);
    Check(w.AddJpeg(bytes) == image);  // the same bytes again: the same image
  } else if (size >= 6) {
    int width = data[0] | data[1] << 8;
    int height = data[2] | data[3] << 8;
    size_t stride = size_t(width) * 4 + data[4] % 8;
    const bool premultiplied = data[5] & 1;
    std::string pixels = bytes.substr(6);
    // Only as many rows as the input holds; a width or height the writer
    // refuses is refused before any pixel is read.
    if (width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
        pixels.size() < (size_t(height) - 1) * stride + size_t(width) * 4)
      height = stride ? static_cast<int>(pixels.size() / stride) : 0;
    if (height > 0 && pixels.size() < (size_t(height) - 1) * stride + size_t(width) * 4) height = 0;
    image = w.AddBgraImage(width, height, pixels.data(), stride, premultiplied);
    Check((image >= 0) == (width > 0 && height > 0 && width <= 65535 && height <= 65535));
  }
  twpdf::Page& page = w.BeginPage(612, 792);
  page.DrawImage(image, 10, 10, 100, 100);
  Check(w.Close());
  const std::string& pdf = out.data();
  Check(pdf.compare(0, 8, "%PDF-1.4") == 0 && pdf.size() > 6 && pdf.compare(pdf.size() - 6, 6, "%%EOF\n") == 0);
  return 0;
}
