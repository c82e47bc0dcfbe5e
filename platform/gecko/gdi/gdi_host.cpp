// gdi_host.cpp - fonts and measurement through GDI, images through WIC.
#include "gdi/gdi_host.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "layout/svg.h"

#include "nsURLParser.h"

namespace tw {
namespace layout {

namespace {

std::wstring widen(const std::string& s, UINT codePage) {
  if (s.empty()) return std::wstring();
  int n = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
  std::wstring w(size_t(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), &w[0], n);
  return w;
}

}  // namespace

std::wstring WidenUtf8(const std::string& s) { return widen(s, CP_UTF8); }

namespace {

std::string narrowUtf8(const wchar_t* w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string s(size_t(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
  return s;
}

std::string lowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return s;
}

int CALLBACK faceProc(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

GdiHost::GdiHost() {
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_) {
    SetMapMode(dc_, MM_TEXT);
    oldFont_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  }
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comInit_ = SUCCEEDED(hr);  // S_FALSE also needs its CoUninitialize
  IWICImagingFactory* f = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                 reinterpret_cast<void**>(&f))))
    wic_ = f;
}

GdiHost::~GdiHost() {
  if (dc_) {
    SelectObject(dc_, oldFont_);
    DeleteDC(dc_);
  }
  for (auto& f : fonts_) {
    DeleteObject(f.second->font);
    delete f.second;
  }
  if (wic_) static_cast<IWICImagingFactory*>(wic_)->Release();
  if (comInit_) CoUninitialize();
}

bool GdiHost::faceExists(const std::wstring& face) {
  auto it = faces_.find(face);
  if (it != faces_.end()) return it->second;
  bool found = false;
  // A page naming thousands of faces gets no more enumerations: the
  // generic faces asked for first are cached by then.
  if (faces_.size() >= 2048) return false;
  if (dc_ && !face.empty() && face.size() < LF_FACESIZE) {
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    EnumFontFamiliesExW(dc_, &lf, faceProc, reinterpret_cast<LPARAM>(&found), 0);
  }
  faces_[face] = found;
  return found;
}

namespace {

// Installed faces tried for each generic family, best first (Windows'
// own, then the metric-compatible and common free faces).
const char* const kSerif[] = {"Times New Roman", "Liberation Serif", "DejaVu Serif", "Nimbus Roman", nullptr};
const char* const kSans[] = {"Arial", "Liberation Sans", "DejaVu Sans", "Tahoma", nullptr};
const char* const kMono[] = {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Courier", "Nimbus Mono PS", nullptr};
const char* const kCursive[] = {"Comic Sans MS", nullptr};
const char* const kFantasy[] = {"Impact", nullptr};

// Faces with the same metrics as a usual page font that may be missing (the
// Windows and Macintosh core fonts): a line set in them breaks where it
// would in that font.
const struct {
  const char* name;  // lower case
  const char* face;
} kMetricTwins[] = {
    {"arial", "Liberation Sans"},        {"helvetica", "Liberation Sans"},
    {"helvetica neue", "Liberation Sans"}, {"arimo", "Liberation Sans"},
    {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
    {"tinos", "Liberation Serif"},       {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},      {"cousine", "Liberation Mono"},
};

const char* metricTwin(const std::string& lowerName) {
  for (const auto& t : kMetricTwins)
    if (lowerName == t.name) return t.face;
  return nullptr;
}

const char* const* genericFaces(const std::string& lowerName) {
  if (lowerName == "serif") return kSerif;
  if (lowerName == "sans-serif") return kSans;
  if (lowerName == "monospace") return kMono;
  if (lowerName == "cursive") return kCursive;
  if (lowerName == "fantasy") return kFantasy;
  return nullptr;
}

}  // namespace

std::string GdiHost::resolveFamily(const std::string& css) {
  auto it = families_.find(css);
  if (it != families_.end()) return it->second;
  std::string chosen;
  size_t i = 0;
  while (chosen.empty() && i <= css.size()) {
    size_t e = css.find(',', i);
    if (e == std::string::npos) e = css.size();
    std::string name = css.substr(i, e - i);
    i = e + 1;
    while (!name.empty() && (name[0] == ' ' || name[0] == '"' || name[0] == '\'')) name.erase(0, 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '"' || name.back() == '\'')) name.pop_back();
    if (name.empty()) continue;
    if (const char* const* g = genericFaces(lowerAscii(name))) {
      for (; *g && chosen.empty(); ++g)
        if (faceExists(WidenUtf8(*g))) chosen = *g;
      continue;
    }
    if (faceExists(WidenUtf8(name))) chosen = name;
    else if (const char* twin = metricTwin(lowerAscii(name)))
      if (faceExists(WidenUtf8(twin))) chosen = twin;
  }
  if (chosen.empty()) {
    // Nothing listed is installed: a face of the same kind as the first
    // name (sans-serif for Arial, Verdana, Tahoma...; monospace for
    // Courier, Consolas...), else the default serif face, else GDI's choice.
    std::string first = lowerAscii(css.substr(0, css.find(',')));
    const char* const* kind = kSerif;
    for (const char* n : {"arial", "helvetica", "verdana", "tahoma", "segoe", "trebuchet", "geneva", "sans",
                          "calibri", "lucida grande", "frutiger", "univers"})
      if (first.find(n) != std::string::npos) kind = kSans;
    for (const char* n : {"courier", "consolas", "lucida console", "monaco", "mono", "fixedsys", "terminal"})
      if (first.find(n) != std::string::npos) kind = kMono;
    for (const char* const* g = kind; *g && chosen.empty(); ++g)
      if (faceExists(WidenUtf8(*g))) chosen = *g;
    for (const char* const* g = kSerif; *g && chosen.empty(); ++g)
      if (faceExists(WidenUtf8(*g))) chosen = *g;
    if (chosen.empty()) chosen = "Times New Roman";
  }
  if (families_.size() < 1024) families_[css] = chosen;
  return chosen;
}

FontHandle GdiHost::openFont(const FontRequest& r, FontMetrics* m) {
  int px = std::max(1, std::min(2000, int(std::lround(r.size))));
  std::string face = resolveFamily(r.family);
  char key[64];
  snprintf(key, sizeof key, "|%d|%d|%d", px, r.weight, r.italic ? 1 : 0);
  std::string k = face + key;
  Font* f;
  auto it = fonts_.find(k);
  if (it != fonts_.end()) {
    f = it->second;
  } else {
    LOGFONTW lf = {};
    lf.lfHeight = -px;
    lf.lfWeight = std::max(100, std::min(900, r.weight));
    lf.lfItalic = r.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::wstring wface = WidenUtf8(face);
    wcsncpy(lf.lfFaceName, wface.c_str(), LF_FACESIZE - 1);
    f = new Font();
    f->font = CreateFontIndirectW(&lf);
    if (!f->font) f->font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    f->key = k;
    fonts_[k] = f;
  }
  ++f->refs;
  if (dc_) {
    SelectObject(dc_, f->font);
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc_, &tm);
    m->ascent = float(tm.tmAscent);
    m->descent = float(tm.tmDescent);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc_, LF_FACESIZE, name);
    m->face = name[0] ? narrowUtf8(name) : face;
    // x-height from the glyph outline of 'x' when the font has one
    GLYPHMETRICS gm = {};
    MAT2 mat = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    if (GetGlyphOutlineW(dc_, L'x', GGO_METRICS, &gm, 0, nullptr, &mat) != GDI_ERROR && gm.gmptGlyphOrigin.y > 0)
      m->xHeight = float(gm.gmptGlyphOrigin.y);
  } else {
    m->ascent = float(px) * 0.8f;
    m->descent = float(px) * 0.2f;
    m->face = face;
  }
  return reinterpret_cast<FontHandle>(f);
}

void GdiHost::releaseFont(FontHandle h) {
  Font* f = reinterpret_cast<Font*>(h);
  if (!f) return;
  if (--f->refs > 0) return;
  // Fonts stay cached for the next page unless the cache grew large.
  if (fonts_.size() > 256) {
    fonts_.erase(f->key);
    if (dc_) SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(f->font);
    delete f;
  }
}

void GdiHost::measureChars(FontHandle h, const char16_t* text, size_t n, float* adv) {
  Font* f = reinterpret_cast<Font*>(h);
  if (!f || !dc_ || n == 0) {
    for (size_t i = 0; i < n; ++i) adv[i] = 0;
    return;
  }
  SelectObject(dc_, f->font);
  size_t done = 0;
  std::vector<int> dx;
  while (done < n) {
    int chunk = int(std::min<size_t>(n - done, 4096));
    dx.assign(size_t(chunk), 0);
    SIZE sz;
    int fit = 0;
    if (!GetTextExtentExPointW(dc_, reinterpret_cast<const wchar_t*>(text + done), chunk, 0, &fit, dx.data(), &sz)) {
      for (int i = 0; i < chunk; ++i) adv[done + size_t(i)] = 0;
    } else {
      int prev = 0;
      for (int i = 0; i < chunk; ++i) {
        adv[done + size_t(i)] = float(dx[size_t(i)] - prev);
        prev = dx[size_t(i)];
      }
    }
    done += size_t(chunk);
  }
}

std::string GdiHost::pathFromUrl(const std::string& url) {
  nsLocalFileRef file;
  if (!NS_FileURLToLocalFile(url, file)) return std::string();
  // Escapes that form no UTF-8 are bytes of the ANSI code page (pages of
  // old help files), as the page view reads them.
  const std::string& p = file.path;
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, p.data(), int(p.size()), nullptr, 0) > 0)
    return p;
  return narrowUtf8(widen(p, CP_ACP).c_str());
}

namespace {

// A top-down 32-bit DIB section of w x h pixels; null when it cannot be made.
HBITMAP newDib(int w, int h, void** bits) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  *bits = nullptr;
  HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
  if (bmp && !*bits) {
    DeleteObject(bmp);
    bmp = nullptr;
  }
  return bmp;
}

bool endsWithSvg(const std::string& path) {
  size_t n = path.size();
  return n >= 4 && path[n - 4] == '.' && (path[n - 3] | 32) == 's' && (path[n - 2] | 32) == 'v' &&
         (path[n - 1] | 32) == 'g';
}

// Paints a drawing scaled by k onto dc, over a white or black ground.
void paintSvg(HDC dc, const SvgDrawing& d, double k, int w, int h, bool black, GdiHost& host) {
  RECT all = {0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(black ? BLACK_BRUSH : WHITE_BRUSH)));
  SetPolyFillMode(dc, WINDING);
  SetBkMode(dc, TRANSPARENT);
  auto colorRef = [](Color c) { return RGB(c.r, c.g, c.b); };
  std::vector<POINT> pts;
  std::vector<INT> counts;
  for (int index : d.order) {
    if (index < 0) {
      const SvgText& t = d.texts[size_t(-1 - index)];
      LOGFONTW lf = {};
      lf.lfHeight = -std::max(1L, std::lround(t.size * k));
      lf.lfWeight = std::max(100, std::min(900, t.weight));
      lf.lfCharSet = DEFAULT_CHARSET;
      lf.lfQuality = ANTIALIASED_QUALITY;
      std::wstring face = WidenUtf8(host.resolveFamily(t.family));
      wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
      HFONT font = CreateFontIndirectW(&lf);
      HGDIOBJ old = SelectObject(dc, font);
      SetTextColor(dc, colorRef(t.color));
      SetTextAlign(dc, TA_BASELINE | (t.anchor == 1 ? TA_CENTER : t.anchor == 2 ? TA_RIGHT : TA_LEFT));
      std::wstring text = WidenUtf8(t.text);
      TextOutW(dc, int(std::lround(t.at.x * k)), int(std::lround(t.at.y * k)), text.c_str(), int(text.size()));
      SelectObject(dc, old);
      DeleteObject(font);
      continue;
    }
    const SvgShape& s = d.shapes[size_t(index)];
    pts.clear();
    counts.clear();
    for (size_t i = 0; i < s.subpaths.size(); ++i) {
      for (const SvgPoint& p : s.subpaths[i])
        pts.push_back(POINT{LONG(std::lround(p.x * k)), LONG(std::lround(p.y * k))});
      if (s.closed[i] && !s.subpaths[i].empty())
        pts.push_back(POINT{LONG(std::lround(s.subpaths[i][0].x * k)), LONG(std::lround(s.subpaths[i][0].y * k))});
      counts.push_back(INT(s.subpaths[i].size() + (s.closed[i] && !s.subpaths[i].empty() ? 1 : 0)));
    }
    if (s.fill) {
      HBRUSH brush = CreateSolidBrush(colorRef(s.fillColor));
      HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
      std::vector<INT> fillCounts;
      std::vector<POINT> fillPts;
      size_t at = 0;
      for (INT c : counts) {  // subpaths of fewer than three points fill nothing
        if (c >= 3) {
          fillPts.insert(fillPts.end(), pts.begin() + long(at), pts.begin() + long(at + size_t(c)));
          fillCounts.push_back(c);
        }
        at += size_t(c);
      }
      if (!fillCounts.empty()) PolyPolygon(dc, fillPts.data(), fillCounts.data(), int(fillCounts.size()));
      SelectObject(dc, oldBrush);
      SelectObject(dc, oldPen);
      DeleteObject(brush);
    }
    if (s.stroke) {
      LOGBRUSH lb = {BS_SOLID, colorRef(s.strokeColor), 0};
      DWORD width = DWORD(std::max(1L, std::lround(s.strokeWidth * k)));
      HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, width, &lb, 0, nullptr);
      HGDIOBJ oldPen = SelectObject(dc, pen);
      size_t at = 0;
      for (INT c : counts) {
        if (c >= 2) Polyline(dc, pts.data() + at, c);
        at += size_t(c);
      }
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
  }
  GdiFlush();
}

}  // namespace

// An SVG document drawn into a bitmap of a few device pixels per CSS px (so
// that print stays sharp). Drawn over white and over black, the two give
// each pixel's coverage: where the drawing leaves the ground, it stays
// transparent.
ImageHandle GdiHost::loadSvgImage(const std::string& url, int* width, int* height) {
  std::string bytes;
  SvgDrawing d;
  if (!loadText(url, &bytes) || !looksLikeSvg(bytes) || !parseSvg(bytes, &d)) return 0;
  const int cssW = std::max(1, int(std::ceil(d.width))), cssH = std::max(1, int(std::ceil(d.height)));
  double k = 4;
  while (k > 1 && double(cssW) * k * double(cssH) * k > 4.0e6) k /= 2;
  const int w = std::max(1, int(std::lround(cssW * k))), h = std::max(1, int(std::lround(cssH * k)));
  if (static_cast<long long>(w) * h > kMaxImagePixels) return 0;
  void* onWhite = nullptr;
  void* onBlack = nullptr;
  HBITMAP white = newDib(w, h, &onWhite);
  HBITMAP black = newDib(w, h, &onBlack);
  HDC dc = CreateCompatibleDC(nullptr);
  GdiImage* img = nullptr;
  if (white && black && onWhite && onBlack && dc) {
    HGDIOBJ old = SelectObject(dc, white);
    paintSvg(dc, d, k, w, h, false, *this);
    SelectObject(dc, black);
    paintSvg(dc, d, k, w, h, true, *this);
    SelectObject(dc, old);
    // premultiplied BGRA: colour = what shows over black, alpha from the difference
    uint8_t* b = static_cast<uint8_t*>(onBlack);
    const uint8_t* wp = static_cast<const uint8_t*>(onWhite);
    bool alpha = false;
    for (size_t i = 0; i < size_t(w) * size_t(h) * 4; i += 4) {
      int cover = 255 - std::max({0, wp[i] - b[i], wp[i + 1] - b[i + 1], wp[i + 2] - b[i + 2]});
      b[i + 3] = uint8_t(cover);
      for (int c = 0; c < 3; ++c) b[i + c] = uint8_t(std::min<int>(b[i + c], cover));
      if (cover != 255) alpha = true;
    }
    img = new GdiImage();
    img->bitmap = black;
    img->width = w;
    img->height = h;
    img->hasAlpha = alpha;
    black = nullptr;
  }
  if (dc) DeleteDC(dc);
  if (white) DeleteObject(white);
  if (black) DeleteObject(black);
  if (!img) return 0;
  *width = cssW;
  *height = cssH;
  return reinterpret_cast<ImageHandle>(img);
}

ImageHandle GdiHost::loadImage(const std::string& url, int* width, int* height) {
  auto* wic = static_cast<IWICImagingFactory*>(wic_);
  std::string path = pathFromUrl(url);
  if (endsWithSvg(path)) return loadSvgImage(url, width, height);
  if (!wic || path.empty()) return 0;
  std::wstring wpath = WidenUtf8(path);
  IWICBitmapDecoder* dec = nullptr;
  IWICBitmapFrameDecode* frame = nullptr;
  IWICFormatConverter* conv = nullptr;
  GdiImage* img = nullptr;
  UINT w = 0, h = 0;
  do {
    if (FAILED(wic->CreateDecoderFromFilename(wpath.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                              &dec)))
      break;
    if (FAILED(dec->GetFrame(0, &frame))) break;
    if (FAILED(frame->GetSize(&w, &h)) || w == 0 || h == 0) break;
    if (static_cast<long long>(w) * h > kMaxImagePixels) break;
    if (FAILED(wic->CreateFormatConverter(&conv))) break;
    if (FAILED(conv->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                WICBitmapPaletteTypeCustom)))
      break;
    void* bits = nullptr;
    HBITMAP bmp = newDib(int(w), int(h), &bits);
    if (!bmp) break;
    UINT stride = w * 4;
    if (FAILED(conv->CopyPixels(nullptr, stride, stride * h, static_cast<BYTE*>(bits)))) {
      DeleteObject(bmp);
      break;
    }
    GdiFlush();
    bool alpha = false;
    const BYTE* p = static_cast<const BYTE*>(bits);
    for (size_t i = 3; i < size_t(stride) * h; i += 4)
      if (p[i] != 255) {
        alpha = true;
        break;
      }
    img = new GdiImage();
    img->bitmap = bmp;
    img->width = int(w);
    img->height = int(h);
    img->hasAlpha = alpha;
  } while (false);
  if (conv) conv->Release();
  if (frame) frame->Release();
  if (dec) dec->Release();
  if (!img) return 0;
  *width = img->width;
  *height = img->height;
  return reinterpret_cast<ImageHandle>(img);
}

void GdiHost::releaseImage(ImageHandle h) {
  GdiImage* img = reinterpret_cast<GdiImage*>(h);
  if (!img) return;
  if (img->bitmap) DeleteObject(img->bitmap);
  delete img;
}

bool GdiHost::loadText(const std::string& url, std::string* bytes) { return readText(url, bytes); }

bool GdiHost::readText(const std::string& url, std::string* bytes) {
  std::string path = pathFromUrl(url);
  if (path.empty()) return false;
  HANDLE f = CreateFileW(WidenUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size;
  bool ok = GetFileSizeEx(f, &size) && size.QuadPart >= 0 && size.QuadPart <= LONGLONG(kMaxTextBytes);
  if (ok) {
    bytes->assign(size_t(size.QuadPart), '\0');
    DWORD read = 0;
    ok = size.QuadPart == 0 || (ReadFile(f, &(*bytes)[0], DWORD(size.QuadPart), &read, nullptr) && read == size.QuadPart);
  }
  CloseHandle(f);
  return ok;
}

bool GdiHost::fileStamp(const std::string& url, uint64_t* time, uint64_t* size) {
  const std::string path = pathFromUrl(url);
  if (path.empty()) return false;
  const std::wstring wide = WidenUtf8(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  *time = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  *size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::shared_ptr<const StyleSheet> GdiHost::loadStyleSheet(const std::string& url) {
  uint64_t time = 0, size = 0;
  if (!fileStamp(url, &time, &size)) return nullptr;
  auto it = sheets_.find(url);
  if (it != sheets_.end() && it->second.time == time && it->second.size == size) return it->second.sheet;
  const size_t before = it != sheets_.end() ? it->second.sheet->sourceBytes : 0;
  if (sheetBytes_ - before + size > kMaxCachedSheetBytes || (it == sheets_.end() && sheets_.size() >= kMaxCachedSheets))
    return nullptr;
  std::string bytes;
  if (!loadText(url, &bytes)) return nullptr;
  auto sheet = std::make_shared<StyleSheet>();
  parseStyleSheet(bytes, sheet.get());
  CachedSheet& c = sheets_[url];
  sheetBytes_ = sheetBytes_ - before + sheet->sourceBytes;
  // The stamp taken before the read: a file changed meanwhile is read again.
  c.time = time;
  c.size = size;
  c.sheet = std::move(sheet);
  return c.sheet;
}

}  // namespace layout
}  // namespace tw
