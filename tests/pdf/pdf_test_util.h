// Shared helpers of the PDF tests.
#pragma once

#include <memory>
#include <string>

#include "pdf_truetype.h"

namespace twpdf_test {

// The folder the tests write their PDFs into (checked natively afterwards).
std::string OutputFolder();
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// DejaVu Sans from the host's fonts (reached through Wine's Z: drive);
// null when it is not there.
std::shared_ptr<const std::string> DejaVuBytes();
std::shared_ptr<const twpdf::TrueTypeFont> DejaVu();
// A minimal 8x8 grey baseline JPEG.
std::string TinyJpeg();

}  // namespace twpdf_test
