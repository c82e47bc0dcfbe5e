#include "pdf_page_setup.h"

#include <algorithm>
#include <cmath>

#include "pdf_document.h"

namespace twpdf {
namespace {

const double kPointsPerInch = 72;

double Positive(double v) { return std::isfinite(v) && v > 0 ? v : 0; }

// Keeps two opposite margins inside the page.
void FitMargins(double extent, double& a, double& b) {
  a = std::min(Positive(a), extent);
  b = std::min(Positive(b), extent);
  if (a + b > extent * 0.9) {
    double scale = extent * 0.5 / (a + b);
    a *= scale;
    b *= scale;
  }
}

}  // namespace

PageGeometry ComputeGeometry(const PageSetup& setup) {
  PageGeometry g;
  double w = Positive(setup.width_in), h = Positive(setup.height_in);
  if (w == 0 || h == 0) {  // unknown paper: A4
    w = 21.0 / 2.54;
    h = 29.7 / 2.54;
  }
  if (setup.landscape && w < h) std::swap(w, h);  // the long side across
  g.width = std::min(std::max(w * kPointsPerInch, 3.0), 14400.0);
  g.height = std::min(std::max(h * kPointsPerInch, 3.0), 14400.0);
  double l = setup.margin_left_in * kPointsPerInch, r = setup.margin_right_in * kPointsPerInch;
  double t = setup.margin_top_in * kPointsPerInch, b = setup.margin_bottom_in * kPointsPerInch;
  FitMargins(g.width, l, r);
  FitMargins(g.height, t, b);
  g.left = l;
  g.right = g.width - r;
  g.bottom = b;
  g.top = g.height - t;
  return g;
}

void DecoratePage(DocumentWriter& writer, Page& page, const PageSetup& setup,
                  const PageGeometry& g, int font, double size) {
  double top_band = g.height - g.top, bottom_band = g.bottom;
  // Baselines centred in their margins; a band too narrow for the text
  // keeps the text on the page.
  double header_y = g.height - std::max(top_band, 2 * size) / 2 - 0.35 * size;
  double footer_y = std::max(bottom_band, 2 * size) / 2 - 0.35 * size;
  auto row = [&](double y, const std::string& left, const std::string& centre,
                 const std::string& right) {
    if (!left.empty()) page.ShowText(font, size, g.left, y, left);
    if (!centre.empty())
      page.ShowText(font, size, (g.left + g.right - writer.TextWidth(font, size, centre)) / 2, y,
                    centre);
    if (!right.empty())
      page.ShowText(font, size, g.right - writer.TextWidth(font, size, right), y, right);
  };
  bool header = !setup.header_left.empty() || !setup.header_center.empty() ||
                !setup.header_right.empty();
  bool footer = !setup.footer_left.empty() || !setup.footer_center.empty() ||
                !setup.footer_right.empty();
  if (!header && !footer && !setup.header_separator && !setup.footer_separator) return;
  page.SaveState();
  page.SetFillColor(0, 0, 0);
  page.SetStrokeColor(0, 0, 0);
  page.SetLineWidth(0.5);
  if (header) row(header_y, setup.header_left, setup.header_center, setup.header_right);
  if (footer) row(footer_y, setup.footer_left, setup.footer_center, setup.footer_right);
  if (setup.header_separator) {
    double y = header_y - 0.4 * size;
    page.StrokeLine(g.left, y, g.right, y);
  }
  if (setup.footer_separator) {
    double y = footer_y + 1.05 * size;
    page.StrokeLine(g.left, y, g.right, y);
  }
  page.RestoreState();
}

}  // namespace twpdf
