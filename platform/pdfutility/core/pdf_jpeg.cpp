#include "pdf_jpeg.h"

namespace twpdf {

bool ReadJpegInfo(const std::string& data, JpegInfo& info, std::string* error) {
  auto fail = [error](const char* why) {
    if (error) *error = why;
    return false;
  };
  auto byte = [&data](size_t off) { return static_cast<unsigned char>(data[off]); };
  info = JpegInfo();
  if (data.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return fail("not a JPEG file");
  size_t pos = 2;
  while (pos + 4 <= data.size()) {
    if (byte(pos) != 0xFF) return fail("damaged JPEG marker");
    unsigned char marker = byte(pos + 1);
    if (marker == 0xFF) {  // fill byte
      ++pos;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      pos += 2;  // markers without a length
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return fail("JPEG without a frame header");
    size_t length = (size_t(byte(pos + 2)) << 8) | byte(pos + 3);
    if (length < 2 || pos + 2 + length > data.size()) return fail("cut-off JPEG marker");
    size_t seg = pos + 4;
    if (marker == 0xEE && length >= 7 && data.compare(seg, 5, "Adobe") == 0) info.adobe = true;
    bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
               marker != 0xCC;
    if (sof) {
      // Lossless and arithmetic-coded frames are beyond DCTDecode readers.
      if (marker != 0xC0 && marker != 0xC1 && marker != 0xC2)
        return fail("JPEG coding that PDF readers do not decode");
      if (length < 8) return fail("cut-off JPEG frame header");
      info.bits = byte(seg);
      info.height = (byte(seg + 1) << 8) | byte(seg + 2);
      info.width = (byte(seg + 3) << 8) | byte(seg + 4);
      info.components = byte(seg + 5);
      if (info.bits != 8) return fail("JPEG with other than 8 bits per sample");
      if (info.width == 0 || info.height == 0) return fail("JPEG without dimensions");
      if (info.components != 1 && info.components != 3 && info.components != 4)
        return fail("JPEG with an unsupported number of components");
      // The Adobe marker comes before the frame in practice; look ahead anyway.
      return true;
    }
    pos += 2 + length;
  }
  return fail("JPEG without a frame header");
}

}  // namespace twpdf
