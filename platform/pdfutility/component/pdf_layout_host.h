// pdf_layout_host.h - the layout core's host when pages go to a PDF.
//
//   PdfLayoutHost  fonts are the TrueType fonts the PDF embeds (read through
//                  GDI by GdiFontSource) and text is measured with their own
//                  advance widths, so a line laid out here is exactly as long
//                  in the PDF as the layout thought. Images and style sheets
//                  are read by the GDI host (windowscodecs), which the
//                  painter then asks for the decoded pixels.
//                  A character that the chosen font lacks is measured (and
//                  drawn, see FallbackFor) in the first of some installed
//                  faces of wide coverage that has it, so text in scripts
//                  the page's font does not cover still shows.
//                  Style sheets and images are kept for the whole
//                  conversion (every page of a help file links the same
//                  sheets and shows the same icons): a file is read or
//                  decoded again only when its time or size has changed,
//                  and a sheet is parsed once per version of its file.
//                  Pages of one conversion are laid out on several threads
//                  at once: every operation may be called from any thread.
//                  Measuring takes no lock while the font has the
//                  characters (fonts are immutable once read); everything
//                  that reads files, GDI or the caches takes the host's.
//   PdfHostFont    what a FontHandle of this host stands for.
//
// Units are CSS px, as everywhere in the layout core.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "gdi/gdi_host.h"
#include "layout/host.h"
#include "pdf_gdi_fonts.h"

namespace twpdf {

struct PdfHostFont {
  std::shared_ptr<const TrueTypeFont> ttf;  // null: the standard font (Helvetica)
  std::string face;                         // the face actually read
  float size = 16;                          // em size in px
  int weight = 400;
  bool italic = false;
};

class PdfLayoutHost : public tw::layout::LayoutHost {
 public:
  PdfLayoutHost();
  ~PdfLayoutHost() override;

  tw::layout::FontHandle openFont(const tw::layout::FontRequest& request,
                                  tw::layout::FontMetrics* metrics) override;
  void releaseFont(tw::layout::FontHandle font) override;
  void measureChars(tw::layout::FontHandle font, const char16_t* text, size_t n,
                    float* advances) override;
  tw::layout::ImageHandle loadImage(const std::string& url, int* width, int* height) override;
  void releaseImage(tw::layout::ImageHandle image) override;
  bool loadText(const std::string& url, std::string* bytes) override;
  // The GDI host's sheets, parsed once per version of their file.
  std::shared_ptr<const tw::layout::StyleSheet> loadStyleSheet(const std::string& url) override;

  // The TrueType font for a face, weight and slant as the display list
  // names it (null when no installed font can be embedded at all).
  std::shared_ptr<const TrueTypeFont> FontFor(const std::string& face, int weight, bool italic,
                                              std::string* used_face = nullptr);
  // A font for a character that |font| lacks: the first installed face of
  // wide coverage that has it, in the same weight and slant. Null when
  // |font| has the character, for spaces and control characters, and when
  // no such face is installed.
  struct Fallback {
    std::shared_ptr<const TrueTypeFont> ttf;
    std::string face;
  };
  const Fallback* FallbackFor(const TrueTypeFont* font, char32_t cp, int weight, bool italic);

  // The installed face for a CSS family list.
  std::string ResolveFamily(const std::string& css_families);

  // While set, images that layouts on the calling thread release are put
  // into |later| instead of being freed: a page's display lists may still
  // show them after its layout is gone. ReleaseLater frees them.
  static void DeferReleasesOnThisThread(std::vector<tw::layout::ImageHandle>* later);
  void ReleaseLater(const std::vector<tw::layout::ImageHandle>& later);
  // The decoded image behind a handle of this host.
  static const tw::layout::GdiImage* Image(tw::layout::ImageHandle h) {
    return tw::layout::GdiHost::image(h);
  }
  static std::string PathFromUrl(const std::string& url) {
    return tw::layout::GdiHost::pathFromUrl(url);
  }

 private:
  // What tells one version of a file from another.
  struct FileStamp {
    uint64_t time = 0, size = 0;
    bool operator==(const FileStamp& o) const { return time == o.time && size == o.size; }
  };
  static bool StampOf(const std::string& url, FileStamp* stamp);
  struct CachedImage {
    FileStamp stamp;
    tw::layout::ImageHandle handle = 0;
    int width = 0, height = 0;
  };
  // Limits of what is kept; beyond them files are read as without a cache.
  static constexpr uint64_t kMaxCachedPixels = 16u << 20;  // 64 MB of BGRA

  // Guards everything below; recursive since the public operations call
  // one another.
  std::recursive_mutex lock_;
  tw::layout::GdiHost gdi_;
  GdiFontSource fonts_;
  std::map<std::tuple<std::string, int, bool, float>, std::unique_ptr<PdfHostFont>> open_;
  std::map<std::string, std::string> families_;  // CSS family list -> face
  // Fallback faces as loaded (null: not installed) and the choice per
  // character, weight and slant (-1: none).
  std::map<std::tuple<size_t, int, bool>, std::unique_ptr<Fallback>> fallback_fonts_;
  std::map<std::tuple<char32_t, int, bool>, int> fallback_choice_;
  std::unordered_map<std::string, CachedImage> images_;  // by url
  struct CachedSheet {
    FileStamp stamp;
    std::shared_ptr<const tw::layout::StyleSheet> sheet;
  };
  std::unordered_map<std::string, CachedSheet> sheets_;  // by url
  size_t sheet_bytes_ = 0;
  // Every handle the cache handed out (also those of files since changed,
  // which a page may still show): released with the host.
  std::set<tw::layout::ImageHandle> cached_handles_;
  uint64_t image_pixels_ = 0;
};

}  // namespace twpdf
