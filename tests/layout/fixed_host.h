// fixed_host.h - a deterministic layout host for geometry tests: every
// character advances half the font size, ascent is 0.8 em and descent
// 0.2 em (so "normal" line height is exactly the font size), images and
// style sheets come from tables the test fills.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "layout/host.h"

namespace tw {
namespace layout {

class FixedHost : public LayoutHost {
 public:
  std::map<std::string, std::pair<int, int>> images;  // url -> pixel size
  std::map<std::string, std::string> texts;           // url -> style sheet
  std::vector<std::string> requested;                 // urls asked for, in order
  int openFonts = 0, openImages = 0;

  FontHandle openFont(const FontRequest& r, FontMetrics* m) override {
    sizes_.push_back(r.size);
    ++openFonts;
    std::string face = r.family.substr(0, r.family.find(','));
    while (!face.empty() && face[0] == ' ') face.erase(0, 1);
    m->face = face.empty() ? "serif" : face;
    m->ascent = r.size * 0.8f;
    m->descent = r.size * 0.2f;
    m->xHeight = r.size * 0.5f;
    return sizes_.size();
  }
  void releaseFont(FontHandle) override { --openFonts; }
  void measureChars(FontHandle f, const char16_t*, size_t n, float* adv) override {
    float size = f >= 1 && f <= sizes_.size() ? sizes_[f - 1] : 16;
    for (size_t i = 0; i < n; ++i) adv[i] = size / 2;
  }
  ImageHandle loadImage(const std::string& url, int* w, int* h) override {
    requested.push_back(url);
    auto it = images.find(url);
    if (it == images.end()) return 0;
    *w = it->second.first;
    *h = it->second.second;
    ++openImages;
    return ++nextImage_;
  }
  void releaseImage(ImageHandle) override { --openImages; }
  bool loadText(const std::string& url, std::string* bytes) override {
    requested.push_back(url);
    auto it = texts.find(url);
    if (it == texts.end()) return false;
    *bytes = it->second;
    return true;
  }

 private:
  std::vector<float> sizes_;
  ImageHandle nextImage_ = 1000;
};

}  // namespace layout
}  // namespace tw
