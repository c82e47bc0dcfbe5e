#include "pdf_document.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "pdf_format.h"
#include "pdf_jpeg.h"
#include "pdf_standard_font.h"
#include "pdf_truetype.h"
#include "thread_sync.h"

namespace twpdf {
namespace {

const double kMinPage = 3, kMaxPage = 14400;
// Children per node of the page tree and of the destination name tree;
// readers take arrays of up to 8191 elements and dictionaries of 4095.
const size_t kFanOut = 64;

double Clamp(double v, double lo, double hi) {
  if (std::isnan(v)) return lo;
  return std::min(std::max(v, lo), hi);
}

std::string Num(double v) { return FormatNumber(v, 4); }

// 64-bit FNV-1a: file IDs and subset tags; both only need to be stable.
uint64_t Hash(uint64_t h, const std::string& bytes) {
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}
const uint64_t kHashSeed = 14695981039346656037ull;

std::string ColorOp(double r, double g, double b, const char* op) {
  std::string s;
  FormatNumber(s, Clamp(r, 0, 1), 3);
  s += ' ';
  FormatNumber(s, Clamp(g, 0, 1), 3);
  s += ' ';
  FormatNumber(s, Clamp(b, 0, 1), 3);
  s += ' ';
  s += op;
  return s;
}

}  // namespace

// The names of the document's destinations, for the many look-ups of the
// end (a link and a bookmark each): a flat table of the map's own keys,
// found by hash, instead of a walk down the map's tree per look-up.
class DocumentWriter::NameTable {
 public:
  template <typename Map>
  explicit NameTable(const Map& names) {
    size_t capacity = 16;
    while (capacity < names.size() * 2) capacity *= 2;
    slots_.assign(capacity, nullptr);
    for (const auto& entry : names) {
      size_t i = Slot(entry.first);
      while (slots_[i]) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = &entry.first;
    }
  }
  bool Contains(const std::string& name) const {
    for (size_t i = Slot(name); slots_[i]; i = (i + 1) & (slots_.size() - 1))
      if (*slots_[i] == name) return true;
    return false;
  }

 private:
  size_t Slot(const std::string& name) const {
    return std::hash<std::string>()(name) & (slots_.size() - 1);
  }
  std::vector<const std::string*> slots_;
};

LinkTarget LinkTarget::Named(const std::string& name) {
  LinkTarget t;
  t.kind = Kind::kNamed;
  t.name = name;
  return t;
}

LinkTarget LinkTarget::PageAt(int page, double top) {
  LinkTarget t;
  t.kind = Kind::kPage;
  t.page = page;
  t.top = top;
  return t;
}

// ---------------------------------------------------------------- Page

Page::Page(double width, double height)
    : width_(width), height_(height), fill_(1, "0 0 0 ") {}

void Page::Trim() {
  for (UsedFont& u : used_fonts_) std::vector<uint64_t>().swap(u.seen);
}

void Page::Op(const std::string& op) {
  content_ += op;
  content_ += '\n';
}

void Page::SaveState() {
  fill_.push_back(fill_.back());
  Op("q");
}

void Page::RestoreState() {
  if (fill_.size() < 2) return;  // unbalanced: a Q without q breaks readers
  fill_.pop_back();
  Op("Q");
}

void Page::SetFillColor(double r, double g, double b) {
  std::string op = ColorOp(r, g, b, "rg");
  fill_.back() = op.substr(0, op.size() - 2);
  Op(op);
}
void Page::SetStrokeColor(double r, double g, double b) { Op(ColorOp(r, g, b, "RG")); }
void Page::SetLineWidth(double width) { Op(Num(std::max(0.0, width)) + " w"); }
void Page::SetDash(double on, double off) {
  if (!(on > 0)) {
    Op("[] 0 d");
    return;
  }
  Op("[" + Num(on) + ' ' + Num(std::max(0.0, off)) + "] 0 d 0 J");
}
void Page::MoveTo(double x, double y) { Op(Num(x) + ' ' + Num(y) + " m"); }
void Page::LineTo(double x, double y) { Op(Num(x) + ' ' + Num(y) + " l"); }
void Page::CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
  Op(Num(x1) + ' ' + Num(y1) + ' ' + Num(x2) + ' ' + Num(y2) + ' ' + Num(x3) + ' ' + Num(y3) + " c");
}
void Page::ClosePath() { Op("h"); }
void Page::Rectangle(double x, double y, double w, double h) {
  FormatNumber(content_, x);
  content_ += ' ';
  FormatNumber(content_, y);
  content_ += ' ';
  FormatNumber(content_, w);
  content_ += ' ';
  FormatNumber(content_, h);
  content_ += " re\n";
}
void Page::Stroke() { Op("S"); }
void Page::Fill() { Op("f"); }
void Page::FillEvenOdd() { Op("f*"); }
void Page::ClipToPath() { Op("W n"); }

void Page::StrokeLine(double x0, double y0, double x1, double y1) {
  MoveTo(x0, y0);
  LineTo(x1, y1);
  Stroke();
}

void Page::FillRect(double x, double y, double w, double h) {
  Rectangle(x, y, w, h);
  Fill();
}

double Page::ShowText(int font, double size, double x, double y, const std::string& utf8) {
  if (utf8.empty()) return 0;
  const std::u32string text = DecodeUtf8(utf8);
  return ShowText(font, size, x, y, text.data(), text.size());
}

double Page::ShowText(int font, double size, double x, double y, const char32_t* text, size_t n) {
  if (!writer_ || font < 0 || font >= static_cast<int>(writer_->fonts_.size()) || n == 0) return 0;
  int used = -1;
  for (size_t i = 0; i < used_fonts_.size() && used < 0; ++i)
    if (used_fonts_[i].writer_font == font) used = static_cast<int>(i);
  if (used < 0) {
    const DocumentWriter::FontEntry& entry = writer_->fonts_[font];
    UsedFont u;
    u.font = entry.font;
    u.style = entry.style;
    u.writer_font = font;
    used_fonts_.push_back(std::move(u));
    used = static_cast<int>(used_fonts_.size() - 1);
  }
  return ShowTextIn(used, size, x, y, text, n);
}

int Page::UseFont(std::shared_ptr<const TrueTypeFont> font, SyntheticStyle style) {
  if (font && font->embedding() == TrueTypeFont::Embedding::kForbidden) font = nullptr;
  if (!font) style = SyntheticStyle();
  for (size_t i = 0; i < used_fonts_.size(); ++i) {
    const UsedFont& u = used_fonts_[i];
    if (u.writer_font < 0 && u.font == font && u.style.bold == style.bold &&
        u.style.italic == style.italic)
      return static_cast<int>(i);
  }
  UsedFont u;
  u.font = std::move(font);
  u.style = style;
  used_fonts_.push_back(std::move(u));
  return static_cast<int>(used_fonts_.size() - 1);
}

void Page::BindFont(int used_font, int writer_font) {
  if (used_font >= 0 && used_font < used_font_count()) used_fonts_[used_font].writer_font = writer_font;
}

double Page::ShowTextIn(int used, double size, double x, double y, const char32_t* text, size_t n) {
  if (used < 0 || used >= used_font_count() || n == 0) return 0;
  UsedFont& entry = used_fonts_[used];
  const SyntheticStyle style = entry.style;
  // The operators go straight into the content: pages hold thousands of runs.
  std::string& out = content_;
  auto font_op = [&]() {
    out += "BT /F";
    out += std::to_string(used + 1);
    out += ' ';
    FormatNumber(out, size);
    out += " Tf ";
  };
  if (!entry.font) {
    std::string bytes;
    bytes.reserve(n);
    long long units = 0;
    for (size_t i = 0; i < n; ++i) {
      unsigned char b = '?';
      WinAnsiByte(text[i], b);
      bytes += static_cast<char>(b);
      units += HelveticaWidth(b);
    }
    font_op();
    FormatNumber(out, x);
    out += ' ';
    FormatNumber(out, y);
    out += " Td ";
    AppendLiteral(out, bytes);
    out += " Tj ET\n";
    return units * size / 1000;
  }
  const TrueTypeFont& ttf = *entry.font;
  if (style.bold) {
    // Outlines stroked in the fill colour, a thirtieth of the size wide;
    // q/Q keep the stroke settings from leaking into later drawing.
    out += "q ";
    out += fill_.back();
    out += "RG ";
    FormatNumber(out, size / 30);
    out += " w ";
  }
  font_op();
  if (style.italic) {
    // About 12 degrees of slant, as GDI's simulated italic.
    out += "1 0 0.2126 1 ";
    FormatNumber(out, x);
    out += ' ';
    FormatNumber(out, y);
    out += " Tm ";
  } else {
    FormatNumber(out, x);
    out += ' ';
    FormatNumber(out, y);
    out += " Td ";
  }
  if (style.bold) out += "2 Tr ";
  static const char kHex[] = "0123456789ABCDEF";
  if (entry.seen.empty()) {
    entry.seen.assign(65536 / 64, 0);
    for (const auto& g : entry.glyphs) entry.seen[g.first >> 6] |= uint64_t(1) << (g.first & 63);
  }
  long long units = 0;
  bool missing = false;
  out += '<';
  for (size_t i = 0; i < n; ++i) {
    const char32_t cp = text[i];
    const uint16_t g = ttf.GlyphForCodePoint(cp);
    if (g == 0) missing = true;
    uint64_t& word = entry.seen[g >> 6];
    const uint64_t bit = uint64_t(1) << (g & 63);
    if (!(word & bit)) {
      // The first character met for a glyph is the one its ToUnicode entry gives.
      word |= bit;
      entry.glyphs.emplace_back(g, cp);
    }
    const char hex[4] = {kHex[g >> 12], kHex[(g >> 8) & 15], kHex[(g >> 4) & 15], kHex[g & 15]};
    out.append(hex, 4);
    units += ttf.AdvanceWidth(g);
  }
  out += "> Tj ET";
  if (style.bold) out += " Q";
  out += '\n';
  if (missing && warnings_.size() < 100)
    warnings_.push_back("the font " + ttf.postscript_name() + " lacks characters of \"" +
                        EncodeUtf8(std::u32string(text, n)) + "\"");
  return units * size / ttf.units_per_em();
}

void Page::DrawImage(int image, double x, double y, double w, double h) {
  if (image < 0 || (writer_ && image >= static_cast<int>(writer_->images_.size()))) return;
  int used = -1;
  for (size_t i = 0; i < used_images_.size() && used < 0; ++i)
    if (used_images_[i].tag < 0 && used_images_[i].writer_image == image) used = static_cast<int>(i);
  if (used < 0) {
    used_images_.push_back(UsedImage{-1, image});
    used = static_cast<int>(used_images_.size() - 1);
  }
  DrawUsedImage(used, x, y, w, h);
}

int Page::UseImage(int tag) {
  used_images_.push_back(UsedImage{tag < 0 ? 0 : tag, -1});
  return static_cast<int>(used_images_.size() - 1);
}

void Page::BindImage(int used_image, int writer_image) {
  if (used_image >= 0 && used_image < used_image_count())
    used_images_[used_image].writer_image = writer_image;
}

void Page::DrawUsedImage(int used, double x, double y, double w, double h) {
  if (used < 0 || used >= used_image_count()) return;
  content_ += "q ";
  FormatNumber(content_, w);
  content_ += " 0 0 ";
  FormatNumber(content_, h);
  content_ += ' ';
  FormatNumber(content_, x);
  content_ += ' ';
  FormatNumber(content_, y);
  content_ += " cm /Im";
  content_ += std::to_string(used + 1);
  content_ += " Do Q\n";
}

void Page::AddUriLink(double x0, double y0, double x1, double y1, const std::string& uri) {
  if (uri.empty()) return;
  uris_.push_back(PendingUri{{x0, y0, x1, y1}, uri});
}

void Page::AddLink(double x0, double y0, double x1, double y1, const LinkTarget& target) {
  if (target.kind == LinkTarget::Kind::kNone) return;
  PendingLink link{{x0, y0, x1, y1}, target};
  links_.push_back(link);
}

void Page::DefineDestination(const std::string& name, double x, double top) {
  if (name.empty()) return;
  destinations_.push_back(PendingDestination{name, x, top});
}

// ---------------------------------------------------------------- DocumentWriter

DocumentWriter::DocumentWriter(const WriterOptions& options) : options_(options) {
  outline_.resize(1);
}

DocumentWriter::~DocumentWriter() {
  if (open_) Abort();
}

bool DocumentWriter::Open(const std::string& path) {
  file_.reset(new FileOutput());
  if (!file_->Open(path)) {
    Fail(file_->error());
    file_.reset();
    return false;
  }
  return Open(*file_);
}

bool DocumentWriter::Open(OutputStage& output) {
  counter_.reset(new CountingOutput(output));
  open_ = true;
  offsets_.assign(1, 0);
  // The comment's high bytes tell transfer programs that the file is binary.
  return Emit("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

void DocumentWriter::Fail(const std::string& message) {
  if (!failed_) error_ = message.empty() ? "Cannot write the PDF file" : message;
  failed_ = true;
}

void DocumentWriter::Warn(const std::string& message) {
  if (warnings_.size() < 1000) warnings_.push_back(message);
}

int DocumentWriter::Allocate() {
  offsets_.push_back(0);
  return static_cast<int>(offsets_.size() - 1);
}

bool DocumentWriter::Emit(const std::string& bytes) {
  if (failed_ || !counter_) return false;
  if (!counter_->Write(bytes)) {
    Fail(counter_->error());
    return false;
  }
  return true;
}

bool DocumentWriter::BeginObject(int number) {
  if (failed_) return false;
  if (number <= 0 || number >= static_cast<int>(offsets_.size()) || offsets_[number] != 0) {
    Fail("internal error: object " + std::to_string(number) + " written twice or never allocated");
    return false;
  }
  offsets_[number] = counter_->count();
  return Emit(std::to_string(number) + " 0 obj\n");
}

bool DocumentWriter::WriteObject(int number, const Object& object) {
  if (!BeginObject(number)) return false;
  std::string s;
  object.AppendTo(s);
  s += "\nendobj\n";
  return Emit(s);
}

bool DocumentWriter::WriteStream(int number, Object dict, const std::string& data, bool compress) {
  std::string packed;
  const std::string* body = &data;
  if (compress && options_.compress) {
    if (!deflater_.Pack(data, packed)) {
      Fail("compression failed (out of memory?)");
      return false;
    }
    dict.Set("Filter", Object::Name("FlateDecode"));
    body = &packed;
  }
  dict.Set("Length", Object::Integer(static_cast<long long>(body->size())));
  if (!BeginObject(number)) return false;
  std::string head;
  dict.AppendTo(head);
  head += "\nstream\n";
  return Emit(head) && Emit(*body) && Emit("\nendstream\nendobj\n");
}

SyntheticStyle SyntheticStyle::For(const TrueTypeFont& font, int weight, bool italic) {
  SyntheticStyle style;
  style.bold = weight >= 600 && font.weight() < 600;
  style.italic = italic && !font.italic();
  return style;
}

int DocumentWriter::AddFont(std::shared_ptr<const TrueTypeFont> font, std::string* error,
                            SyntheticStyle style) {
  if (!font) {
    if (error) *error = "no font";
    return -1;
  }
  if (font->embedding() == TrueTypeFont::Embedding::kForbidden) {
    if (error) *error = "the licence of " + font->postscript_name() + " does not allow embedding";
    return -1;
  }
  FontEntry entry;
  for (size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i].font != font) continue;
    if (fonts_[i].style.bold == style.bold && fonts_[i].style.italic == style.italic)
      return static_cast<int>(i);
    if (fonts_[i].base < 0) entry.base = static_cast<int>(i);
  }
  entry.font = std::move(font);
  entry.style = style;
  fonts_.push_back(std::move(entry));
  return static_cast<int>(fonts_.size() - 1);
}

int DocumentWriter::AddStandardFont() {
  if (standard_font_ < 0) {
    fonts_.push_back(FontEntry());
    standard_font_ = static_cast<int>(fonts_.size() - 1);
  }
  return standard_font_;
}

const TrueTypeFont* DocumentWriter::font(int id) const {
  return id >= 0 && id < static_cast<int>(fonts_.size()) ? fonts_[id].font.get() : nullptr;
}

double DocumentWriter::TextWidth(int font, double size, const std::string& utf8) const {
  if (font < 0 || font >= static_cast<int>(fonts_.size())) return 0;
  const TrueTypeFont* ttf = fonts_[font].font.get();
  if (!ttf) {
    long long units = 0;
    for (char32_t cp : DecodeUtf8(utf8)) {
      unsigned char b = '?';
      WinAnsiByte(cp, b);
      units += HelveticaWidth(b);
    }
    return units * size / 1000;
  }
  long long units = 0;
  for (char32_t cp : DecodeUtf8(utf8)) units += ttf->AdvanceWidth(ttf->GlyphForCodePoint(cp));
  return units * size / ttf->units_per_em();
}

int DocumentWriter::FontObject(int font) {
  FontEntry& entry = fonts_[font];
  if (!entry.object) entry.object = Allocate();
  return entry.object;
}

std::string DocumentWriter::ImageKey(const std::string& kind, const std::string& a,
                                     const std::string* b) {
  // Two independent 64-bit digests and the sizes: a false match would need
  // a 128-bit collision between two images of one document.
  std::string key = kind + ':' + std::to_string(a.size()) + ':' +
                    std::to_string(b ? b->size() : 0) + ':';
  for (uint64_t seed : {kHashSeed, uint64_t(0x9E3779B97F4A7C15ull)}) {
    uint64_t h = Hash(seed, a);
    if (b) h = Hash(h, *b);
    key += std::to_string(h) + ':';
  }
  return key;
}

int DocumentWriter::AddJpeg(const std::string& jpeg, std::string* error) {
  JpegInfo info;
  if (!ReadJpegInfo(jpeg, info, error) || failed_) return -1;
  std::string key = ImageKey("jpeg", jpeg, nullptr);
  auto known = image_keys_.find(key);
  if (known != image_keys_.end()) return known->second;
  Object dict = Object::Dictionary();
  dict.Set("Type", Object::Name("XObject"))
      .Set("Subtype", Object::Name("Image"))
      .Set("Width", Object::Integer(info.width))
      .Set("Height", Object::Integer(info.height))
      .Set("ColorSpace", Object::Name(info.components == 1   ? "DeviceGray"
                                      : info.components == 3 ? "DeviceRGB"
                                                             : "DeviceCMYK"))
      .Set("BitsPerComponent", Object::Integer(8));
  if (info.components == 4 && info.adobe) {
    // Adobe's CMYK JPEGs store the inks inverted.
    Object decode = Object::Array();
    for (int i = 0; i < 4; ++i) decode.Push(Object::Integer(1)).Push(Object::Integer(0));
    dict.Set("Decode", decode);
  }
  dict.Set("Filter", Object::Name("DCTDecode"));
  int number = Allocate();
  if (!WriteStream(number, dict, jpeg, false)) return -1;
  images_.push_back(number);
  image_keys_[key] = static_cast<int>(images_.size() - 1);
  return static_cast<int>(images_.size() - 1);
}

int DocumentWriter::AddRgbImage(int width, int height, const std::string& rgb,
                                const std::string* alpha, std::string* error) {
  if (width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
      rgb.size() != static_cast<size_t>(width) * height * 3 ||
      (alpha && alpha->size() != static_cast<size_t>(width) * height)) {
    if (error) *error = "image data does not match its size";
    return -1;
  }
  if (failed_) return -1;
  std::string key = ImageKey("rgb" + std::to_string(width), rgb, alpha);
  auto known = image_keys_.find(key);
  if (known != image_keys_.end()) return known->second;
  Object dict = Object::Dictionary();
  dict.Set("Type", Object::Name("XObject"))
      .Set("Subtype", Object::Name("Image"))
      .Set("Width", Object::Integer(width))
      .Set("Height", Object::Integer(height))
      .Set("ColorSpace", Object::Name("DeviceRGB"))
      .Set("BitsPerComponent", Object::Integer(8));
  if (alpha && alpha->find_first_not_of('\xFF') != std::string::npos) {
    Object mask = Object::Dictionary();
    mask.Set("Type", Object::Name("XObject"))
        .Set("Subtype", Object::Name("Image"))
        .Set("Width", Object::Integer(width))
        .Set("Height", Object::Integer(height))
        .Set("ColorSpace", Object::Name("DeviceGray"))
        .Set("BitsPerComponent", Object::Integer(8));
    int mask_number = Allocate();
    if (!WriteStream(mask_number, mask, *alpha, true)) return -1;
    dict.Set("SMask", Object::Ref(mask_number));
  }
  int number = Allocate();
  if (!WriteStream(number, dict, rgb, true)) return -1;
  images_.push_back(number);
  image_keys_[key] = static_cast<int>(images_.size() - 1);
  return static_cast<int>(images_.size() - 1);
}

int DocumentWriter::AddBgraImage(int width, int height, const void* pixels, size_t stride,
                                 bool premultiplied, std::string* error) {
  if (!pixels || width <= 0 || height <= 0 || width > 65535 || height > 65535 ||
      stride < static_cast<size_t>(width) * 4) {
    if (error) *error = "image data does not match its size";
    return -1;
  }
  std::string rgb, alpha;
  rgb.reserve(static_cast<size_t>(width) * height * 3);
  alpha.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = static_cast<const unsigned char*>(pixels) + y * stride;
    for (int x = 0; x < width; ++x, row += 4) {
      unsigned a = row[3];
      for (int c = 2; c >= 0; --c) {
        unsigned v = row[c];
        if (premultiplied) v = a ? std::min(255u, (v * 255 + a / 2) / a) : 0;
        rgb += static_cast<char>(v);
      }
      alpha += static_cast<char>(a);
    }
  }
  return AddRgbImage(width, height, rgb, &alpha, error);
}

Page& DocumentWriter::BeginPage(double width, double height) {
  return StartPage(std::unique_ptr<Page>(new Page(width, height)));
}

Page& DocumentWriter::BeginPage(Page&& painted) {
  return StartPage(std::unique_ptr<Page>(new Page(std::move(painted))));
}

Page& DocumentWriter::StartPage(std::unique_ptr<Page> page) {
  if (page_) EndPage();
  last_width_ = Clamp(page->width_, kMinPage, kMaxPage);
  last_height_ = Clamp(page->height_, kMinPage, kMaxPage);
  page->writer_ = this;
  page->index_ = page_count();
  page->width_ = last_width_;
  page->height_ = last_height_;
  page_ = std::move(page);
  if (page_objects_.size() % kFanOut == 0) page_nodes_.push_back(Allocate());
  page_objects_.push_back(Allocate());
  return *page_;
}

int DocumentWriter::EmptyImage() {
  if (empty_image_ >= 0 || failed_) return empty_image_;
  // A form that draws nothing, in the place of an image that could not be
  // added: the page's content still names something.
  Object dict = Object::Dictionary();
  dict.Set("Type", Object::Name("XObject"))
      .Set("Subtype", Object::Name("Form"))
      .Set("BBox", Object::Rect(0, 0, 1, 1));
  int number = Allocate();
  if (!WriteStream(number, dict, std::string(), false)) return -1;
  images_.push_back(number);
  empty_image_ = static_cast<int>(images_.size() - 1);
  return empty_image_;
}

int DocumentWriter::WriteUriAnnotation(const Page::PendingUri& uri) {
  int number = Allocate();
  // A URI is 7-bit ASCII: escape everything else as the URI syntax does.
  std::string ascii;
  for (unsigned char c : uri.uri) {
    if (c > 0x20 && c < 0x7F) {
      ascii += static_cast<char>(c);
    } else {
      static const char kHex[] = "0123456789ABCDEF";
      ascii += '%';
      ascii += kHex[c >> 4];
      ascii += kHex[c & 15];
    }
  }
  Object action = Object::Dictionary();
  action.Set("S", Object::Name("URI")).Set("URI", Object::String(ascii));
  Object annot = Object::Dictionary();
  annot.Set("Type", Object::Name("Annot"))
      .Set("Subtype", Object::Name("Link"))
      .Set("Rect", Object::Rect(uri.rect[0], uri.rect[1], uri.rect[2], uri.rect[3]))
      .Set("Border", Object::Array().Push(Object::Integer(0)).Push(Object::Integer(0)).Push(
                         Object::Integer(0)))
      .Set("A", action);
  WriteObject(number, annot);
  return number;
}

// A page's content stream on its way into the file.
struct DocumentWriter::PendingStream {
  int number = 0;
  std::string data;    // as painted
  std::string packed;  // compressed, once |done|
  bool ok = false;
  bool done = false;
  Mutex lock;
  Condition finished;
};

bool DocumentWriter::WritePendingStream() {
  std::shared_ptr<PendingStream> ps = std::move(pending_streams_.front());
  pending_streams_.pop_front();
  if (failed_) return false;
  if (!(options_.compress)) return WriteStream(ps->number, Object::Dictionary(), ps->data, false);
  if (post_) {
    std::unique_lock<Mutex> hold(ps->lock);
    ps->finished.wait(hold, [&] { return ps->done; });
  } else {
    ps->ok = deflater_.Pack(ps->data, ps->packed);
  }
  if (!ps->ok) {
    Fail("compression failed (out of memory?)");
    return false;
  }
  Object dict = Object::Dictionary();
  dict.Set("Filter", Object::Name("FlateDecode"));
  dict.Set("Length", Object::Integer(static_cast<long long>(ps->packed.size())));
  if (!BeginObject(ps->number)) return false;
  std::string head;
  dict.AppendTo(head);
  head += "\nstream\n";
  return Emit(head) && Emit(ps->packed) && Emit("\nendstream\nendobj\n");
}

bool DocumentWriter::EndPage() {
  if (!page_) return !failed_;
  std::unique_ptr<Page> page = std::move(page_);
  while (page->fill_.size() > 1) page->RestoreState();  // states left saved
  // The page's fonts: the glyphs it showed join their writer font's, in the
  // order met, so the first character met for a glyph is the document's.
  Object font_resources = Object::Dictionary();
  for (size_t i = 0; i < page->used_fonts_.size(); ++i) {
    Page::UsedFont& u = page->used_fonts_[i];
    int f = u.writer_font;
    if (f < 0 || f >= static_cast<int>(fonts_.size())) f = u.font ? AddFont(u.font, nullptr, u.style) : -1;
    if (f < 0) f = AddStandardFont();
    if (fonts_[f].base >= 0) f = fonts_[f].base;
    FontEntry& entry = fonts_[f];
    if (entry.font && !u.glyphs.empty()) {
      if (entry.seen.empty()) entry.seen.assign(65536, false);
      for (const auto& g : u.glyphs) {
        if (entry.seen[g.first]) continue;
        entry.seen[g.first] = true;
        entry.glyphs.insert(g.first);
        if (g.first != 0) entry.unicode.emplace(g.first, g.second);
      }
    }
    font_resources.Set("F" + std::to_string(i + 1), Object::Ref(FontObject(f)));
  }
  for (const std::string& w : page->warnings_) Warn(w);
  Object image_resources = Object::Dictionary();
  for (size_t i = 0; i < page->used_images_.size(); ++i) {
    int id = page->used_images_[i].writer_image;
    if (id < 0 || id >= static_cast<int>(images_.size())) id = EmptyImage();
    if (id >= 0) image_resources.Set("Im" + std::to_string(i + 1), Object::Ref(images_[id]));
  }
  for (const Page::PendingDestination& d : page->destinations_)
    destinations_.emplace(d.name, Destination{page->index_, d.x, d.top});
  std::vector<int> uri_annotations;
  if (!failed_)
    for (const Page::PendingUri& u : page->uris_) uri_annotations.push_back(WriteUriAnnotation(u));
  int content = Allocate();
  {
    auto ps = std::make_shared<PendingStream>();
    ps->number = content;
    ps->data = std::move(page->content_);
    if (post_ && options_.compress) {
      post_([ps] {
        // One stream a thread, reset for each page: zlib's 270 KB of state
        // made and freed for every page fragments the system heap, where
        // zlib takes it (under Wine, 10 MB and more of it left free).
        static thread_local Deflater deflater;
        std::string packed;
        const bool ok = deflater.Pack(ps->data, packed);
        std::lock_guard<Mutex> hold(ps->lock);
        ps->packed = std::move(packed);
        ps->ok = ok;
        ps->done = true;
        ps->finished.notify_all();
      });
    }
    pending_streams_.push_back(std::move(ps));
    while (pending_streams_.size() > kStreamLag)
      if (!WritePendingStream()) return false;
  }

  Object resources = Object::Dictionary();
  if (!page->used_fonts_.empty()) resources.Set("Font", font_resources);
  if (!page->used_images_.empty()) resources.Set("XObject", image_resources);
  Object dict = Object::Dictionary();
  dict.Set("Type", Object::Name("Page"))
      .Set("Parent", Object::Ref(page_nodes_[page->index_ / kFanOut]))
      .Set("MediaBox", Object::Rect(0, 0, page->width_, page->height_))
      .Set("Resources", resources)
      .Set("Contents", Object::Ref(content));
  if (!page->links_.empty()) {
    // Whether a link's target exists is known only at the end: the page
    // refers to an annotation array written then.
    DeferredAnnotations d{Allocate(), page->index_, std::move(uri_annotations),
                          std::move(page->links_)};
    dict.Set("Annots", Object::Ref(d.array_object));
    deferred_.push_back(std::move(d));
  } else if (!uri_annotations.empty()) {
    Object annots = Object::Array();
    for (int a : uri_annotations) annots.Push(Object::Ref(a));
    dict.Set("Annots", annots);
  }
  return WriteObject(page_objects_[page->index_], dict);
}

int DocumentWriter::AddOutlineItem(int parent, const std::string& title_utf8,
                                   const LinkTarget& target) {
  if (parent < 0 || parent >= static_cast<int>(outline_.size())) parent = 0;
  OutlineItem item;
  item.parent = parent;
  item.title = title_utf8;
  item.target = target;
  int id = static_cast<int>(outline_.size());
  OutlineItem& p = outline_[parent];
  if (p.last) {
    outline_[p.last].next = id;
    item.prev = p.last;
  } else {
    p.first = id;
  }
  p.last = id;
  ++p.children;
  outline_.push_back(std::move(item));
  return id;
}

void DocumentWriter::SetOutlineTarget(int item, const LinkTarget& target) {
  if (item > 0 && item < static_cast<int>(outline_.size())) outline_[item].target = target;
}

bool DocumentWriter::ResolveTarget(const LinkTarget& target, Object& dest) {
  int page;
  double x = 0, top;
  if (target.kind == LinkTarget::Kind::kNamed) {
    if (names_ ? !names_->Contains(target.name) : destinations_.count(target.name) == 0) return false;
    // Named destinations are listed in the catalog's name tree.
    dest = Object::String(target.name);
    return true;
  } else if (target.kind == LinkTarget::Kind::kPage) {
    page = target.page;
    top = target.top;
  } else {
    return false;
  }
  if (page < 0 || page >= page_count()) return false;
  dest = Object::Array();
  dest.Push(Object::Ref(page_objects_[page])).Push(Object::Name("XYZ")).Push(Object::Real(x));
  if (top < 0) dest.Push(Object::Null());
  else dest.Push(Object::Real(top));
  dest.Push(Object::Null());
  return true;
}

bool DocumentWriter::WriteFont(FontEntry& entry) {
  if (!entry.font) {
    Object dict = Object::Dictionary();
    dict.Set("Type", Object::Name("Font"))
        .Set("Subtype", Object::Name("Type1"))
        .Set("BaseFont", Object::Name("Helvetica"))
        .Set("Encoding", Object::Name("WinAnsiEncoding"));
    return WriteObject(entry.object, dict);
  }
  const TrueTypeFont& ttf = *entry.font;
  bool whole = ttf.embedding() == TrueTypeFont::Embedding::kWholeFont;
  FontSubset subset;
  std::string error;
  if (!ttf.Subset(entry.glyphs, whole, subset, &error, whole ? nullptr : &entry.unicode)) {
    Fail("Cannot embed the font " + ttf.postscript_name() + ": " + error);
    return false;
  }
  // Subset tag: six capitals that change with the glyph set.
  std::string base = ttf.postscript_name();
  if (!whole) {
    uint64_t h = Hash(kHashSeed, base);
    for (uint16_t g : entry.glyphs) h = Hash(h, std::string{char(g >> 8), char(g & 0xFF)});
    std::string tag;
    for (int i = 0; i < 6; ++i, h /= 26) tag += static_cast<char>('A' + h % 26);
    base = tag + "+" + base;
  }
  double scale = 1000.0 / ttf.units_per_em();

  int file = Allocate(), map = Allocate(), descriptor = Allocate(), cid = Allocate(),
      tounicode = Allocate();
  Object file_dict = Object::Dictionary();
  file_dict.Set("Length1", Object::Integer(static_cast<long long>(subset.data.size())));
  if (!WriteStream(file, file_dict, subset.data, true)) return false;

  // CIDs are the font's own glyph ids; the map leads them to the subset's.
  uint16_t max_cid = entry.glyphs.empty() ? 0 : *entry.glyphs.rbegin();
  std::string gid_map(2u * (max_cid + 1u), '\0');
  for (const auto& m : subset.new_glyph) {
    if (m.first > max_cid) break;
    gid_map[2 * m.first] = static_cast<char>(m.second >> 8);
    gid_map[2 * m.first + 1] = static_cast<char>(m.second & 0xFF);
  }
  if (!WriteStream(map, Object::Dictionary(), gid_map, true)) return false;

  int flags = 4;  // symbolic: glyphs are reached through the CID map, not a standard encoding
  if (ttf.fixed_pitch()) flags |= 1;
  if (ttf.italic_angle() != 0) flags |= 64;
  const int* bb = ttf.bbox();
  Object fd = Object::Dictionary();
  fd.Set("Type", Object::Name("FontDescriptor"))
      .Set("FontName", Object::Name(base))
      .Set("Flags", Object::Integer(flags))
      .Set("FontBBox", Object::Rect(bb[0] * scale, bb[1] * scale, bb[2] * scale, bb[3] * scale))
      .Set("ItalicAngle", Object::Real(ttf.italic_angle(), 2))
      .Set("Ascent", Object::Real(ttf.ascent() * scale, 2))
      .Set("Descent", Object::Real(ttf.descent() * scale, 2))
      .Set("CapHeight", Object::Real(ttf.cap_height() * scale, 2))
      .Set("StemV", Object::Integer(ttf.weight() >= 600 ? 120 : 80))
      .Set("FontFile2", Object::Ref(file));
  if (!WriteObject(descriptor, fd)) return false;

  Object widths = Object::Array();
  Object run;
  int run_end = -2;
  for (uint16_t g : entry.glyphs) {
    if (g != run_end + 1 || run.size() >= 4000) {
      if (run.size()) widths.Push(run);
      widths.Push(Object::Integer(g));
      run = Object::Array();
    }
    run.Push(Object::Real(ttf.AdvanceWidth(g) * scale, 2));
    run_end = g;
  }
  if (run.kind() == Object::Kind::kArray && run.size()) widths.Push(run);
  Object info = Object::Dictionary();
  info.Set("Registry", Object::String("Adobe"))
      .Set("Ordering", Object::String("Identity"))
      .Set("Supplement", Object::Integer(0));
  Object cidfont = Object::Dictionary();
  cidfont.Set("Type", Object::Name("Font"))
      .Set("Subtype", Object::Name("CIDFontType2"))
      .Set("BaseFont", Object::Name(base))
      .Set("CIDSystemInfo", info)
      .Set("FontDescriptor", Object::Ref(descriptor))
      .Set("DW", Object::Integer(1000))
      .Set("W", widths)
      .Set("CIDToGIDMap", Object::Ref(map));
  if (!WriteObject(cid, cidfont)) return false;

  // ToUnicode: what text extraction and search give back for each glyph.
  std::string cmap =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  std::vector<std::pair<uint16_t, char32_t>> pairs(entry.unicode.begin(), entry.unicode.end());
  for (size_t i = 0; i < pairs.size(); i += 100) {
    size_t n = std::min<size_t>(100, pairs.size() - i);
    cmap += std::to_string(n) + " beginbfchar\n";
    for (size_t k = i; k < i + n; ++k) {
      std::string code{char(pairs[k].first >> 8), char(pairs[k].first & 0xFF)};
      std::string text;
      AppendUtf16be(text, pairs[k].second);
      AppendHex(cmap, code);
      cmap += ' ';
      AppendHex(cmap, text);
      cmap += '\n';
    }
    cmap += "endbfchar\n";
  }
  cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  if (!WriteStream(tounicode, Object::Dictionary(), cmap, true)) return false;

  Object type0 = Object::Dictionary();
  type0.Set("Type", Object::Name("Font"))
      .Set("Subtype", Object::Name("Type0"))
      .Set("BaseFont", Object::Name(base))
      .Set("Encoding", Object::Name("Identity-H"))
      .Set("DescendantFonts", Object::Array().Push(Object::Ref(cid)))
      .Set("ToUnicode", Object::Ref(tounicode));
  return WriteObject(entry.object, type0);
}

bool DocumentWriter::WriteOutline(int& outline_root) {
  outline_root = 0;
  if (outline_.size() < 2) return true;
  std::vector<int> numbers(outline_.size());
  for (size_t i = 0; i < outline_.size(); ++i) numbers[i] = Allocate();
  outline_root = numbers[0];
  const OutlineItem& root = outline_[0];
  Object dict = Object::Dictionary();
  dict.Set("Type", Object::Name("Outlines"))
      .Set("First", Object::Ref(numbers[root.first]))
      .Set("Last", Object::Ref(numbers[root.last]))
      .Set("Count", Object::Integer(root.children));
  if (!WriteObject(numbers[0], dict)) return false;
  // Help files have thousands of bookmarks: each is written as text, as
  // its object would write it.
  std::string text;
  auto ref = [&](const char* key, int item) {
    text += key;
    text += std::to_string(numbers[item]);
    text += " 0 R";
  };
  for (size_t i = 1; i < outline_.size(); ++i) {
    const OutlineItem& item = outline_[i];
    text = "<</Title ";
    AppendLiteral(text, TextStringBytes(item.title));
    ref("/Parent ", item.parent);
    if (item.prev) ref("/Prev ", item.prev);
    if (item.next) ref("/Next ", item.next);
    if (item.first) {
      ref("/First ", item.first);
      ref("/Last ", item.last);
      text += "/Count ";
      text += std::to_string(-item.children);  // shown closed
    }
    Object dest;
    if (ResolveTarget(item.target, dest)) {
      text += "/Dest ";
      dest.AppendTo(text);
    }
    text += ">>\nendobj\n";
    if (!BeginObject(numbers[i]) || !Emit(text)) return false;
  }
  return true;
}

int DocumentWriter::WritePageTree() {
  struct Node {
    int number;
    Object kids;
    long long count;
  };
  std::vector<std::vector<Node>> levels(1);
  for (size_t leaf = 0; leaf < page_nodes_.size(); ++leaf) {
    Node node{page_nodes_[leaf], Object::Array(), 0};
    for (size_t p = leaf * kFanOut; p < page_objects_.size() && p < (leaf + 1) * kFanOut; ++p) {
      node.kids.Push(Object::Ref(page_objects_[p]));
      ++node.count;
    }
    levels[0].push_back(node);
  }
  while (levels.back().size() > 1) {
    std::vector<Node> up;
    const std::vector<Node>& below = levels.back();
    for (size_t i = 0; i < below.size(); ++i) {
      if (i % kFanOut == 0) up.push_back(Node{Allocate(), Object::Array(), 0});
      up.back().kids.Push(Object::Ref(below[i].number));
      up.back().count += below[i].count;
    }
    levels.push_back(up);
  }
  for (size_t l = 0; l < levels.size(); ++l) {
    for (size_t i = 0; i < levels[l].size(); ++i) {
      const Node& node = levels[l][i];
      Object dict = Object::Dictionary();
      dict.Set("Type", Object::Name("Pages"));
      if (l + 1 < levels.size()) dict.Set("Parent", Object::Ref(levels[l + 1][i / kFanOut].number));
      dict.Set("Kids", node.kids).Set("Count", Object::Integer(node.count));
      WriteObject(node.number, dict);
    }
  }
  return levels.back().empty() ? 0 : levels.back()[0].number;
}

int DocumentWriter::WriteDestinations() {
  if (destinations_.empty()) return 0;
  // A name tree: leaves of kFanOut sorted names (std::map's byte order is
  // the order the format asks for), then nodes of kFanOut kids; every node
  // below the root carries the first and last name under it. Help files
  // name tens of thousands of positions: the nodes are written as text, as
  // their objects would write them.
  struct Node {
    std::string body;  // the dictionary's entries but /Limits
    std::string first, last;
  };
  std::vector<Node> level;
  for (auto it = destinations_.begin(); it != destinations_.end();) {
    Node node{"/Names [", it->first, it->first};
    for (size_t n = 0; n < kFanOut && it != destinations_.end(); ++n, ++it) {
      if (n) node.body += ' ';
      AppendLiteral(node.body, it->first);
      node.body += " [";
      node.body += std::to_string(page_objects_[it->second.page]);
      node.body += " 0 R /XYZ ";
      FormatNumber(node.body, it->second.x, 4);
      node.body += ' ';
      FormatNumber(node.body, it->second.top, 4);
      node.body += " null]";
      node.last = it->first;
    }
    node.body += ']';
    level.push_back(std::move(node));
  }
  auto write = [&](int number, const Node& node, bool limits) {
    if (!BeginObject(number)) return;
    std::string text = "<<";
    text += node.body;
    if (limits) {
      text += "/Limits [";
      AppendLiteral(text, node.first);
      text += ' ';
      AppendLiteral(text, node.last);
      text += ']';
    }
    text += ">>\nendobj\n";
    Emit(text);
  };
  while (level.size() > 1) {
    std::vector<Node> up;
    for (size_t i = 0; i < level.size(); ++i) {
      const Node& child = level[i];
      if (i % kFanOut == 0) {
        if (!up.empty()) up.back().body += ']';
        up.push_back(Node{"/Kids [", child.first, child.first});
      } else {
        up.back().body += ' ';
      }
      int number = Allocate();
      write(number, child, true);
      up.back().last = child.last;
      up.back().body += std::to_string(number);
      up.back().body += " 0 R";
    }
    up.back().body += ']';
    level = std::move(up);
  }
  int root = Allocate();
  write(root, level[0], false);
  return root;
}

bool DocumentWriter::Close() {
  if (!open_) return false;
  EndPage();
  if (page_objects_.empty() && !failed_) {
    BeginPage(last_width_, last_height_);
    EndPage();
  }
  while (!pending_streams_.empty()) WritePendingStream();
  names_.reset(new NameTable(destinations_));
  for (FontEntry& entry : fonts_)
    if (entry.object && !failed_) WriteFont(entry);

  for (DeferredAnnotations& d : deferred_) {
    if (failed_) break;
    // The array is written as text as it goes: help files have tens of
    // thousands of links, and an object tree per link costs more than the
    // writing. The text is what the objects would write.
    std::string annots = "[";
    bool first = true;
    auto next = [&]() {
      if (!first) annots += ' ';
      first = false;
    };
    for (int a : d.uri_annotations) {
      next();
      annots += std::to_string(a);
      annots += " 0 R";
    }
    Object dest;
    for (const Page::PendingLink& link : d.links) {
      if (!ResolveTarget(link.target, dest)) {
        Warn("a link on page " + std::to_string(d.page + 1) + " leads nowhere and was left out");
        continue;
      }
      next();
      // Direct: an annotation needs no number of its own.
      annots += "<</Type /Annot/Subtype /Link/Rect [";
      for (int i = 0; i < 4; ++i) {
        if (i) annots += ' ';
        FormatNumber(annots, link.rect[i]);
      }
      annots += "]/Border [0 0 0]/Dest ";
      dest.AppendTo(annots);
      annots += ">>";
    }
    annots += "]\nendobj\n";
    if (BeginObject(d.array_object)) Emit(annots);
  }

  int outline_root = 0;
  if (!failed_) WriteOutline(outline_root);

  int pages_root = WritePageTree();
  int dests_root = WriteDestinations();
  Object catalog = Object::Dictionary();
  catalog.Set("Type", Object::Name("Catalog")).Set("Pages", Object::Ref(pages_root));
  if (outline_root) {
    catalog.Set("Outlines", Object::Ref(outline_root)).Set("PageMode", Object::Name("UseOutlines"));
  }
  if (dests_root) catalog.Set("Names", Object::Dictionary().Set("Dests", Object::Ref(dests_root)));
  int catalog_number = Allocate();
  WriteObject(catalog_number, catalog);

  Object info = Object::Dictionary();
  const std::pair<const char*, const std::string*> fields[] = {
      {"Title", &info_.title},       {"Author", &info_.author},   {"Subject", &info_.subject},
      {"Keywords", &info_.keywords}, {"Creator", &info_.creator}, {"Producer", &info_.producer}};
  uint64_t h = kHashSeed;
  for (const auto& f : fields) {
    if (!f.second->empty()) info.Set(f.first, Object::Text(*f.second));
    h = Hash(h, *f.second + '\n');
  }
  if (!options_.reproducible) {
    std::time_t now = std::time(nullptr);
    char date[32] = "";
    if (const std::tm* t = std::gmtime(&now)) std::strftime(date, sizeof date, "D:%Y%m%d%H%M%SZ", t);
    if (date[0]) {
      info.Set("CreationDate", Object::String(date)).Set("ModDate", Object::String(date));
      h = Hash(h, date);
    }
  }
  int info_number = 0;
  if (info.size()) {
    info_number = Allocate();
    WriteObject(info_number, info);
  }

  // Anything allocated but never written would break the table: write it
  // as null (it can only come from an earlier failure).
  for (size_t i = 1; i < offsets_.size() && !failed_; ++i)
    if (offsets_[i] == 0) WriteObject(static_cast<int>(i), Object::Null());

  uint64_t xref = counter_ ? counter_->count() : 0;
  std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
  for (size_t i = 1; i < offsets_.size(); ++i) {
    char line[24];
    std::snprintf(line, sizeof line, "%010llu 00000 n \n",
                  static_cast<unsigned long long>(offsets_[i]));
    table += line;
  }
  h = Hash(h, std::to_string(xref) + '/' + std::to_string(page_count()));
  std::string id;
  for (int half = 0; half < 2; ++half) {
    uint64_t v = Hash(h, half ? "b" : "a");
    for (int k = 0; k < 8; ++k) id += static_cast<char>((v >> (8 * k)) & 0xFF);
  }
  Object trailer = Object::Dictionary();
  trailer.Set("Size", Object::Integer(static_cast<long long>(offsets_.size())))
      .Set("Root", Object::Ref(catalog_number));
  if (info_number) trailer.Set("Info", Object::Ref(info_number));
  trailer.Set("ID", Object::Array().Push(Object::HexString(id)).Push(Object::HexString(id)));
  table += "trailer\n" + trailer.ToString() + "\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  Emit(table);

  open_ = false;
  if (failed_) {
    if (file_) file_->Discard();
    return false;
  }
  if (!counter_->Finish()) {
    Fail(counter_->error());
    if (file_) file_->Discard();
    return false;
  }
  return true;
}

void DocumentWriter::Abort() {
  open_ = false;
  page_.reset();
  pending_streams_.clear();  // a stream still being compressed is dropped by its task
  if (file_) file_->Discard();
}

}  // namespace twpdf
