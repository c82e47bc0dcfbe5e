// gdi_host.h - the Win32 host of the layout core.
//
//   GdiHost        fonts and text measurement through GDI, images decoded
//                  through windowscodecs (WIC) into 32-bit DIB sections
//                  (SVG drawn by GDI from layout/svg.h's reading),
//                  style sheets read from files
//   PaintOptions   where and how big a display list lands on a device
//   PaintDisplayList  paints a display list into an HDC (window, memory
//                  bitmap or printer)
//
// Units: the layout works in CSS px (1/96 in). Fonts are measured on a
// 96-dpi reference DC at the px size rounded to whole pixels, so a screen
// at 96 dpi paints exactly what was measured. A printer passes its scale
// (device dpi / 96) in PaintOptions.
//
// Image handles of display lists laid out with a GdiHost are that host's:
// paint them while the host that decoded them is alive.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "layout/css.h"
#include "layout/display_list.h"
#include "layout/host.h"

namespace tw {
namespace layout {

// A decoded image: a top-down 32-bit premultiplied BGRA DIB section.
struct GdiImage {
  HBITMAP bitmap = nullptr;
  int width = 0, height = 0;
  bool hasAlpha = false;
};

class GdiHost : public LayoutHost {
 public:
  GdiHost();
  ~GdiHost() override;
  GdiHost(const GdiHost&) = delete;
  GdiHost& operator=(const GdiHost&) = delete;

  FontHandle openFont(const FontRequest& request, FontMetrics* metrics) override;
  void releaseFont(FontHandle font) override;
  void measureChars(FontHandle font, const char16_t* text, size_t n, float* advances) override;
  ImageHandle loadImage(const std::string& url, int* width, int* height) override;
  void releaseImage(ImageHandle image) override;
  bool loadText(const std::string& url, std::string* bytes) override;
  // Style sheets are parsed once per version of their file (its time and
  // size) and kept while the host lives: every page of a help file links
  // the same sheets. Null when the file is not kept (the core then reads
  // and parses it itself).
  std::shared_ptr<const StyleSheet> loadStyleSheet(const std::string& url) override;

  // loadText's reading, which touches nothing of the host (any thread).
  static bool readText(const std::string& url, std::string* bytes);

  // The last write time and size of the file a URL names; false when it
  // names no file.
  static bool fileStamp(const std::string& url, uint64_t* time, uint64_t* size);

  // The decoded image behind a handle this host returned (or null).
  static const GdiImage* image(ImageHandle h) { return reinterpret_cast<const GdiImage*>(h); }

  // The installed face chosen for a CSS family list ("Verdana, sans-serif").
  std::string resolveFamily(const std::string& cssFamilies);

  // The local file path (UTF-8) a file URL or a drive or UNC path names,
  // as NS_FileURLToLocalFile reads it, escapes that form no UTF-8 read in
  // the ANSI code page; "" for anything else.
  static std::string pathFromUrl(const std::string& url);

  // Limits on what is decoded: larger images are not loaded.
  static constexpr long long kMaxImagePixels = 40LL * 1000 * 1000;
  static constexpr size_t kMaxTextBytes = 4u << 20;
  // Limits of the sheets kept; beyond them sheets are parsed per page.
  static constexpr size_t kMaxCachedSheetBytes = 16u << 20;
  static constexpr size_t kMaxCachedSheets = 4096;

 private:
  struct Font {
    HFONT font = nullptr;
    int refs = 0;
    std::string key;
  };
  bool faceExists(const std::wstring& face);
  // An .svg file drawn into a bitmap (its size in CSS px in *width/*height).
  ImageHandle loadSvgImage(const std::string& url, int* width, int* height);

  HDC dc_ = nullptr;
  HGDIOBJ oldFont_ = nullptr;
  bool comInit_ = false;
  void* wic_ = nullptr;  // IWICImagingFactory*
  std::map<std::string, Font*> fonts_;
  std::map<std::wstring, bool> faces_;
  std::map<std::string, std::string> families_;
  struct CachedSheet {
    uint64_t time = 0, size = 0;
    std::shared_ptr<const StyleSheet> sheet;
  };
  std::map<std::string, CachedSheet> sheets_;  // by url
  size_t sheetBytes_ = 0;
};

struct PaintOptions {
  float scale = 1.0f;            // device pixels per CSS px
  int originX = 0, originY = 0;  // device position of the list's (0, 0)
  // Part of the list to paint, in CSS px of the list (empty: all of it).
  RectF clip;
  bool paintBackground = true;   // fill the clip with DisplayList::background
};

// Paints the list into dc. Leaves the DC's state (objects, modes, clip) as
// it found it.
void PaintDisplayList(HDC dc, const DisplayList& list, const PaintOptions& options);

// Turns a UTF-8 string into UTF-16 (helpers shared by the host and views).
std::wstring WidenUtf8(const std::string& s);

}  // namespace layout
}  // namespace tw
