// pdf_gdi_fonts.h - TrueType fonts of the installed faces, read through GDI.
//
//   GdiFontSource  hands the PDF writer the bytes of the font GDI selects
//                  for a face name, weight and slant (GetFontData), parsed
//                  and checked for embedding. A font in a collection
//                  ('ttcf') is found by its table directory. A face that
//                  cannot be embedded (not TrueType, damaged, or its
//                  licence forbids it) is replaced by the first usable of
//                  some common faces and then of all installed TrueType
//                  faces, so text never goes out in a font that readers
//                  cannot show. Parsed fonts are cached per request.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "pdf_truetype.h"

namespace twpdf {

class GdiFontSource {
 public:
  GdiFontSource();
  ~GdiFontSource();
  GdiFontSource(const GdiFontSource&) = delete;
  GdiFontSource& operator=(const GdiFontSource&) = delete;

  // Null only when no installed font at all can be embedded. |used_face|
  // receives the face that was read (the request's or a replacement).
  std::shared_ptr<const TrueTypeFont> Load(const std::string& face, int weight, bool italic,
                                           std::string* used_face = nullptr,
                                           std::string* error = nullptr);

  // Reads the font selected into |dc|. Null with |error| when GDI has no
  // TrueType data for it or the data is unusable.
  static std::shared_ptr<const TrueTypeFont> ReadSelectedFont(HDC dc, std::string* error);

 private:
  std::shared_ptr<const TrueTypeFont> TryFace(const std::string& face, int weight, bool italic,
                                              std::string* error);
  HDC dc_;
  std::map<std::tuple<std::string, int, bool>,
           std::pair<std::shared_ptr<const TrueTypeFont>, std::string>> cache_;
};

}  // namespace twpdf
