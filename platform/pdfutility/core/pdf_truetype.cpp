#include "pdf_truetype.h"

#include <algorithm>
#include <cstring>

namespace twpdf {
namespace {

void Put16(std::string& s, uint32_t off, uint16_t v) {
  if (off + 2 > s.size()) return;
  s[off] = static_cast<char>(v >> 8);
  s[off + 1] = static_cast<char>(v & 0xFF);
}

void Put32(std::string& s, uint32_t off, uint32_t v) {
  Put16(s, off, static_cast<uint16_t>(v >> 16));
  Put16(s, off + 2, static_cast<uint16_t>(v & 0xFFFF));
}

void Append16(std::string& s, uint16_t v) {
  s += static_cast<char>(v >> 8);
  s += static_cast<char>(v & 0xFF);
}

void Append32(std::string& s, uint32_t v) {
  Append16(s, static_cast<uint16_t>(v >> 16));
  Append16(s, static_cast<uint16_t>(v & 0xFFFF));
}

uint32_t Checksum(const std::string& s) {
  uint32_t sum = 0;
  for (size_t i = 0; i < s.size(); i += 4) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k) {
      word <<= 8;
      if (i + k < s.size()) word |= static_cast<unsigned char>(s[i + k]);
    }
    sum += word;
  }
  return sum;
}

uint32_t Tag(const char* t) {
  return (uint32_t(uint8_t(t[0])) << 24) | (uint32_t(uint8_t(t[1])) << 16) |
         (uint32_t(uint8_t(t[2])) << 8) | uint32_t(uint8_t(t[3]));
}

// Composite glyph flags.
const uint16_t kArgsAreWords = 0x0001;
const uint16_t kHaveScale = 0x0008;
const uint16_t kMoreComponents = 0x0020;
const uint16_t kHaveXYScale = 0x0040;
const uint16_t kHaveTwoByTwo = 0x0080;

// Offsets (relative to the glyph's start) of the component glyph ids of a
// composite glyph. False when the glyph's bytes end inside the list.
bool ComponentOffsets(const std::string& glyph, std::vector<uint32_t>& offsets) {
  offsets.clear();
  auto u16 = [&glyph](uint32_t off) {
    return static_cast<uint16_t>((uint8_t(glyph[off]) << 8) | uint8_t(glyph[off + 1]));
  };
  uint32_t pos = 10;
  for (int guard = 0; guard < 4096; ++guard) {
    if (pos + 4 > glyph.size()) return false;
    uint16_t flags = u16(pos);
    offsets.push_back(pos + 2);
    pos += 4;
    pos += (flags & kArgsAreWords) ? 4 : 2;
    if (flags & kHaveScale) pos += 2;
    else if (flags & kHaveXYScale) pos += 4;
    else if (flags & kHaveTwoByTwo) pos += 8;
    if (pos > glyph.size()) return false;
    if (!(flags & kMoreComponents)) return true;
  }
  return false;
}

std::string SanitisePostScriptName(const std::string& in) {
  std::string out;
  for (unsigned char c : in) {
    if (c > 0x20 && c < 0x7F && !std::strchr("[](){}<>/%#", c)) out += static_cast<char>(c);
    if (out.size() >= 60) break;
  }
  return out;
}

}  // namespace

uint16_t TrueTypeFont::U16(uint32_t off) const {
  const std::string& d = *data_;
  if (uint64_t(off) + 2 > d.size()) return 0;
  return static_cast<uint16_t>((uint8_t(d[off]) << 8) | uint8_t(d[off + 1]));
}

uint32_t TrueTypeFont::U32(uint32_t off) const {
  return (uint32_t(U16(off)) << 16) | U16(off + 2);
}

const TrueTypeFont::Table& TrueTypeFont::table(const char* tag) const {
  static const Table kMissing;
  auto it = tables_.find(tag);
  return it == tables_.end() ? kMissing : it->second;
}

int TrueTypeFont::FaceCount(const std::string& data) {
  if (data.size() < 12) return 0;
  auto u32 = [&data](size_t off) {
    return (uint32_t(uint8_t(data[off])) << 24) | (uint32_t(uint8_t(data[off + 1])) << 16) |
           (uint32_t(uint8_t(data[off + 2])) << 8) | uint32_t(uint8_t(data[off + 3]));
  };
  uint32_t tag = u32(0);
  if (tag == Tag("ttcf")) {
    uint32_t n = u32(8);
    if (n == 0 || n > 0x10000 || 12 + uint64_t(n) * 4 > data.size()) return 0;
    return static_cast<int>(n);
  }
  if (tag == 0x00010000 || tag == Tag("true")) return 1;
  return 0;
}

std::shared_ptr<const TrueTypeFont> TrueTypeFont::Parse(std::shared_ptr<const std::string> data,
                                                        int face, std::string* error) {
  std::string dummy;
  if (!error) error = &dummy;
  if (!data) {
    *error = "no font data";
    return nullptr;
  }
  std::shared_ptr<TrueTypeFont> font(new TrueTypeFont());
  font->data_ = std::move(data);
  if (!font->ReadTables(face, error)) return nullptr;
  return font;
}

bool TrueTypeFont::ReadTables(int face, std::string* error) {
  const std::string& d = *data_;
  int faces = FaceCount(d);
  if (faces == 0) {
    *error = d.size() >= 4 && d.compare(0, 4, "OTTO") == 0
                 ? "the font has PostScript (CFF) outlines, not TrueType outlines"
                 : "not a TrueType font";
    return false;
  }
  uint32_t base = 0;
  if (U32(0) == Tag("ttcf")) {
    if (face < 0 || face >= faces) {
      *error = "no face " + std::to_string(face) + " in the font collection";
      return false;
    }
    base = U32(12 + 4 * static_cast<uint32_t>(face));
    uint32_t version = U32(base);
    if (version != 0x00010000 && version != Tag("true")) {
      *error = "the collection's face is not a TrueType font";
      return false;
    }
  }
  uint16_t count = U16(base + 4);
  if (uint64_t(base) + 12 + uint64_t(count) * 16 > d.size()) {
    *error = "the font's table directory is cut off";
    return false;
  }
  for (uint16_t i = 0; i < count; ++i) {
    uint32_t rec = base + 12 + 16u * i;
    std::string tag = d.substr(rec, 4);
    Table t;
    t.offset = U32(rec + 8);
    t.length = U32(rec + 12);
    if (uint64_t(t.offset) + t.length > d.size()) continue;  // unusable; treated as absent
    t.present = true;
    tables_[tag] = t;
  }
  for (const char* tag : {"head", "hhea", "maxp", "hmtx", "loca", "glyf", "cmap"}) {
    if (!table(tag).present) {
      *error = std::string("the font has no usable '") + tag + "' table";
      return false;
    }
  }
  const Table& head = table("head");
  const Table& hhea = table("hhea");
  const Table& maxp = table("maxp");
  if (head.length < 54 || hhea.length < 36 || maxp.length < 6) {
    *error = "the font's head, hhea or maxp table is too short";
    return false;
  }
  units_per_em_ = U16(head.offset + 18);
  if (units_per_em_ < 16 || units_per_em_ > 16384) {
    *error = "the font's units per em are out of range";
    return false;
  }
  for (int i = 0; i < 4; ++i) bbox_[i] = static_cast<int16_t>(U16(head.offset + 36 + 2 * i));
  long_loca_ = static_cast<int16_t>(U16(head.offset + 50)) != 0;
  italic_ = (U16(head.offset + 44) & 2) != 0;  // macStyle
  glyph_count_ = U16(maxp.offset + 4);
  const Table& loca = table("loca");
  uint32_t loca_entries = loca.length / (long_loca_ ? 4 : 2);
  if (loca_entries < 1) {
    *error = "the font's loca table is empty";
    return false;
  }
  glyph_count_ = std::min<int>(glyph_count_, static_cast<int>(loca_entries) - 1);
  if (glyph_count_ < 1) {
    *error = "the font has no glyphs";
    return false;
  }
  ascent_ = static_cast<int16_t>(U16(hhea.offset + 4));
  descent_ = static_cast<int16_t>(U16(hhea.offset + 6));
  metric_count_ = std::min<int>(U16(hhea.offset + 34), glyph_count_);
  metric_count_ = std::min<int>(metric_count_, static_cast<int>(table("hmtx").length / 4));
  hmtx_offset_ = table("hmtx").offset;
  if (metric_count_ < 1) {
    *error = "the font has no horizontal metrics";
    return false;
  }
  cap_height_ = ascent_;
  const Table& os2 = table("OS/2");
  if (os2.present && os2.length >= 10) {
    weight_ = U16(os2.offset + 4);
    fs_type_ = U16(os2.offset + 8);
    if (os2.length >= 64) italic_ = (U16(os2.offset + 62) & 1) != 0;
    if (U16(os2.offset) >= 2 && os2.length >= 90) {
      int cap = static_cast<int16_t>(U16(os2.offset + 88));
      if (cap > 0) cap_height_ = cap;
    }
  }
  const Table& post = table("post");
  if (post.present && post.length >= 16) {
    italic_angle_ = static_cast<int32_t>(U32(post.offset + 4)) / 65536.0;
    fixed_pitch_ = U32(post.offset + 12) != 0;
    italic_ = italic_ || italic_angle_ != 0;
  }
  if (!ReadCmap()) {
    *error = "the font has no Unicode character map";
    return false;
  }
  // Text is mostly Latin-1: its glyphs are looked up once, here.
  for (char32_t cp = 0; cp < kLatinGlyphs; ++cp) latin_glyphs_[cp] = LookUpGlyph(cp);
  ReadNames();
  return true;
}

bool TrueTypeFont::ReadCmap() {
  const Table& cmap = table("cmap");
  uint16_t count = U16(cmap.offset + 2);
  if (4 + uint64_t(count) * 8 > cmap.length) count = static_cast<uint16_t>((cmap.length - 4) / 8);
  // Best subtable first: full Unicode, then the BMP, then a symbol map.
  int best_rank = 0;
  uint32_t best = 0;
  for (uint16_t i = 0; i < count; ++i) {
    uint32_t rec = cmap.offset + 4 + 8u * i;
    uint16_t platform = U16(rec), encoding = U16(rec + 2);
    uint32_t off = U32(rec + 4);
    if (off >= cmap.length) continue;
    uint16_t format = U16(cmap.offset + off);
    int rank = 0;
    if (format == 12 && (platform == 3 && encoding == 10)) rank = 6;
    else if (format == 12 && platform == 0) rank = 5;
    else if (format == 4 && platform == 3 && encoding == 1) rank = 4;
    else if (format == 4 && platform == 0) rank = 3;
    else if (format == 4 && platform == 3 && encoding == 0) rank = 2;
    if (rank > best_rank) {
      best_rank = rank;
      best = cmap.offset + off;
    }
  }
  if (best_rank == 0) return false;
  symbol_cmap_ = best_rank == 2;
  uint32_t end_of_table = cmap.offset + cmap.length;
  if (U16(best) == 4) {
    uint32_t seg_x2 = U16(best + 6);
    uint32_t ends = best + 14, starts = ends + seg_x2 + 2, deltas = starts + seg_x2,
             ranges = deltas + seg_x2;
    if (ranges + seg_x2 > end_of_table) return false;
    for (uint32_t i = 0; i < seg_x2 / 2; ++i) {
      Segment s;
      s.last = U16(ends + 2 * i);
      s.first = U16(starts + 2 * i);
      if (s.first > s.last) continue;
      s.delta = static_cast<int16_t>(U16(deltas + 2 * i));
      uint16_t ro = U16(ranges + 2 * i);
      if (ro == 0) {
        s.kind = 0;
        s.array_offset = 0;
      } else {
        s.kind = 1;
        s.array_offset = ranges + 2 * i + ro;
      }
      segments_.push_back(s);
    }
  } else {
    uint32_t groups = U32(best + 12);
    uint32_t length = U32(best + 4);
    uint64_t limit = std::min<uint64_t>(length, end_of_table - best);
    if (limit < 16) return false;
    groups = static_cast<uint32_t>(std::min<uint64_t>(groups, (limit - 16) / 12));
    for (uint32_t i = 0; i < groups; ++i) {
      uint32_t g = best + 16 + 12 * i;
      Segment s;
      s.first = U32(g);
      s.last = U32(g + 4);
      if (s.first > s.last || s.last > 0x10FFFF) continue;
      s.kind = 2;
      s.delta = static_cast<int32_t>(U32(g + 8));
      s.array_offset = 0;
      segments_.push_back(s);
    }
  }
  std::sort(segments_.begin(), segments_.end(),
            [](const Segment& a, const Segment& b) { return a.first < b.first; });
  return !segments_.empty();
}

void TrueTypeFont::ReadNames() {
  const Table& name = table("name");
  std::string found;
  if (name.present && name.length >= 6) {
    uint16_t count = U16(name.offset + 2);
    uint32_t strings = name.offset + U16(name.offset + 4);
    int best_rank = 0;
    for (uint16_t i = 0; i < count && 6 + 12u * (i + 1) <= name.length; ++i) {
      uint32_t rec = name.offset + 6 + 12u * i;
      uint16_t platform = U16(rec), encoding = U16(rec + 2), language = U16(rec + 4),
               id = U16(rec + 6), length = U16(rec + 8), off = U16(rec + 10);
      if (uint64_t(strings) + off + length > uint64_t(name.offset) + name.length) continue;
      int rank = 0;
      bool wide = platform == 3 || platform == 0;
      if (id == 6) rank = (platform == 3 && language == 0x409) ? 6 : wide ? 5 : 4;
      else if (id == 4) rank = wide ? 3 : 2;
      else if (id == 1) rank = 1;
      if (platform == 1 && encoding != 0) rank = 0;
      if (rank <= best_rank) continue;
      std::string text;
      if (wide) {
        for (uint32_t k = 0; k + 1 < length; k += 2) {
          uint16_t unit = U16(strings + off + k);
          if (unit < 0x80) text += static_cast<char>(unit);
        }
      } else {
        text = data_->substr(strings + off, length);
      }
      text = SanitisePostScriptName(text);
      if (text.empty()) continue;
      best_rank = rank;
      found = text;
    }
  }
  postscript_name_ = found.empty() ? "TrueTypeFont" : found;
}

TrueTypeFont::Embedding TrueTypeFont::embedding() const {
  // Bit 1 alone is the restricted licence; fonts that also set the preview
  // or editable bit grant the less restrictive of them.
  if ((fs_type_ & 0x000F) == 0x0002) return Embedding::kForbidden;
  if (fs_type_ & 0x0200) return Embedding::kForbidden;  // bitmap embedding only
  if (fs_type_ & 0x0100) return Embedding::kWholeFont;
  return Embedding::kSubset;
}

uint16_t TrueTypeFont::GlyphForCodePoint(char32_t cp) const {
  return cp < kLatinGlyphs ? latin_glyphs_[cp] : LookUpGlyph(cp);
}

uint16_t TrueTypeFont::LookUpGlyph(char32_t cp) const {
  auto lookup = [this](char32_t c) -> uint32_t {
    auto it = std::upper_bound(segments_.begin(), segments_.end(), c,
                               [](char32_t v, const Segment& s) { return v < s.first; });
    if (it == segments_.begin()) return 0;
    --it;
    if (c > it->last) return 0;
    switch (it->kind) {
      case 0: return (c + static_cast<uint32_t>(it->delta)) & 0xFFFF;
      case 1: {
        uint16_t g = U16(it->array_offset + 2 * (c - it->first));
        return g == 0 ? 0 : ((g + static_cast<uint32_t>(it->delta)) & 0xFFFF);
      }
      default: return static_cast<uint32_t>(it->delta) + (c - it->first);
    }
  };
  uint32_t g = lookup(cp);
  if (g == 0 && symbol_cmap_ && cp < 0x100) g = lookup(0xF000 + cp);
  return g < static_cast<uint32_t>(glyph_count_) ? static_cast<uint16_t>(g) : 0;
}

int TrueTypeFont::AdvanceWidth(uint16_t glyph) const {
  if (glyph >= glyph_count_) glyph = 0;
  int index = std::min<int>(glyph, metric_count_ - 1);
  return U16(hmtx_offset_ + 4 * index);
}

bool TrueTypeFont::GlyphRange(uint16_t glyph, uint32_t& begin, uint32_t& end) const {
  const Table& loca = table("loca");
  const Table& glyf = table("glyf");
  uint32_t a, b;
  if (long_loca_) {
    a = U32(loca.offset + 4u * glyph);
    b = U32(loca.offset + 4u * glyph + 4);
  } else {
    a = 2u * U16(loca.offset + 2u * glyph);
    b = 2u * U16(loca.offset + 2u * glyph + 2);
  }
  if (a > b || b > glyf.length) {
    begin = end = 0;
    return false;
  }
  begin = glyf.offset + a;
  end = glyf.offset + b;
  return true;
}

// A (3,1) format-4 character map: one segment per run of code points whose
// glyph ids follow them. Empty when it would not fit the format.
static std::string BuildCmap(const std::map<char32_t, uint16_t>& map) {
  struct Run {
    uint16_t first, last;
    int delta;
  };
  std::vector<Run> runs;
  for (const auto& m : map) {
    if (m.first >= 0xFFFF) break;
    uint16_t cp = static_cast<uint16_t>(m.first);
    int delta = static_cast<int>(m.second) - cp;
    if (!runs.empty() && runs.back().last + 1 == cp && runs.back().delta == delta) runs.back().last = cp;
    else runs.push_back({cp, cp, delta});
  }
  runs.push_back({0xFFFF, 0xFFFF, 1});
  size_t seg = runs.size();
  size_t length = 16 + 8 * seg;
  if (length > 0xFFFF) return std::string();
  uint16_t power = 1, log2 = 0;
  while (power * 2 <= seg) {
    power *= 2;
    ++log2;
  }
  std::string t;
  Append16(t, 0);  // version
  Append16(t, 1);  // one subtable
  Append16(t, 3);
  Append16(t, 1);
  Append32(t, 12);
  Append16(t, 4);
  Append16(t, static_cast<uint16_t>(length));
  Append16(t, 0);
  Append16(t, static_cast<uint16_t>(seg * 2));
  Append16(t, static_cast<uint16_t>(power * 2));
  Append16(t, log2);
  Append16(t, static_cast<uint16_t>(seg * 2 - power * 2));
  for (const Run& r : runs) Append16(t, r.last);
  Append16(t, 0);
  for (const Run& r : runs) Append16(t, r.first);
  for (const Run& r : runs) Append16(t, static_cast<uint16_t>(r.delta & 0xFFFF));
  for (size_t i = 0; i < seg; ++i) Append16(t, 0);
  return t;
}

bool TrueTypeFont::Subset(const std::set<uint16_t>& glyphs, bool whole, FontSubset& out,
                          std::string* error, const std::map<uint16_t, char32_t>* unicode) const {
  out = FontSubset();
  std::set<uint16_t> keep{0};
  if (whole) {
    for (int g = 0; g < glyph_count_; ++g) keep.insert(static_cast<uint16_t>(g));
  } else {
    std::vector<uint16_t> work;
    for (uint16_t g : glyphs)
      if (g < glyph_count_ && keep.insert(g).second) work.push_back(g);
    work.push_back(0);
    std::vector<uint32_t> offsets;
    while (!work.empty()) {  // components of composites, to any depth
      uint16_t g = work.back();
      work.pop_back();
      uint32_t begin, end;
      if (!GlyphRange(g, begin, end) || end - begin < 10) continue;
      if (static_cast<int16_t>(U16(begin)) >= 0) continue;
      ComponentOffsets(data_->substr(begin, end - begin), offsets);
      for (uint32_t off : offsets) {
        uint16_t c = U16(begin + off);
        if (c < glyph_count_ && keep.insert(c).second) work.push_back(c);
      }
    }
  }
  uint16_t next = 0;
  for (uint16_t g : keep) out.new_glyph[g] = next++;

  // glyf, loca, hmtx.
  std::string glyf, loca, hmtx;
  const Table& metrics = table("hmtx");
  std::vector<uint32_t> offsets;
  for (uint16_t g : keep) {
    Append32(loca, static_cast<uint32_t>(glyf.size()));
    uint32_t begin, end;
    if (GlyphRange(g, begin, end) && end > begin) {
      std::string bytes = data_->substr(begin, end - begin);
      bool ok = bytes.size() >= 10;
      if (ok && static_cast<int16_t>(U16(begin)) < 0) {
        ok = ComponentOffsets(bytes, offsets);
        for (uint32_t off : offsets) {
          uint16_t c = static_cast<uint16_t>((uint8_t(bytes[off]) << 8) | uint8_t(bytes[off + 1]));
          auto it = out.new_glyph.find(c);
          if (it == out.new_glyph.end()) ok = false;
          else Put16(bytes, off, it->second);
        }
      }
      if (ok) {
        glyf += bytes;
        while (glyf.size() % 4) glyf += '\0';
      }
      // A damaged glyph stays empty rather than carrying bad data along.
    }
    uint16_t advance = static_cast<uint16_t>(AdvanceWidth(g));
    uint16_t lsb = 0;
    if (g < metric_count_) {
      lsb = U16(metrics.offset + 4u * g + 2);
    } else {
      uint32_t off = 4u * metric_count_ + 2u * (g - metric_count_);
      if (off + 2 <= metrics.length) lsb = U16(metrics.offset + off);
    }
    Append16(hmtx, advance);
    Append16(hmtx, lsb);
  }
  Append32(loca, static_cast<uint32_t>(glyf.size()));

  auto copy = [this](const char* tag) {
    const Table& t = table(tag);
    return t.present ? data_->substr(t.offset, t.length) : std::string();
  };
  std::string head = copy("head"), hhea = copy("hhea"), maxp = copy("maxp");
  Put32(head, 8, 0);   // checkSumAdjustment, set below
  Put16(head, 50, 1);  // long loca offsets
  Put16(hhea, 34, next);
  Put16(maxp, 4, next);

  std::map<std::string, std::string> tables;
  tables["head"] = head;
  tables["hhea"] = hhea;
  tables["maxp"] = maxp;
  tables["hmtx"] = hmtx;
  tables["loca"] = loca;
  tables["glyf"] = glyf;
  for (const char* tag : {"cvt ", "fpgm", "prep", "OS/2"}) {
    std::string t = copy(tag);
    if (!t.empty()) tables[tag] = t;
  }
  if (unicode) {
    std::map<char32_t, uint16_t> map;
    for (const auto& u : *unicode) {
      auto it = out.new_glyph.find(u.first);
      if (it != out.new_glyph.end()) map.emplace(u.second, it->second);
    }
    std::string cmap = BuildCmap(map);
    if (!cmap.empty()) tables["cmap"] = cmap;
  }
  // A small name table: some readers want one in every embedded font.
  {
    const std::string& ps = postscript_name_;
    const std::pair<uint16_t, std::string> names[] = {
        {1, ps}, {2, "Regular"}, {3, ps}, {4, ps}, {6, ps}};
    std::string records, strings;
    for (const auto& n : names) {
      std::string wide;
      for (char c : n.second) wide += std::string{'\0', c};
      Append16(records, 3);
      Append16(records, 1);
      Append16(records, 0x409);
      Append16(records, n.first);
      Append16(records, static_cast<uint16_t>(wide.size()));
      Append16(records, static_cast<uint16_t>(strings.size()));
      strings += wide;
    }
    std::string name;
    Append16(name, 0);
    Append16(name, 5);
    Append16(name, static_cast<uint16_t>(6 + records.size()));
    tables["name"] = name + records + strings;
  }
  std::string post = copy("post");
  if (post.size() >= 32) {
    post.resize(32);
    Put32(post, 0, 0x00030000);  // no glyph names
    tables["post"] = post;
  }
  if (glyf.size() > 0x7FFFFFFF) {
    if (error) *error = "the subset font is too large";
    return false;
  }

  // Table directory, tables in tag order, each on a 4-byte boundary.
  uint16_t n = static_cast<uint16_t>(tables.size());
  uint16_t power = 1, log2 = 0;
  while (power * 2 <= n) {
    power *= 2;
    ++log2;
  }
  std::string& font = out.data;
  Append32(font, 0x00010000);
  Append16(font, n);
  Append16(font, static_cast<uint16_t>(power * 16));
  Append16(font, log2);
  Append16(font, static_cast<uint16_t>(n * 16 - power * 16));
  uint32_t offset = 12 + 16u * n;
  uint32_t head_offset = 0;
  for (const auto& t : tables) {
    font += t.first;
    Append32(font, Checksum(t.second));
    Append32(font, offset);
    Append32(font, static_cast<uint32_t>(t.second.size()));
    if (t.first == "head") head_offset = offset;
    offset += static_cast<uint32_t>((t.second.size() + 3) & ~size_t(3));
  }
  for (const auto& t : tables) {
    font += t.second;
    while (font.size() % 4) font += '\0';
  }
  Put32(font, head_offset + 8, 0xB1B0AFBAu - Checksum(font));
  return true;
}

}  // namespace twpdf
