#include "pdf_test_util.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace twpdf_test {

std::string OutputFolder() {
  CreateDirectoryA("pdf-out", nullptr);
  return "pdf-out\\";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::shared_ptr<const std::string> DejaVuBytes() {
  static std::shared_ptr<const std::string> bytes = [] {
    std::string data = ReadFile("Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf");
    return data.empty() ? nullptr : std::make_shared<const std::string>(std::move(data));
  }();
  return bytes;
}

std::shared_ptr<const twpdf::TrueTypeFont> DejaVu() {
  auto bytes = DejaVuBytes();
  return bytes ? twpdf::TrueTypeFont::Parse(bytes, 0, nullptr) : nullptr;
}

std::string TinyJpeg() {
  // SOI; quantisation table of ones; 8x8 frame, one component; a DC and an
  // AC Huffman table with one 1-bit code each (category 0, end of block);
  // one scan whose block is "DC 0, EOB": two zero bits, padded with ones.
  std::string jpeg("\xFF\xD8", 2);
  jpeg += std::string("\xFF\xDB\x00\x43\x00", 5) + std::string(64, '\x01');
  jpeg += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
  for (char table : {'\x00', '\x10'})  // DC 0, AC 0: one code of length 1, symbol 0
    jpeg += std::string("\xFF\xC4\x00\x14", 4) + table + '\x01' + std::string(15, '\0') + '\0';
  jpeg += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  jpeg += "\x3F\xFF\xD9";
  return jpeg;
}

}  // namespace twpdf_test
