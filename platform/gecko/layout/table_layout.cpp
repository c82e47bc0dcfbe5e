// table_layout.cpp - tables (CSS 2.1 17): the grid with colspan/rowspan,
// automatic column widths from the cells' minimum and maximum widths,
// percentage and fixed widths, row heights, vertical alignment in cells,
// separated borders (border-spacing) and collapsed borders.
#include <algorithm>
#include <cmath>

#include "layout/layout_internal.h"

namespace tw {
namespace layout {

namespace {

constexpr int kMaxColumns = 1000;

struct Slot {
  Box* cell;
  int row, col, rowspan, colspan;
};

struct Grid {
  std::vector<Box*> captions;
  std::vector<Box*> groups;   // in painting order: header, bodies, footer
  std::vector<Box*> rows;     // all rows, in order
  std::vector<Slot> cells;
  int cols = 0;
  std::vector<float> minC, maxC, pct;
  std::vector<char> fixed;  // a width in px was given for the column
  float spacingH = 0, spacingV = 0;
  bool collapse = false;
};

void collapseBorders(Box* t, Grid& g);

void buildGrid(Box* t, Grid& g) {
  const ComputedStyle& ts = *t->style;
  g.collapse = ts.borderCollapse;
  g.spacingH = g.collapse ? 0 : ts.borderSpacingH;
  g.spacingV = g.collapse ? 0 : ts.borderSpacingV;
  std::vector<Box*> head, body, foot;
  for (Box* c : t->children) {
    if (c->kind == BoxKind::RowGroup) {
      Display d = c->style->display;
      if (d == Display::TableHeaderGroup && head.empty()) head.push_back(c);
      else if (d == Display::TableFooterGroup && foot.empty()) foot.push_back(c);
      else body.push_back(c);
    } else {
      g.captions.push_back(c);  // captions (and stray blocks)
    }
  }
  for (auto* v : {&head, &body, &foot}) g.groups.insert(g.groups.end(), v->begin(), v->end());
  std::vector<int> busy;  // per column: first row index no longer covered
  for (Box* grp : g.groups) {
    size_t firstRow = g.rows.size();
    size_t groupRows = 0;
    for (Box* r : grp->children)
      if (r->kind == BoxKind::Row) ++groupRows;
    for (Box* r : grp->children) {
      if (r->kind != BoxKind::Row) continue;
      int ri = int(g.rows.size());
      g.rows.push_back(r);
      int col = 0;
      int rowsLeft = int(firstRow + groupRows) - ri;
      for (Box* c : r->children) {
        if (c->kind != BoxKind::Cell) continue;
        while (col < int(busy.size()) && busy[col] > ri) ++col;
        if (col >= kMaxColumns) {
          c->col = -1;  // beyond the column limit: not laid out
          continue;
        }
        int cs = std::max(1, std::min(c->colspan, kMaxColumns - col));
        int rs = c->rowspan <= 0 ? rowsLeft : std::min(c->rowspan, rowsLeft);
        rs = std::max(1, rs);
        if (int(busy.size()) < col + cs) busy.resize(col + cs, 0);
        for (int k = col; k < col + cs; ++k) busy[k] = ri + rs;
        c->col = col;
        g.cells.push_back(Slot{c, ri, col, rs, cs});
        col += cs;
      }
      g.cols = std::max(g.cols, col);
    }
  }
  g.cols = std::max(g.cols, int(busy.size()));
  if (g.collapse) collapseBorders(t, g);
}

// Collapsed borders: neighbouring cells share one border, the wider one
// (the left or upper one of equals), drawn by the cell it belongs to in its
// own style and colour; the table's own border replaces the cells' outer
// ones.
void collapseBorders(Box* t, Grid& g) {
  const ComputedStyle& ts = *t->style;
  std::vector<std::vector<Box*>> at(g.rows.size());
  for (const Slot& s : g.cells) {
    Box* c = s.cell;
    c->collapsedBorders = true;
    for (int i = 0; i < 4; ++i) c->cborder[i] = c->style->borderWidth[i];
    auto& row = at[s.row];
    if (int(row.size()) < s.col + s.colspan) row.resize(s.col + s.colspan, nullptr);
    for (int k = s.col; k < s.col + s.colspan; ++k) row[k] = c;
  }
  for (const Slot& s : g.cells) {
    Box* c = s.cell;
    if (s.col > 0 && s.col - 1 < int(at[s.row].size()) && at[s.row][s.col - 1]) {
      Box* l = at[s.row][s.col - 1];
      if (c->cborder[3] > l->cborder[1]) l->cborder[1] = 0;
      else c->cborder[3] = 0;
    } else if (s.col == 0 && ts.borderWidth[3] > 0) {
      c->cborder[3] = 0;
    }
    if (s.row > 0 && s.col < int(at[s.row - 1].size()) && at[s.row - 1][s.col] && at[s.row - 1][s.col] != c) {
      Box* u = at[s.row - 1][s.col];
      if (c->cborder[0] > u->cborder[2]) u->cborder[2] = 0;
      else c->cborder[0] = 0;
    } else if (s.row == 0 && ts.borderWidth[0] > 0) {
      c->cborder[0] = 0;
    }
  }
  for (const Slot& s : g.cells) {
    Box* c = s.cell;
    if (s.col + s.colspan >= g.cols && ts.borderWidth[1] > 0) c->cborder[1] = 0;
    if (s.row + s.rowspan >= int(g.rows.size()) && ts.borderWidth[2] > 0) c->cborder[2] = 0;
  }
}

void columnWidths(Grid& g, LayoutContext& ctx) {
  g.minC.assign(g.cols, 0);
  g.maxC.assign(g.cols, 0);
  g.pct.assign(g.cols, 0);
  g.fixed.assign(g.cols, 0);
  for (const Slot& s : g.cells) {
    computeIntrinsic(s.cell, ctx);
    const Length& w = s.cell->style->width;
    if (s.colspan == 1) {
      if (w.unit == Length::Px) g.fixed[s.col] = 1;
      g.minC[s.col] = std::max(g.minC[s.col], s.cell->minW);
      g.maxC[s.col] = std::max(g.maxC[s.col], s.cell->maxW);
      if (w.unit == Length::Percent) g.pct[s.col] = std::max(g.pct[s.col], std::min(w.value, 100.0f));
    }
  }
  for (const Slot& s : g.cells) {
    if (s.colspan == 1) continue;
    float sp = (s.colspan - 1) * g.spacingH;
    float smin = sp, smax = sp;
    for (int k = s.col; k < s.col + s.colspan; ++k) smin += g.minC[k], smax += g.maxC[k];
    if (s.cell->minW > smin) {
      float extra = s.cell->minW - smin;
      for (int k = s.col; k < s.col + s.colspan; ++k)
        g.minC[k] += smax - sp > 0 ? extra * g.maxC[k] / (smax - sp) : extra / s.colspan;
    }
    smax = sp;
    for (int k = s.col; k < s.col + s.colspan; ++k) {
      g.maxC[k] = std::max(g.maxC[k], g.minC[k]);
      smax += g.maxC[k];
    }
    if (s.cell->maxW > smax) {
      float extra = s.cell->maxW - smax;
      float base = smax - sp;
      for (int k = s.col; k < s.col + s.colspan; ++k)
        g.maxC[k] += base > 0 ? extra * g.maxC[k] / base : extra / s.colspan;
    }
  }
  for (int k = 0; k < g.cols; ++k) g.maxC[k] = std::max(g.maxC[k], g.minC[k]);
}

// Widths given by <col>/<colgroup> elements (width="120" or "25%", span=n).
void columnElements(const Box* t, Grid& g) {
  if (!t->element) return;
  int col = 0;
  auto apply = [&](const html::Element* e, int span) {
    std::string_view w = e->getAttribute("width");
    size_t i = 0;
    float v = 0;
    bool digits = false;
    while (i < w.size() && w[i] == ' ') ++i;
    while (i < w.size() && w[i] >= '0' && w[i] <= '9' && v < 1e6f) v = v * 10 + float(w[i++] - '0'), digits = true;
    bool pct = i < w.size() && w[i] == '%';
    for (int k = 0; k < span && col < g.cols; ++k, ++col) {
      if (!digits) continue;
      if (pct) {
        g.pct[col] = std::max(g.pct[col], std::min(v, 100.0f));
      } else {
        g.maxC[col] = std::max(g.maxC[col], std::min(v, kMaxLength));
        g.fixed[col] = 1;
      }
    }
  };
  auto spanOf = [](const html::Element* e) {
    std::string_view sv = e->getAttribute("span");
    int n = 0;
    for (char c : sv) {
      if (c < '0' || c > '9') break;
      n = std::min(n * 10 + (c - '0'), kMaxColumns);
    }
    return std::max(1, n);
  };
  for (const html::Node* n = t->element->firstChild(); n && col < g.cols; n = n->nextSibling()) {
    const html::Element* e = n->asElement();
    if (!e) continue;
    if (e->is(html::Tag::Col)) {
      apply(e, spanOf(e));
    } else if (e->is(html::Tag::Colgroup)) {
      bool cols = false;
      for (const html::Node* c = e->firstChild(); c && col < g.cols; c = c->nextSibling())
        if (const html::Element* ce = c->asElement())
          if (ce->is(html::Tag::Col)) {
            apply(ce, spanOf(ce));
            cols = true;
          }
      if (!cols) apply(e, spanOf(e));
    }
  }
  for (int k = 0; k < g.cols; ++k) g.maxC[k] = std::max(g.maxC[k], g.minC[k]);
}

// The grid width an auto-width table needs for its percentage columns to
// get their share with every column at its maximum width (a column of 100%
// beside others asks for all the room there is).
float widthForPercentColumns(const Grid& g) {
  float pctSum = 0, need = 0, otherMax = 0;
  for (int k = 0; k < g.cols; ++k) {
    if (g.pct[k] > 0) {
      pctSum += g.pct[k];
      need = std::max(need, g.maxC[k] * 100 / g.pct[k]);
    } else {
      otherMax += g.maxC[k];
    }
  }
  if (pctSum <= 0) return 0;
  if (pctSum >= 100) return otherMax > 0 ? kMaxLength : need;
  return std::max(need, otherMax * 100 / (100 - pctSum));
}

float tableEdgesH(const Box* t) { return t->border[1] + t->border[3] + t->padding[1] + t->padding[3]; }

}  // namespace

void tableIntrinsic(Box* t, LayoutContext& ctx, float* mn, float* mx) {
  resolveBoxEdges(t, 0);
  Grid g;
  buildGrid(t, g);
  columnWidths(g, ctx);
  columnElements(t, g);
  float sp = (g.cols + 1) * g.spacingH + tableEdgesH(t);
  float a = sp, b = sp;
  for (int k = 0; k < g.cols; ++k) a += g.minC[k], b += g.maxC[k];
  for (Box* c : g.captions) {
    computeIntrinsic(c, ctx);
    a = std::max(a, c->minW);
  }
  const ComputedStyle& s = *t->style;
  if (s.width.unit == Length::Px) a = b = std::max(a, s.width.value);
  *mn = std::min(a, kMaxLength);
  *mx = std::min(std::max(a, b), kMaxLength);
}

void layoutTable(Box* t, float cb, LayoutContext& ctx) {
  resolveBoxEdges(t, cb);
  const ComputedStyle& ts = *t->style;
  for (int i = 0; i < 4; ++i)
    if (ts.margin[i].isAuto()) t->margin[i] = 0;
  Grid g;
  buildGrid(t, g);
  if (g.collapse)
    for (int i = 0; i < 4; ++i) t->padding[i] = 0;
  columnWidths(g, ctx);
  columnElements(t, g);
  float edges = tableEdgesH(t);
  float spacing = (g.cols + 1) * g.spacingH;
  float sumMin = 0, sumMax = 0;
  for (int k = 0; k < g.cols; ++k) sumMin += g.minC[k], sumMax += g.maxC[k];
  float minTable = sumMin + spacing + edges;
  float maxTable = sumMax + spacing + edges;
  for (Box* c : g.captions) {
    computeIntrinsic(c, ctx);
    minTable = std::max(minTable, c->minW);
  }
  float avail = std::max(0.0f, cb - t->margin[1] - t->margin[3]);
  float W;
  bool specified = !ts.width.isAuto();
  if (!specified) maxTable = std::max(maxTable, widthForPercentColumns(g) + spacing + edges);
  if (specified) W = std::max(ts.width.resolve(cb), minTable);
  else W = std::max(std::min(avail, maxTable), minTable);
  W = std::min(W, kMaxLength);
  // --- distribute the width over the columns
  float room = std::max(0.0f, W - edges - spacing);
  std::vector<float> w(g.cols, 0);
  float pctSum = 0;
  for (float p : g.pct) pctSum += p;
  float pctScale = pctSum > 100 ? 100 / pctSum : 1;
  float usedPct = 0;
  float autoMin = 0, autoMax = 0;
  int autoCount = 0;
  for (int k = 0; k < g.cols; ++k) {
    if (g.pct[k] > 0) {
      w[k] = std::max(g.minC[k], room * g.pct[k] * pctScale / 100);
      usedPct += w[k];
    } else {
      autoMin += g.minC[k];
      autoMax += g.maxC[k];
      ++autoCount;
    }
  }
  // percentage columns give way to the minimum widths of the others
  float pctRoom = std::max(0.0f, room - autoMin);
  if (usedPct > pctRoom) {
    float pctMin = 0;
    for (int k = 0; k < g.cols; ++k)
      if (g.pct[k] > 0) pctMin += g.minC[k];
    float f = usedPct > pctMin ? std::max(0.0f, pctRoom - pctMin) / (usedPct - pctMin) : 0;
    usedPct = 0;
    for (int k = 0; k < g.cols; ++k)
      if (g.pct[k] > 0) {
        w[k] = g.minC[k] + (w[k] - g.minC[k]) * f;
        usedPct += w[k];
      }
  }
  float left = room - usedPct;
  if (autoCount > 0) {
    if (left >= autoMax) {
      // room beyond the maximum widths goes to the columns without a
      // given width (to all auto columns when every one has a width)
      float extra = left - autoMax;
      float growMax = 0;
      int growCount = 0;
      for (int k = 0; k < g.cols; ++k)
        if (g.pct[k] <= 0 && !g.fixed[k]) growMax += g.maxC[k], ++growCount;
      bool all = growCount == 0;
      if (all) growMax = autoMax, growCount = autoCount;
      for (int k = 0; k < g.cols; ++k) {
        if (g.pct[k] > 0) continue;
        w[k] = g.maxC[k];
        if ((specified || pctSum > 0) && (all || !g.fixed[k]))
          w[k] += growMax > 0 ? extra * g.maxC[k] / growMax : extra / growCount;
      }
    } else if (left >= autoMin && autoMax > autoMin) {
      float f = (left - autoMin) / (autoMax - autoMin);
      for (int k = 0; k < g.cols; ++k)
        if (g.pct[k] <= 0) w[k] = g.minC[k] + (g.maxC[k] - g.minC[k]) * f;
    } else {
      for (int k = 0; k < g.cols; ++k)
        if (g.pct[k] <= 0) w[k] = g.minC[k];
    }
  } else if (g.cols > 0 && left > 0) {
    for (int k = 0; k < g.cols; ++k) w[k] += usedPct > 0 ? left * w[k] / usedPct : left / g.cols;
  }
  float total = spacing + edges;
  for (float x : w) total += x;
  W = std::max(W, std::min(total, kMaxLength));
  t->w = W;

  std::vector<float> colX(g.cols + 1, 0);
  float x = t->border[3] + t->padding[3] + g.spacingH;
  for (int k = 0; k < g.cols; ++k) {
    colX[k] = x;
    x += w[k] + g.spacingH;
  }
  colX[g.cols] = x;

  // --- lay out the cells
  std::vector<float> rowH(g.rows.size(), 0);
  for (size_t r = 0; r < g.rows.size(); ++r) {
    const Length& h = g.rows[r]->style->height;
    if (h.unit == Length::Px) rowH[r] = h.value;
  }
  std::vector<float> natural(g.cells.size(), 0);  // content heights, for vertical-align
  for (size_t i = 0; i < g.cells.size(); ++i) {
    const Slot& s = g.cells[i];
    Box* c = s.cell;
    resolveBoxEdges(c, W);
    for (int k = 0; k < 4; ++k) c->margin[k] = 0;
    c->w = colX[s.col + s.colspan] - g.spacingH - colX[s.col];
    FloatManager fm;
    layoutBlock(c, W, 0, 0, &fm, ctx);
    natural[i] = c->h;
    const Length& ch = c->style->height;
    float need = c->h;
    if (ch.unit == Length::Px) need = std::max(need, ch.value + c->padding[0] + c->padding[2] + c->border[0] + c->border[2]);
    if (s.rowspan == 1) rowH[s.row] = std::max(rowH[s.row], need);
    c->h = need;
  }
  for (const Slot& s : g.cells) {
    if (s.rowspan == 1) continue;
    float have = (s.rowspan - 1) * g.spacingV;
    for (int r = s.row; r < s.row + s.rowspan; ++r) have += rowH[r];
    if (s.cell->h > have) rowH[s.row + s.rowspan - 1] += s.cell->h - have;
  }
  // a taller specified table height goes to the rows
  float gridH = g.spacingV;
  for (float h : rowH) gridH += h + g.spacingV;
  if (ts.height.unit == Length::Px && !g.rows.empty()) {
    float want = ts.height.value - t->border[0] - t->border[2] - t->padding[0] - t->padding[2];
    if (want > gridH) {
      float extra = want - gridH;
      for (float& h : rowH) h += extra / rowH.size();
      gridH = want;
    }
  }

  // --- captions above the grid
  float y = 0;
  for (Box* c : g.captions) {
    if (c->kind == BoxKind::Block || c->kind == BoxKind::Cell) {
      resolveBoxEdges(c, W);
      c->w = std::max(0.0f, W - c->margin[1] - c->margin[3]);
      c->x = c->margin[3];
      c->y = y + c->margin[0];
      FloatManager fm;
      layoutBlock(c, W, 0, 0, &fm, ctx);
      y = c->y + c->h + c->margin[2];
    } else {
      c->w = c->h = 0;
    }
  }
  t->gridY = y;
  // --- rows and groups
  std::vector<float> rowY(g.rows.size() + 1, 0);
  float ry = y + t->border[0] + t->padding[0] + g.spacingV;
  for (size_t r = 0; r < g.rows.size(); ++r) {
    rowY[r] = ry;
    ry += rowH[r] + g.spacingV;
  }
  rowY[g.rows.size()] = ry;
  size_t ri = 0;
  for (Box* grp : g.groups) {
    grp->x = 0;
    grp->w = W;
    float gy0 = ri < g.rows.size() ? rowY[ri] : ry;
    grp->y = gy0;
    float gyEnd = gy0;
    for (Box* r : grp->children) {
      if (r->kind != BoxKind::Row) continue;
      r->x = 0;
      r->y = rowY[ri] - gy0;
      r->w = W;
      r->h = rowH[ri];
      gyEnd = rowY[ri] + rowH[ri];
      ++ri;
    }
    grp->h = gyEnd - gy0;
  }
  for (size_t i = 0; i < g.cells.size(); ++i) {
    const Slot& s = g.cells[i];
    Box* c = s.cell;
    Box* row = g.rows[s.row];
    float h = (s.rowspan - 1) * g.spacingV;
    for (int r = s.row; r < s.row + s.rowspan; ++r) h += rowH[r];
    float contentH = natural[i];
    c->x = colX[s.col];
    c->y = 0;
    c->h = h;
    (void)row;
    VAlign va = c->style->verticalAlign;
    float off = 0;
    if (va == VAlign::Middle) off = (h - contentH) / 2;
    else if (va == VAlign::Bottom) off = h - contentH;
    if (off > 0)
      for (Box* k : c->children) k->y += off;
  }
  t->gridH = gridH + t->border[0] + t->border[2] + t->padding[0] + t->padding[2];
  t->h = y + t->gridH;
}

}  // namespace layout
}  // namespace tw
