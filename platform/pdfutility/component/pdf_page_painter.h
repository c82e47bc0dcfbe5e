// pdf_page_painter.h - the items of a laid-out page drawn on a PDF page.
//
//   PdfPagePainter   draws one display list (fills, borders, text runs with
//                    their fallback fonts, images and tiled images, clips)
//                    inside the content box of a page, the PDF counterpart
//                    of the GDI painter. The page is one painted away from
//                    the writer (on any thread): it names its own fonts and
//                    images, which the conversion binds to the document's
//                    when the writer takes the page.
//
// Display lists are in CSS pixels from the content box's top left corner;
// the page is in points from its bottom left corner.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "layout/display_list.h"
#include "pdf_page_setup.h"

namespace twpdf {

class Page;
class PdfLayoutHost;
class TrueTypeFont;

class PdfPagePainter {
 public:
  // The fonts and images of the page being painted (Page::UseFont and
  // Page::UseImage numbers).
  class Resources {
   public:
    virtual int PageFont(const std::string& face, int weight, bool italic) = 0;
    // The page image of one image of the list (-1 when unusable).
    virtual int PageImage(const tw::layout::DisplayList& list, int index) = 0;
    // For an image tiled |across| by |down| times: a page image of *rx by
    // *ry copies of it side by side (-1, *rx = *ry = 1, when tiles are
    // drawn one by one).
    virtual int PageTileBlock(const tw::layout::DisplayList& list, int index, double across,
                              double down, int* rx, int* ry) = 0;

   protected:
    ~Resources() = default;
  };

  static constexpr double kPointsPerPx = 0.75;  // 1 px = 1/96 inch, 1 pt = 1/72 inch

  // |scale| shrinks content wider than the page.
  PdfPagePainter(Resources& resources, PdfLayoutHost& host, Page& page,
                 const PageGeometry& geometry, double scale);

  // Draws the list's background and items, clipped to the content box.
  void Paint(const tw::layout::DisplayList& list);

  // A position of the list on the page.
  double X(double x) const { return geometry_.left + x * k_; }
  double Y(double y) const { return geometry_.top - y * k_; }

 private:
  // The fill colour is set only when it changes (a saved state restored
  // brings back the colour it saved).
  void SetFill(const tw::layout::Color& c);
  void Save();
  void Restore();
  void PaintBorder(const tw::layout::DisplayItem& it);
  void PaintRoundFill(const tw::layout::DisplayItem& it);
  void PaintText(const tw::layout::DisplayList& list, const tw::layout::DisplayItem& it);
  void PaintImage(const tw::layout::DisplayList& list, const tw::layout::DisplayItem& it);
  // A text run at (x, y) in points, characters its font lacks in fallback
  // fonts.
  void ShowRun(const std::u16string& text, const tw::layout::FontDesc& fd,
               const TrueTypeFont* main, int font, double size, double x, double y);

  Resources& resources_;
  PdfLayoutHost& host_;
  Page& page_;
  const PageGeometry& geometry_;
  const double k_;
  std::vector<tw::layout::Color> fill_;
  // Page fonts (and their TrueType fonts) of the list's fonts, looked up
  // once per page.
  std::vector<int> fonts_;
  std::vector<std::shared_ptr<const TrueTypeFont>> faces_;
  std::vector<char32_t> code_points_;  // ShowRun's, kept from run to run
};

}  // namespace twpdf
