// pdf_page_setup.h - paper, margins, headers and footers of the pages.
//
//   PageSetup       the conversion's page setup as the writer takes it:
//                   paper in inches, orientation, margins in inches, the
//                   two separator flags and the six header/footer texts
//                   (UTF-8). The component fills it from the job's record.
//   PageGeometry    the sanitised result in points: page size and the
//                   content box inside the margins.
//   ComputeGeometry turns a PageSetup into a PageGeometry: a paper size
//                   that is missing, not finite or not positive becomes A4;
//                   landscape puts the long side across (a paper typed
//                   already landscape stays so); sizes are clamped to
//                   what readers accept; negative margins become 0, and
//                   margins that leave less than a tenth of the page are
//                   scaled down so that half of it remains.
//   DecoratePage    draws the header fields in the top margin and the
//                   footer fields in the bottom margin (left, centre,
//                   right within the content width), each band with its
//                   separator line when asked.
#pragma once

#include <string>

namespace twpdf {

class Page;
class DocumentWriter;

struct PageSetup {
  double width_in = 0;
  double height_in = 0;
  bool landscape = false;
  double margin_left_in = 0.5, margin_top_in = 0.5, margin_right_in = 0.5,
         margin_bottom_in = 0.5;
  bool header_separator = false;
  bool footer_separator = false;
  std::string header_left, header_center, header_right;
  std::string footer_left, footer_center, footer_right;
};

struct PageGeometry {
  double width = 0, height = 0;
  double left = 0, bottom = 0, right = 0, top = 0;  // content box
};

PageGeometry ComputeGeometry(const PageSetup& setup);

// |font| is a font id of |writer|; nothing is drawn for empty fields.
void DecoratePage(DocumentWriter& writer, Page& page, const PageSetup& setup,
                  const PageGeometry& geometry, int font, double font_size = 9);

}  // namespace twpdf
