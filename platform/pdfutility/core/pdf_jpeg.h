// pdf_jpeg.h - what the writer needs to know of a JPEG file.
//
//   JpegInfo       dimensions, components and bit depth from the frame
//                  header (SOFn), and whether an Adobe marker says CMYK
//                  data is stored inverted.
//   ReadJpegInfo   walks the markers up to the frame header; refuses
//                  anything that is not a baseline/progressive JPEG a PDF
//                  reader can decode (DCTDecode).
#pragma once

#include <string>

namespace twpdf {

struct JpegInfo {
  int width = 0;
  int height = 0;
  int components = 0;  // 1 grey, 3 YCbCr/RGB, 4 CMYK/YCCK
  int bits = 8;
  bool adobe = false;  // an APP14 "Adobe" marker was seen
};

bool ReadJpegInfo(const std::string& data, JpegInfo& info, std::string* error);

}  // namespace twpdf
