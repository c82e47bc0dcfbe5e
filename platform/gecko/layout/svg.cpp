// svg.cpp - a small SVG reader: XML, then the shapes and texts flattened
// into the drawing's own coordinates.
#include "layout/svg.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>

#include "layout/style.h"

namespace tw {
namespace layout {

namespace {

constexpr size_t kMaxBytes = 4u << 20;
constexpr size_t kMaxElements = 20000;
constexpr size_t kMaxPoints = 400000;
constexpr int kMaxDepth = 64;
constexpr double kPi = 3.14159265358979323846;

struct Node {
  std::string name;  // local name, as written (SVG names are case-sensitive)
  std::map<std::string, std::string> attrs;
  std::string text;  // character data directly inside
  std::vector<std::unique_ptr<Node>> children;
  const std::string* attr(const char* n) const {
    auto it = attrs.find(n);
    return it == attrs.end() ? nullptr : &it->second;
  }
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

void appendUtf8(std::string& o, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    o += char(cp);
  } else if (cp < 0x800) {
    o += char(0xC0 | (cp >> 6));
    o += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    o += char(0xE0 | (cp >> 12));
    o += char(0x80 | ((cp >> 6) & 0x3F));
    o += char(0x80 | (cp & 0x3F));
  } else {
    o += char(0xF0 | (cp >> 18));
    o += char(0x80 | ((cp >> 12) & 0x3F));
    o += char(0x80 | ((cp >> 6) & 0x3F));
    o += char(0x80 | (cp & 0x3F));
  }
}

std::string decodeEntities(std::string_view s) {
  std::string o;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '&') {
      o += s[i];
      continue;
    }
    size_t semi = s.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10) {
      o += '&';
      continue;
    }
    std::string_view ent = s.substr(i + 1, semi - i - 1);
    if (ent == "amp") o += '&';
    else if (ent == "lt") o += '<';
    else if (ent == "gt") o += '>';
    else if (ent == "quot") o += '"';
    else if (ent == "apos") o += '\'';
    else if (ent.size() > 1 && ent[0] == '#')
      appendUtf8(o, strtoul(std::string(ent.substr(ent[1] == 'x' ? 2 : 1)).c_str(), nullptr, ent[1] == 'x' ? 16 : 10));
    else {
      o += '&';
      continue;
    }
    i = semi;
  }
  return o;
}

std::string localName(std::string_view n) {
  size_t colon = n.find(':');
  return std::string(colon == std::string_view::npos ? n : n.substr(colon + 1));
}

// A forgiving XML reader: elements, attributes and text; comments,
// processing instructions and declarations skipped; CDATA as text.
std::unique_ptr<Node> parseXml(std::string_view s) {
  auto root = std::make_unique<Node>();
  std::vector<Node*> open{root.get()};
  size_t count = 0, i = 0;
  while (i < s.size()) {
    if (s[i] != '<') {
      size_t e = s.find('<', i);
      if (e == std::string_view::npos) e = s.size();
      if (open.back()->text.size() < 65536) open.back()->text += decodeEntities(s.substr(i, e - i));
      i = e;
      continue;
    }
    if (s.compare(i, 4, "<!--") == 0) {
      size_t e = s.find("-->", i + 4);
      i = e == std::string_view::npos ? s.size() : e + 3;
      continue;
    }
    if (s.compare(i, 9, "<![CDATA[") == 0) {
      size_t e = s.find("]]>", i + 9);
      if (e == std::string_view::npos) e = s.size();
      open.back()->text += std::string(s.substr(i + 9, e - i - 9));
      i = e + 3;
      continue;
    }
    if (i + 1 < s.size() && (s[i + 1] == '?' || s[i + 1] == '!')) {
      size_t e = s.find('>', i);
      i = e == std::string_view::npos ? s.size() : e + 1;
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '/') {
      size_t e = s.find('>', i);
      std::string name = localName(s.substr(i + 2, (e == std::string_view::npos ? s.size() : e) - i - 2));
      while (!name.empty() && isSpace(name.back())) name.pop_back();
      for (size_t k = open.size(); k-- > 1;)
        if (open[k]->name == name) {
          open.resize(k);
          break;
        }
      i = e == std::string_view::npos ? s.size() : e + 1;
      continue;
    }
    // start tag
    size_t j = i + 1;
    while (j < s.size() && !isSpace(s[j]) && s[j] != '>' && s[j] != '/') ++j;
    auto node = std::make_unique<Node>();
    node->name = localName(s.substr(i + 1, j - i - 1));
    bool selfClosing = false;
    while (j < s.size()) {
      while (j < s.size() && isSpace(s[j])) ++j;
      if (j >= s.size()) break;
      if (s[j] == '>') {
        ++j;
        break;
      }
      if (s[j] == '/') {
        selfClosing = true;
        ++j;
        continue;
      }
      size_t n0 = j;
      while (j < s.size() && !isSpace(s[j]) && s[j] != '=' && s[j] != '>' && s[j] != '/') ++j;
      std::string name(s.substr(n0, j - n0));
      while (j < s.size() && isSpace(s[j])) ++j;
      std::string value;
      if (j < s.size() && s[j] == '=') {
        ++j;
        while (j < s.size() && isSpace(s[j])) ++j;
        if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
          char q = s[j];
          size_t e = s.find(q, j + 1);
          if (e == std::string_view::npos) e = s.size();
          value = decodeEntities(s.substr(j + 1, e - j - 1));
          j = e + 1;
        } else {
          size_t v0 = j;
          while (j < s.size() && !isSpace(s[j]) && s[j] != '>') ++j;
          value = decodeEntities(s.substr(v0, j - v0));
        }
      }
      if (!name.empty()) node->attrs[name] = value;
      if (n0 == j) ++j;  // a stray character: step over it
    }
    i = j;
    if (++count > kMaxElements) break;
    Node* raw = node.get();
    open.back()->children.push_back(std::move(node));
    if (!selfClosing && open.size() < size_t(kMaxDepth)) open.push_back(raw);
  }
  return root;
}

// --- numbers, lengths, transforms ------------------------------------------

// A coordinate or width the host can draw: transforms that multiply up (a
// scale nested in scales) would overflow a float or give NaN. Nothing past
// a million pixels is on a 10,000-pixel viewport anyway.
float drawable(double v) {
  if (!(v == v)) return 0;
  return float(std::max(-1e6, std::min(1e6, v)));
}

struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
  SvgPoint apply(double x, double y) const { return {drawable(a * x + c * y + e), drawable(b * x + d * y + f)}; }
  Matrix times(const Matrix& m) const {  // this * m: m applies first
    return {a * m.a + c * m.b, b * m.a + d * m.b, a * m.c + c * m.d, b * m.c + d * m.d,
            a * m.e + c * m.f + e, b * m.e + d * m.f + f};
  }
  double scale() const { return std::sqrt(std::fabs(a * d - b * c)); }
};

// Reads numbers from a list ("1,2 3e2-4"), advancing i; false at the end.
bool nextNumber(std::string_view s, size_t& i, double* out) {
  while (i < s.size() && (isSpace(s[i]) || s[i] == ',')) ++i;
  if (i >= s.size()) return false;
  size_t j = i;
  if (s[j] == '+' || s[j] == '-') ++j;
  bool digits = false, dot = false;
  while (j < s.size() && ((s[j] >= '0' && s[j] <= '9') || (s[j] == '.' && !dot))) {
    if (s[j] == '.') dot = true;
    else digits = true;
    ++j;
  }
  if (!digits) return false;
  if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
    size_t k = j + 1;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    if (k < s.size() && s[k] >= '0' && s[k] <= '9') {
      j = k;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
    }
  }
  double v = strtod(std::string(s.substr(i, j - i)).c_str(), nullptr);
  if (!std::isfinite(v) || std::fabs(v) > 1e7) v = 0;
  *out = v;
  i = j;
  return true;
}

// A length in px (units: px, pt, pc, in, cm, mm, em at 16px); percentages of `base`.
double lengthOf(const std::string* v, double base, double fallback) {
  if (!v) return fallback;
  size_t i = 0;
  double x;
  if (!nextNumber(*v, i, &x)) return fallback;
  std::string unit = v->substr(i);
  while (!unit.empty() && isSpace(unit.back())) unit.pop_back();
  if (unit == "%") return base * x / 100;
  if (unit == "pt") return x * 96 / 72;
  if (unit == "pc") return x * 16;
  if (unit == "in") return x * 96;
  if (unit == "cm") return x * 96 / 2.54;
  if (unit == "mm") return x * 96 / 25.4;
  if (unit == "em") return x * 16;
  return x;
}

Matrix parseTransform(std::string_view s) {
  Matrix m;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (isSpace(s[i]) || s[i] == ',')) ++i;
    size_t n0 = i;
    while (i < s.size() && ((s[i] >= 'a' && s[i] <= 'z') || (s[i] >= 'A' && s[i] <= 'Z'))) ++i;
    std::string_view name = s.substr(n0, i - n0);
    size_t open = s.find('(', i), close = s.find(')', i);
    if (name.empty() || open == std::string_view::npos || close == std::string_view::npos || close < open) break;
    std::string_view args = s.substr(open + 1, close - open - 1);
    double v[6] = {0, 0, 0, 0, 0, 0};
    int n = 0;
    size_t k = 0;
    while (n < 6 && nextNumber(args, k, &v[n])) ++n;
    Matrix t;
    if (name == "matrix" && n == 6) t = {v[0], v[1], v[2], v[3], v[4], v[5]};
    else if (name == "translate" && n >= 1) t.e = v[0], t.f = n > 1 ? v[1] : 0;
    else if (name == "scale" && n >= 1) t.a = v[0], t.d = n > 1 ? v[1] : v[0];
    else if (name == "rotate" && n >= 1) {
      double r = v[0] * kPi / 180, cx = n >= 3 ? v[1] : 0, cy = n >= 3 ? v[2] : 0;
      Matrix rot{std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
      t = Matrix{1, 0, 0, 1, cx, cy}.times(rot).times(Matrix{1, 0, 0, 1, -cx, -cy});
    } else if (name == "skewX" && n >= 1) t.c = std::tan(v[0] * kPi / 180);
    else if (name == "skewY" && n >= 1) t.b = std::tan(v[0] * kPi / 180);
    m = m.times(t);
    i = close + 1;
  }
  return m;
}

// --- paths -----------------------------------------------------------------

struct PathBuilder {
  std::vector<std::vector<SvgPoint>> subpaths;  // in user units
  std::vector<bool> closed;
  size_t points = 0;
  double x = 0, y = 0, startX = 0, startY = 0;

  void moveTo(double nx, double ny) {
    subpaths.emplace_back();
    closed.push_back(false);
    x = startX = nx;
    y = startY = ny;
    add(nx, ny);
  }
  void add(double px, double py) {
    if (points >= kMaxPoints) return;
    if (subpaths.empty()) {
      subpaths.emplace_back();
      closed.push_back(false);
    }
    subpaths.back().push_back({float(px), float(py)});
    ++points;
  }
  void lineTo(double nx, double ny) {
    add(nx, ny);
    x = nx;
    y = ny;
  }
  void cubicTo(double x1, double y1, double x2, double y2, double nx, double ny) {
    const int n = 12;
    for (int k = 1; k <= n; ++k) {
      double t = double(k) / n, u = 1 - t;
      add(u * u * u * x + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * nx,
          u * u * u * y + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * ny);
    }
    x = nx;
    y = ny;
  }
  // Elliptical arc (SVG's endpoint form) as line segments.
  void arcTo(double rx, double ry, double angle, bool large, bool sweep, double nx, double ny) {
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0 || (nx == x && ny == y)) {
      lineTo(nx, ny);
      return;
    }
    double phi = angle * kPi / 180, cs = std::cos(phi), sn = std::sin(phi);
    double dx = (x - nx) / 2, dy = (y - ny) / 2;
    double x1 = cs * dx + sn * dy, y1 = -sn * dx + cs * dy;
    double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1) rx *= std::sqrt(lambda), ry *= std::sqrt(lambda);
    double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double co = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep) co = -co;
    double cx1 = co * rx * y1 / ry, cy1 = -co * ry * x1 / rx;
    double cx = cs * cx1 - sn * cy1 + (x + nx) / 2, cy = sn * cx1 + cs * cy1 + (y + ny) / 2;
    double t1 = std::atan2((y1 - cy1) / ry, (x1 - cx1) / rx);
    double t2 = std::atan2((-y1 - cy1) / ry, (-x1 - cx1) / rx);
    double dt = t2 - t1;
    if (sweep && dt < 0) dt += 2 * kPi;
    if (!sweep && dt > 0) dt -= 2 * kPi;
    int n = std::max(2, int(std::fabs(dt) / (kPi / 16)));
    for (int k = 1; k <= n; ++k) {
      double t = t1 + dt * k / n;
      add(cx + rx * std::cos(t) * cs - ry * std::sin(t) * sn, cy + rx * std::cos(t) * sn + ry * std::sin(t) * cs);
    }
    x = nx;
    y = ny;
  }
  void close() {
    if (!closed.empty()) closed.back() = true;
    x = startX;
    y = startY;
  }
};

void parsePathData(std::string_view d, PathBuilder& p) {
  size_t i = 0;
  char cmd = 0;
  double cx2 = 0, cy2 = 0;  // last control point (for S and T)
  char last = 0;
  while (i < d.size() && p.points < kMaxPoints) {
    while (i < d.size() && (isSpace(d[i]) || d[i] == ',')) ++i;
    if (i >= d.size()) break;
    if ((d[i] >= 'a' && d[i] <= 'z') || (d[i] >= 'A' && d[i] <= 'Z')) cmd = d[i++];
    else if (!cmd) return;
    bool rel = cmd >= 'a';
    char c = char(rel ? cmd - 32 : cmd);
    double ox = rel ? p.x : 0, oy = rel ? p.y : 0;
    double v[7];
    auto read = [&](int n) {
      for (int k = 0; k < n; ++k)
        if (!nextNumber(d, i, &v[k])) return false;
      return true;
    };
    if (c == 'Z') {
      p.close();
      last = 'Z';
      cmd = 0;
      continue;
    }
    bool ok = true;
    switch (c) {
      case 'M':
        if ((ok = read(2))) p.moveTo(ox + v[0], oy + v[1]);
        cmd = rel ? 'l' : 'L';  // further pairs are lines
        break;
      case 'L': if ((ok = read(2))) p.lineTo(ox + v[0], oy + v[1]); break;
      case 'H': if ((ok = read(1))) p.lineTo(ox + v[0], p.y); break;
      case 'V': if ((ok = read(1))) p.lineTo(p.x, oy + v[0]); break;
      case 'C':
        if ((ok = read(6))) {
          cx2 = ox + v[2], cy2 = oy + v[3];
          p.cubicTo(ox + v[0], oy + v[1], cx2, cy2, ox + v[4], oy + v[5]);
        }
        break;
      case 'S':
        if ((ok = read(4))) {
          double x1 = last == 'C' || last == 'S' ? 2 * p.x - cx2 : p.x;
          double y1 = last == 'C' || last == 'S' ? 2 * p.y - cy2 : p.y;
          cx2 = ox + v[0], cy2 = oy + v[1];
          p.cubicTo(x1, y1, cx2, cy2, ox + v[2], oy + v[3]);
        }
        break;
      case 'Q': case 'T': {
        double qx, qy;
        if (c == 'Q') {
          if (!(ok = read(4))) break;
          qx = ox + v[0], qy = oy + v[1];
          v[0] = v[2], v[1] = v[3];
        } else {
          if (!(ok = read(2))) break;
          qx = last == 'Q' || last == 'T' ? 2 * p.x - cx2 : p.x;
          qy = last == 'Q' || last == 'T' ? 2 * p.y - cy2 : p.y;
        }
        double ex = ox + v[0], ey = oy + v[1];
        cx2 = qx, cy2 = qy;
        p.cubicTo(p.x + 2.0 / 3 * (qx - p.x), p.y + 2.0 / 3 * (qy - p.y), ex + 2.0 / 3 * (qx - ex),
                  ey + 2.0 / 3 * (qy - ey), ex, ey);
        break;
      }
      case 'A': {
        // the flags may be written without separators ("a1 1 0 00 1 1")
        ok = read(3);
        double r[3] = {v[0], v[1], v[2]}, flags[2] = {0, 0};
        for (int k = 0; ok && k < 2; ++k) {
          while (i < d.size() && (isSpace(d[i]) || d[i] == ',')) ++i;
          if (i < d.size() && (d[i] == '0' || d[i] == '1')) flags[k] = d[i++] - '0';
          else ok = false;
        }
        if (ok && (ok = read(2))) p.arcTo(r[0], r[1], r[2], flags[0] != 0, flags[1] != 0, ox + v[0], oy + v[1]);
        break;
      }
      default: ok = false;
    }
    if (!ok) return;
    last = c;
  }
}

// --- painting state and elements -------------------------------------------

struct Paint {
  bool none = false;
  Color color = Color::rgb(0, 0, 0);
};

struct State {
  Matrix m;
  Paint fill, stroke{true, Color::rgb(0, 0, 0)};  // stroke: none unless asked for
  double strokeWidth = 1, opacity = 1, fillOpacity = 1, strokeOpacity = 1;
  double fontSize = 16;
  std::string family = "serif";
  int weight = 400, anchor = 0;
};

class Reader {
 public:
  explicit Reader(SvgDrawing* out) : out_(out) {}

  void collectGradients(const Node& n) {
    if (n.name == "linearGradient" || n.name == "radialGradient") {
      if (const std::string* id = n.attr("id")) {
        Gradient& g = gradients_[*id];
        for (const auto& c : n.children)
          if (c->name == "stop" && !g.hasStop) {
            std::string color = presentation(*c, "stop-color");
            g.hasStop = !color.empty() && parseColor(color, &g.first);
          }
        const std::string* href = n.attr("xlink:href");
        if (!href) href = n.attr("href");
        if (href && !href->empty() && (*href)[0] == '#') g.href = href->substr(1);
      }
    }
    for (const auto& c : n.children) collectGradients(*c);
  }

  void walk(const Node& n, State st, int depth) {
    static const char* const kSkipped[] = {"defs", "clipPath", "mask", "pattern", "marker", "symbol", "style",
                                           "title", "desc", "metadata", "filter", "linearGradient",
                                           "radialGradient", "script", "foreignObject"};
    for (const char* s : kSkipped)
      if (n.name == s) return;
    if (depth > kMaxDepth) return;
    if (n.attr("filter")) return;  // blurred shadows and the like: left out rather than drawn hard
    applyPresentation(n, st);
    if (const std::string* t = n.attr("transform")) st.m = st.m.times(parseTransform(*t));
    if (n.name == "text") {
      addText(n, st);
      return;
    }
    PathBuilder p;
    if (n.name == "path") {
      if (const std::string* d = n.attr("d")) parsePathData(*d, p);
    } else if (n.name == "rect") {
      double x = number(n, "x"), y = number(n, "y"), w = number(n, "width"), h = number(n, "height");
      if (w > 0 && h > 0) {
        p.moveTo(x, y);
        p.lineTo(x + w, y);
        p.lineTo(x + w, y + h);
        p.lineTo(x, y + h);
        p.close();
      }
    } else if (n.name == "circle" || n.name == "ellipse") {
      double cx = number(n, "cx"), cy = number(n, "cy");
      double rx = n.name == "circle" ? number(n, "r") : number(n, "rx");
      double ry = n.name == "circle" ? rx : number(n, "ry");
      if (rx > 0 && ry > 0) {
        p.moveTo(cx + rx, cy);
        p.arcTo(rx, ry, 0, false, true, cx - rx, cy);
        p.arcTo(rx, ry, 0, false, true, cx + rx, cy);
        p.close();
      }
    } else if (n.name == "line") {
      p.moveTo(number(n, "x1"), number(n, "y1"));
      p.lineTo(number(n, "x2"), number(n, "y2"));
    } else if (n.name == "polyline" || n.name == "polygon") {
      if (const std::string* pts = n.attr("points")) {
        size_t i = 0;
        double x, y;
        bool first = true;
        while (nextNumber(*pts, i, &x) && nextNumber(*pts, i, &y)) {
          if (first) p.moveTo(x, y);
          else p.lineTo(x, y);
          first = false;
        }
        if (n.name == "polygon") p.close();
      }
    }
    if (!p.subpaths.empty()) addShape(p, st, n.name != "line" && n.name != "polyline");
    for (const auto& c : n.children) walk(*c, st, depth + 1);
  }

 private:
  struct Gradient {
    bool hasStop = false;
    Color first;
    std::string href;
  };

  // A presentation attribute, or the same property in style="".
  static std::string presentation(const Node& n, const char* name) {
    if (const std::string* style = n.attr("style")) {
      size_t at = 0;
      const std::string key = name;
      while ((at = style->find(key, at)) != std::string::npos) {
        bool start = at == 0 || (*style)[at - 1] == ';' || isSpace((*style)[at - 1]);
        size_t colon = at + key.size();
        while (colon < style->size() && isSpace((*style)[colon])) ++colon;
        if (start && colon < style->size() && (*style)[colon] == ':') {
          size_t end = style->find(';', colon);
          std::string v = style->substr(colon + 1, end == std::string::npos ? std::string::npos : end - colon - 1);
          while (!v.empty() && isSpace(v.front())) v.erase(0, 1);
          while (!v.empty() && isSpace(v.back())) v.pop_back();
          return v;
        }
        at += key.size();
      }
    }
    const std::string* a = n.attr(name);
    return a ? *a : std::string();
  }

  static double number(const Node& n, const char* name) { return lengthOf(n.attr(name), 0, 0); }

  bool paintOf(const std::string& v, Paint* p) {
    if (v.empty() || v == "inherit") return false;
    if (v == "none" || v == "transparent") {
      p->none = true;
      return true;
    }
    if (v.compare(0, 4, "url(") == 0) {
      size_t hash = v.find('#'), close = v.find(')');
      std::string id = hash == std::string::npos ? "" : v.substr(hash + 1, close == std::string::npos ? close : close - hash - 1);
      for (int guard = 0; guard < 8 && !id.empty(); ++guard) {
        auto it = gradients_.find(id);
        if (it == gradients_.end()) break;
        if (it->second.hasStop) {
          *p = Paint{false, it->second.first};
          return true;
        }
        id = it->second.href;
      }
      p->none = true;  // an unknown paint server
      return true;
    }
    if (v == "currentColor") {
      *p = Paint{false, Color::rgb(0, 0, 0)};
      return true;
    }
    Color c;
    if (!parseColor(v, &c)) return false;
    *p = Paint{c.a == 0, c};
    return true;
  }

  void applyPresentation(const Node& n, State& st) {
    paintOf(presentation(n, "fill"), &st.fill);
    paintOf(presentation(n, "stroke"), &st.stroke);
    auto num = [&](const char* name, double* out) {
      std::string v = presentation(n, name);
      size_t i = 0;
      double x;
      if (!v.empty() && nextNumber(v, i, &x)) *out = x;
    };
    num("stroke-width", &st.strokeWidth);
    double op = 1;
    num("opacity", &op);
    st.opacity *= std::max(0.0, std::min(1.0, op));
    num("fill-opacity", &st.fillOpacity);
    num("stroke-opacity", &st.strokeOpacity);
    std::string fs = presentation(n, "font-size");
    if (!fs.empty()) st.fontSize = lengthOf(&fs, st.fontSize, st.fontSize);
    std::string ff = presentation(n, "font-family");
    if (!ff.empty()) st.family = ff;
    std::string fw = presentation(n, "font-weight");
    if (fw == "bold" || fw == "bolder") st.weight = 700;
    else if (fw == "normal") st.weight = 400;
    else if (!fw.empty() && fw[0] >= '1' && fw[0] <= '9') st.weight = atoi(fw.c_str());
    std::string ta = presentation(n, "text-anchor");
    if (ta == "middle") st.anchor = 1;
    else if (ta == "end") st.anchor = 2;
    else if (ta == "start") st.anchor = 0;
  }

  // Paint with the opacities folded in: nearly transparent paint is none.
  static bool visible(const Paint& p, double opacity) { return !p.none && opacity > 0.05; }
  // Translucent paint as the colour it takes over white paper.
  static Color overWhite(Color c, double opacity) {
    auto mix = [&](uint8_t v) { return uint8_t(std::lround(v * opacity + 255 * (1 - opacity))); };
    opacity = std::max(0.0, std::min(1.0, opacity));
    return Color::rgb(mix(c.r), mix(c.g), mix(c.b));
  }

  void addShape(const PathBuilder& p, const State& st, bool fillable) {
    SvgShape s;
    s.fill = fillable && visible(st.fill, st.opacity * st.fillOpacity);
    s.stroke = visible(st.stroke, st.opacity * st.strokeOpacity) && st.strokeWidth > 0;
    s.fillColor = overWhite(st.fill.color, st.opacity * st.fillOpacity);
    s.strokeColor = overWhite(st.stroke.color, st.opacity * st.strokeOpacity);
    s.strokeWidth = drawable(std::max(0.0, st.strokeWidth * st.m.scale()));
    if (!s.fill && !s.stroke) return;
    for (size_t k = 0; k < p.subpaths.size(); ++k) {
      std::vector<SvgPoint> pts;
      pts.reserve(p.subpaths[k].size());
      for (const SvgPoint& q : p.subpaths[k]) pts.push_back(st.m.apply(q.x, q.y));
      s.subpaths.push_back(std::move(pts));
      s.closed.push_back(p.closed[k]);
    }
    out_->order.push_back(int(out_->shapes.size()));
    out_->shapes.push_back(std::move(s));
  }

  void addText(const Node& n, const State& st) {
    std::string text = n.text;
    for (const auto& c : n.children)
      if (c->name == "tspan" && text.size() < 4096) text += " " + c->text;
    std::string collapsed;
    for (char c : text) {
      if (isSpace(c)) {
        if (!collapsed.empty() && collapsed.back() != ' ') collapsed += ' ';
      } else {
        collapsed += c;
      }
    }
    while (!collapsed.empty() && collapsed.back() == ' ') collapsed.pop_back();
    if (collapsed.empty() || !visible(st.fill, st.opacity * st.fillOpacity)) return;
    SvgText t;
    t.text = collapsed;
    t.at = st.m.apply(number(n, "x"), number(n, "y"));
    t.size = float(std::max(1.0, std::min(2000.0, st.fontSize * st.m.scale())));
    t.family = st.family;
    t.weight = st.weight;
    t.anchor = st.anchor;
    t.color = overWhite(st.fill.color, st.opacity * st.fillOpacity);
    out_->order.push_back(-1 - int(out_->texts.size()));
    out_->texts.push_back(std::move(t));
  }

 private:
  SvgDrawing* out_;
  std::map<std::string, Gradient> gradients_;
};

const Node* findSvg(const Node& n, int depth) {
  if (n.name == "svg") return &n;
  if (depth > 4) return nullptr;
  for (const auto& c : n.children)
    if (const Node* s = findSvg(*c, depth + 1)) return s;
  return nullptr;
}

}  // namespace

bool looksLikeSvg(std::string_view bytes) {
  std::string_view head = bytes.substr(0, 4096);
  return head.find("<svg") != std::string_view::npos;
}

bool parseSvg(std::string_view text, SvgDrawing* out) {
  *out = SvgDrawing();
  if (text.size() > kMaxBytes) return false;
  std::unique_ptr<Node> doc = parseXml(text);
  const Node* svg = findSvg(*doc, 0);
  if (!svg) return false;
  // The viewport: width and height, else the viewBox's size, else 300 x 150.
  double vb[4] = {0, 0, 0, 0};
  bool hasViewBox = false;
  if (const std::string* v = svg->attr("viewBox")) {
    size_t i = 0;
    int n = 0;
    while (n < 4 && nextNumber(*v, i, &vb[n])) ++n;
    hasViewBox = n == 4 && vb[2] > 0 && vb[3] > 0;
  }
  double w = lengthOf(svg->attr("width"), hasViewBox ? vb[2] : 300, hasViewBox ? vb[2] : 300);
  double h = lengthOf(svg->attr("height"), hasViewBox ? vb[3] : 150, hasViewBox ? vb[3] : 150);
  if (!(w > 0) || !(h > 0)) return false;
  out->width = float(std::min(w, 10000.0));
  out->height = float(std::min(h, 10000.0));
  State st;
  if (hasViewBox) {
    // preserveAspectRatio's default: uniform scale, centred
    double s = std::min(out->width / vb[2], out->height / vb[3]);
    double tx = (out->width - vb[2] * s) / 2 - vb[0] * s, ty = (out->height - vb[3] * s) / 2 - vb[1] * s;
    st.m = Matrix{s, 0, 0, s, tx, ty};
  }
  Reader r(out);
  r.collectGradients(*svg);
  r.walk(*svg, st, 0);
  return true;
}

}  // namespace layout
}  // namespace tw
