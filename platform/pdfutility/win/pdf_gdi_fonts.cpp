#include "pdf_gdi_fonts.h"

#include <vector>

namespace twpdf {
namespace {

// GetFontData takes table tags with their bytes in file order.
const DWORD kCollectionTag = 0x66637474;  // 'ttcf'
const DWORD kMaxFontBytes = 64u << 20;

class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~ScopedSelect() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

bool ReadTable(HDC dc, DWORD tag, std::string& out) {
  DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0 || size > kMaxFontBytes) return false;
  out.assign(size, '\0');
  return GetFontData(dc, tag, 0, &out[0], size) == size;
}

int CALLBACK CollectFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM param) {
  auto* names = reinterpret_cast<std::vector<std::string>*>(param);
  if ((type & TRUETYPE_FONTTYPE) && lf->lfFaceName[0] != '@' && names->size() < 200) {
    std::string name = lf->lfFaceName;
    bool seen = false;
    for (const std::string& n : *names) seen = seen || n == name;
    if (!seen) names->push_back(name);
  }
  return 1;
}

}  // namespace

GdiFontSource::GdiFontSource() : dc_(CreateCompatibleDC(nullptr)) {}

GdiFontSource::~GdiFontSource() {
  if (dc_) DeleteDC(dc_);
}

std::shared_ptr<const TrueTypeFont> GdiFontSource::ReadSelectedFont(HDC dc, std::string* error) {
  auto data = std::make_shared<std::string>();
  int face = 0;
  std::string collection;
  if (ReadTable(dc, kCollectionTag, collection)) {
    // Table 0 gives this face's table directory; find it in the collection.
    std::string header(12, '\0');
    if (GetFontData(dc, 0, 0, &header[0], 12) != 12) {
      if (error) *error = "GDI gives no font data";
      return nullptr;
    }
    DWORD tables = (uint8_t(header[4]) << 8) | uint8_t(header[5]);
    std::string directory(12 + 16 * tables, '\0');
    if (GetFontData(dc, 0, 0, &directory[0], static_cast<DWORD>(directory.size())) !=
        directory.size()) {
      if (error) *error = "GDI gives no font data";
      return nullptr;
    }
    int faces = TrueTypeFont::FaceCount(collection);
    face = -1;
    for (int i = 0; i < faces && face < 0; ++i) {
      size_t at = 12 + 4 * static_cast<size_t>(i);
      uint32_t off = (uint32_t(uint8_t(collection[at])) << 24) |
                     (uint32_t(uint8_t(collection[at + 1])) << 16) |
                     (uint32_t(uint8_t(collection[at + 2])) << 8) | uint8_t(collection[at + 3]);
      if (off <= collection.size() && collection.compare(off, directory.size(), directory) == 0)
        face = i;
    }
    if (face < 0) {
      if (error) *error = "the selected face is not in its font collection";
      return nullptr;
    }
    *data = std::move(collection);
  } else if (!ReadTable(dc, 0, *data)) {
    if (error) *error = "GDI gives no TrueType data for the font";
    return nullptr;
  }
  return TrueTypeFont::Parse(data, face, error);
}

std::shared_ptr<const TrueTypeFont> GdiFontSource::TryFace(const std::string& face, int weight,
                                                           bool italic, std::string* error) {
  if (!dc_) {
    if (error) *error = "no device context";
    return nullptr;
  }
  LOGFONTA lf = {};
  lf.lfHeight = -1000;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&lf);
  if (!font) {
    if (error) *error = "the font \"" + face + "\" cannot be created";
    return nullptr;
  }
  std::shared_ptr<const TrueTypeFont> result;
  {
    ScopedSelect select(dc_, font);
    std::string why;
    result = ReadSelectedFont(dc_, &why);
    if (result && result->embedding() == TrueTypeFont::Embedding::kForbidden) {
      why = "its licence does not allow embedding";
      result = nullptr;
    }
    if (!result && error) *error = "the font \"" + face + "\" cannot be embedded: " + why;
  }
  DeleteObject(font);
  return result;
}

std::shared_ptr<const TrueTypeFont> GdiFontSource::Load(const std::string& face, int weight,
                                                        bool italic, std::string* used_face,
                                                        std::string* error) {
  auto key = std::make_tuple(face, weight, italic);
  auto cached = cache_.find(key);
  if (cached != cache_.end()) {
    if (used_face) *used_face = cached->second.second;
    if (!cached->second.first && error) *error = "no installed font can be embedded";
    return cached->second.first;
  }
  std::string first_error;
  // A face that cannot be embedded gives way to one of its kind first
  // (fixed pitch, serif), so that columns of code stay aligned.
  std::vector<std::string> candidates{face};
  std::string lower = face;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  auto has = [&](const char* part) { return lower.find(part) != std::string::npos; };
  if (has("mono") || has("courier") || has("consol") || has("console") || has("fixed")) {
    for (const char* f : {"Courier New", "Liberation Mono", "DejaVu Sans Mono"}) candidates.push_back(f);
  } else if ((has("serif") && !has("sans")) || has("times") || has("roman") || has("georgia")) {
    for (const char* f : {"Times New Roman", "Liberation Serif", "DejaVu Serif"}) candidates.push_back(f);
  }
  for (const char* f : {"Arial", "Times New Roman", "Tahoma", "Verdana", "Liberation Sans",
                        "DejaVu Sans", "Microsoft Sans Serif"})
    candidates.push_back(f);
  bool enumerated = false;
  std::shared_ptr<const TrueTypeFont> result;
  std::string chosen;
  for (size_t i = 0; i < candidates.size() && !result; ++i) {
    if (candidates[i].empty()) continue;
    std::string why;
    result = TryFace(candidates[i], weight, italic, &why);
    if (result) chosen = candidates[i];
    else if (first_error.empty()) first_error = why;
    if (!result && i + 1 == candidates.size() && !enumerated && dc_) {
      enumerated = true;
      LOGFONTA lf = {};
      lf.lfCharSet = DEFAULT_CHARSET;
      EnumFontFamiliesExA(dc_, &lf, CollectFamily, reinterpret_cast<LPARAM>(&candidates), 0);
    }
  }
  cache_[key] = std::make_pair(result, chosen);
  if (used_face) *used_face = chosen;
  if (!result && error) *error = first_error.empty() ? "no installed font can be embedded" : first_error;
  return result;
}

}  // namespace twpdf
