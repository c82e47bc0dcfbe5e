// The tree builder: tokens to a Document, forgiving as browsers are with
// HTML 4. It follows the shape of the HTML5 tree construction rules (implied
// html/head/body, "close a p element", the li/dd/dt steps, table sections
// and rows, scopes, the list of active formatting elements, so that a <b> or
// <font> left open across paragraphs carries on into the next one) without
// the adoption agency: an end tag closes up to its element when that element
// is in scope with no block between, and is dropped otherwise (a formatting
// element so ended is not carried on further).
//
// Every question about the stack of open elements ("is there a <p> in
// button scope?") is answered in constant time: each stack entry carries the
// position of the nearest element at or below it of each kind of scope
// boundary, and each tag keeps the stack positions where it is open. So deep
// nesting and long runs of stray tags stay linear.
#include <algorithm>
#include <unordered_map>

#include "internal.h"
#include "parser.h"

namespace tw {
namespace html {

using detail::Token;

namespace {

enum : unsigned {
  kSpecial = 1u << 0,      // HTML5 "special" elements
  kScope = 1u << 1,        // boundaries of the default scope
  kButtonScope = 1u << 2,  // default scope + button
  kListScope = 1u << 3,    // default scope + ol, ul
  kTableScope = 1u << 4,   // html, table
  kLiStop = 1u << 5,       // special except address, div, p, li
  kDdStop = 1u << 6,       // special except address, div, p, dd, dt
  kClosesP = 1u << 7,      // a start tag that closes an open p
  kHeadContent = 1u << 8,  // belongs in <head>
  kImpliedEnd = 1u << 9,   // closed by "generate implied end tags"
  kTableContext = 1u << 10,  // table, tbody, thead, tfoot, tr: text is fostered
  kFormatting = 1u << 11,    // kept in the list of active formatting elements
  kMarker = 1u << 12,        // opens a marker in that list (cells, captions, objects)
  kNoReconstruct = 1u << 13,  // a start tag that does not reopen formatting first
};

constexpr size_t kTags = static_cast<size_t>(Tag::Count_);

struct TagFlags {
  unsigned f[kTags] = {};
  TagFlags() {
    auto set = [&](std::initializer_list<Tag> tags, unsigned bits) {
      for (Tag t : tags) f[static_cast<size_t>(t)] |= bits;
    };
    set({Tag::Address, Tag::Applet, Tag::Area, Tag::Article, Tag::Aside, Tag::Base,
         Tag::Basefont, Tag::Bgsound, Tag::Blockquote, Tag::Body, Tag::Br, Tag::Button,
         Tag::Caption, Tag::Center, Tag::Col, Tag::Colgroup, Tag::Dd, Tag::Details, Tag::Dir,
         Tag::Div, Tag::Dl, Tag::Dt, Tag::Embed, Tag::Fieldset, Tag::Figcaption, Tag::Figure,
         Tag::Footer, Tag::Form, Tag::Frame, Tag::Frameset, Tag::H1, Tag::H2, Tag::H3, Tag::H4,
         Tag::H5, Tag::H6, Tag::Head, Tag::Header, Tag::Hgroup, Tag::Hr, Tag::Html, Tag::Iframe,
         Tag::Img, Tag::Input, Tag::Isindex, Tag::Keygen, Tag::Li, Tag::Link, Tag::Listing,
         Tag::Main, Tag::Marquee, Tag::Menu, Tag::Meta, Tag::Nav, Tag::Noembed, Tag::Noframes,
         Tag::Noscript, Tag::Object, Tag::Ol, Tag::P, Tag::Param, Tag::Plaintext, Tag::Pre,
         Tag::Script, Tag::Section, Tag::Select, Tag::Source, Tag::Style, Tag::Summary,
         Tag::Table, Tag::Tbody, Tag::Td, Tag::Textarea, Tag::Tfoot, Tag::Th, Tag::Thead,
         Tag::Title, Tag::Tr, Tag::Track, Tag::Ul, Tag::Wbr, Tag::Xmp},
        kSpecial | kLiStop | kDdStop);
    for (Tag t : {Tag::Address, Tag::Div, Tag::P}) f[static_cast<size_t>(t)] &= ~(kLiStop | kDdStop);
    f[static_cast<size_t>(Tag::Li)] &= ~kLiStop;
    f[static_cast<size_t>(Tag::Dd)] &= ~kDdStop;
    f[static_cast<size_t>(Tag::Dt)] &= ~kDdStop;
    set({Tag::Applet, Tag::Caption, Tag::Html, Tag::Table, Tag::Td, Tag::Th, Tag::Marquee,
         Tag::Object},
        kScope | kButtonScope | kListScope);
    set({Tag::Button}, kButtonScope);
    set({Tag::Ol, Tag::Ul}, kListScope);
    set({Tag::Html, Tag::Table}, kTableScope);
    // A table does not close an open p: pages without a standards doctype
    // (nearly all help pages) keep it inside, as browsers do for them.
    set({Tag::Address, Tag::Article, Tag::Aside, Tag::Blockquote, Tag::Center, Tag::Details,
         Tag::Dir, Tag::Div, Tag::Dl, Tag::Fieldset, Tag::Figcaption, Tag::Figure, Tag::Footer,
         Tag::Header, Tag::Hgroup, Tag::Main, Tag::Menu, Tag::Nav, Tag::Ol, Tag::P,
         Tag::Section, Tag::Summary, Tag::Ul, Tag::H1, Tag::H2, Tag::H3, Tag::H4, Tag::H5,
         Tag::H6, Tag::Pre, Tag::Listing, Tag::Form, Tag::Hr, Tag::Xmp, Tag::Plaintext,
         Tag::Li, Tag::Dd, Tag::Dt},
        kClosesP);
    set({Tag::Base, Tag::Basefont, Tag::Bgsound, Tag::Link, Tag::Meta, Tag::Noframes,
         Tag::Script, Tag::Style, Tag::Title},
        kHeadContent);
    set({Tag::Dd, Tag::Dt, Tag::Li, Tag::Optgroup, Tag::Option, Tag::P}, kImpliedEnd);
    set({Tag::Table, Tag::Tbody, Tag::Thead, Tag::Tfoot, Tag::Tr}, kTableContext);
    set({Tag::A, Tag::B, Tag::Big, Tag::Code, Tag::Em, Tag::Font, Tag::I, Tag::Nobr, Tag::S,
         Tag::Small, Tag::Strike, Tag::Strong, Tag::Tt, Tag::U},
        kFormatting);
    set({Tag::Td, Tag::Th, Tag::Caption, Tag::Applet, Tag::Marquee, Tag::Object}, kMarker);
    set({Tag::Caption, Tag::Col, Tag::Colgroup, Tag::Tbody, Tag::Td, Tag::Tfoot, Tag::Th,
         Tag::Thead, Tag::Tr, Tag::Table, Tag::H1, Tag::H2, Tag::H3, Tag::H4, Tag::H5, Tag::H6,
         Tag::Li, Tag::Dd, Tag::Dt, Tag::Textarea, Tag::Frame, Tag::Frameset, Tag::Body,
         Tag::Html, Tag::Head},
        kNoReconstruct);
    for (size_t i = 0; i < kTags; ++i)
      if (f[i] & kClosesP) f[i] |= kNoReconstruct;
    f[static_cast<size_t>(Tag::Xmp)] &= ~kNoReconstruct;
  }
};

const TagFlags& flags() {
  static const TagFlags table;
  return table;
}

bool has(Tag t, unsigned bits) { return (flags().f[static_cast<size_t>(t)] & bits) != 0; }

bool isTablePart(Tag t) {
  switch (t) {
    case Tag::Caption: case Tag::Colgroup: case Tag::Col: case Tag::Tbody: case Tag::Thead:
    case Tag::Tfoot: case Tag::Tr: case Tag::Td: case Tag::Th:
      return true;
    default:
      return false;
  }
}

bool isHeading(Tag t) { return t >= Tag::H1 && t <= Tag::H6; }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

size_t leadingSpace(const std::string& s) {
  size_t i = 0;
  while (i < s.size() && isSpace(s[i])) ++i;
  return i;
}

class TreeBuilder {
 public:
  explicit TreeBuilder(Document& doc) : doc_(doc), tagPos_(kTags) {}

  void run(std::string_view utf8) {
    cloneBudget_ = 100000 + utf8.size() / 8;
    detail::Tokenizer tok(utf8);
    Token t;
    while (tok.next(t)) process(t);
    if (!doc_.frameset()) ensureBody();
  }

 private:
  enum class Mode { Initial, BeforeHead, InHead, AfterHead, InBody };

  // One open element. The uint32 fields hold 1 + the stack index of the
  // nearest entry at or below this one of each boundary kind (0: none).
  struct Open {
    Element* el;
    Tag tag;
    std::uint32_t scope, buttonScope, listScope, tableScope, special, liStop, ddStop;
  };

  // ---- the stack of open elements

  std::uint32_t topIndex(Tag tag) const {
    const auto& v = tagPos_[static_cast<size_t>(tag)];
    return v.empty() ? 0 : v.back();
  }
  std::uint32_t topIndexByName(const Element* e) const {
    if (e->tag() != Tag::Unknown) return topIndex(e->tag());
    auto it = unknownPos_.find(e->tagName());
    return it == unknownPos_.end() || it->second.empty() ? 0 : it->second.back();
  }
  Tag currentTag() const { return stack_.empty() ? Tag::Unknown : stack_.back().tag; }
  Element* current() const { return stack_.empty() ? nullptr : stack_.back().el; }

  // Is the element open at `pos` inside the scope given by `boundary`?
  bool inScope(std::uint32_t pos, std::uint32_t Open::*boundary) const {
    return pos != 0 && !stack_.empty() && pos >= stack_.back().*boundary;
  }
  bool tagInScope(Tag tag, std::uint32_t Open::*boundary = &Open::scope) const {
    return inScope(topIndex(tag), boundary);
  }

  void push(Element* e) {
    Open o{e, e->tag(), 0, 0, 0, 0, 0, 0, 0};
    if (!stack_.empty()) {
      const Open& b = stack_.back();
      o.scope = b.scope; o.buttonScope = b.buttonScope; o.listScope = b.listScope;
      o.tableScope = b.tableScope; o.special = b.special; o.liStop = b.liStop; o.ddStop = b.ddStop;
    }
    std::uint32_t me = std::uint32_t(stack_.size() + 1);
    unsigned f = flags().f[static_cast<size_t>(o.tag)];
    if (f & kScope) o.scope = me;
    if (f & kButtonScope) o.buttonScope = me;
    if (f & kListScope) o.listScope = me;
    if (f & kTableScope) o.tableScope = me;
    if (f & kSpecial) o.special = me;
    if (f & kLiStop) o.liStop = me;
    if (f & kDdStop) o.ddStop = me;
    stack_.push_back(o);
    ++openCount_[e];
    if (o.tag != Tag::Unknown) tagPos_[static_cast<size_t>(o.tag)].push_back(me);
    else unknownPos_[e->tagName()].push_back(me);
  }

  void pop() {
    const Open& o = stack_.back();
    if (o.tag != Tag::Unknown) tagPos_[static_cast<size_t>(o.tag)].pop_back();
    else unknownPos_[o.el->tagName()].pop_back();
    bool marker = has(o.tag, kMarker);
    auto open = openCount_.find(o.el);
    if (open != openCount_.end() && --open->second == 0) openCount_.erase(open);
    stack_.pop_back();
    if (marker) clearToLastMarker();
  }

  // ---- the list of active formatting elements (null entries are markers)

  // Counted, not searched for: a page that leaves thousands of <b> open and
  // keeps reopening a closed one asked this at every token.
  bool isOpen(const Element* e) const { return openCount_.find(e) != openCount_.end(); }

  static bool sameElement(const Element* a, const Element* b) {
    // Attributes compared in order: linear, and the same as a set comparison
    // for the repeated tags this is meant for.
    const auto& x = a->attributes();
    const auto& y = b->attributes();
    if (a->tag() != b->tag() || x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
      if (x[i].name() != y[i].name() || x[i].value() != y[i].value()) return false;
    return true;
  }

  void pushFormatting(Element* e) {
    // At most three equal entries after the last marker: the earliest goes.
    size_t same = 0, earliest = 0;
    for (size_t i = active_.size(); i-- > 0 && active_[i];) {
      if (sameElement(active_[i], e)) {
        ++same;
        earliest = i;
      }
    }
    if (same >= 3) active_.erase(active_.begin() + earliest);
    // A bounded list keeps the reopening after each paragraph cheap.
    if (active_.size() >= kMaxActive) {
      for (size_t i = 0; i < active_.size(); ++i)
        if (active_[i]) {
          active_.erase(active_.begin() + i);
          break;
        }
    }
    active_.push_back(e);
  }

  void pushMarker() {
    if (active_.size() < 4 * kMaxActive) active_.push_back(nullptr);
  }

  void clearToLastMarker() {
    while (!active_.empty()) {
      Element* e = active_.back();
      active_.pop_back();
      if (!e) break;
    }
  }

  // The last entry after the last marker with that tag, or npos.
  size_t findActive(Tag tag) const {
    for (size_t i = active_.size(); i-- > 0 && active_[i];)
      if (active_[i]->is(tag)) return i;
    return std::string::npos;
  }

  // Reopens the formatting elements that were closed implicitly (by the end
  // of a paragraph, say) so that their formatting carries on.
  void reconstructFormatting() {
    if (active_.empty() || !active_.back() || isOpen(active_.back())) return;
    size_t i = active_.size() - 1;
    while (i > 0 && active_[i - 1] && !isOpen(active_[i - 1])) --i;
    // Hostile pages could make every few bytes reopen a long list; the
    // copies a page may cause are bounded by its size.
    if (active_.size() - i > cloneBudget_) return;
    cloneBudget_ -= active_.size() - i;
    for (; i < active_.size(); ++i) {
      Element* old = active_[i];
      Element* e = doc_.createElement(old->tag());
      for (const Attribute& a : old->attributes()) doc_.addAttributeUnchecked(e, a.name(), a.value());
      place(e, true);
      push(e);
      active_[i] = e;
    }
  }

  // End tag of a formatting element.
  void endFormatting(Tag tag) {
    size_t i = findActive(tag);
    if (i == std::string::npos) {
      endOther(tag, std::string_view());
      return;
    }
    Element* e = active_[i];
    std::uint32_t pos = 0;
    const auto& v = tagPos_[static_cast<size_t>(tag)];
    for (size_t k = v.size(); k-- > 0;)
      if (stack_[v[k] - 1].el == e) {
        pos = v[k];
        break;
      }
    if (pos == 0) {  // closed already: only stop carrying it on
      active_.erase(active_.begin() + i);
      return;
    }
    if (!inScope(pos, &Open::scope)) return;  // beyond a table or cell: ignored
    active_.erase(active_.begin() + i);
    if (pos > stack_.back().special) popTo(pos);
  }

  // Pops the element at `pos` and everything above it.
  void popTo(std::uint32_t pos) {
    while (pos != 0 && stack_.size() >= pos) pop();
  }
  // Pops everything above the element at `pos`, which stays current.
  void popAbove(std::uint32_t pos) {
    while (stack_.size() > pos) pop();
  }

  void generateImpliedEndTags(Tag except) {
    while (!stack_.empty() && currentTag() != except && has(currentTag(), kImpliedEnd)) pop();
  }

  void closePIfOpen() {
    std::uint32_t p = topIndex(Tag::P);
    if (inScope(p, &Open::buttonScope)) {
      generateImpliedEndTags(Tag::P);
      popTo(p);
    }
  }

  // ---- inserting

  // Where a new node goes: the current element, or, when that is a table
  // part that cannot hold it, in front of the table ("foster parenting").
  //
  // The tree is never more than kMaxTreeDepth elements deep, plus a leaf:
  // an element that would open deeper goes beside the deepest one, while
  // text and void elements still go into the current element (a contents
  // entry's OBJECT keeps its PARAMs). Code that visits every element's
  // descendants (the contents walk, layout, the DOM's look-ups) then does
  // work bounded per node, however many tags a page leaves open.
  void place(Node* node, bool fosterable) {
    Element* parent = current();
    if (stack_.size() >= kMaxTreeDepth && node->isElement() && !isVoidTag(node->asElement()->tag()))
      parent = stack_[kMaxTreeDepth - 2].el;
    if (!parent) {
      doc_.appendChild(node);
      return;
    }
    if (fosterable && has(currentTag(), kTableContext)) {
      std::uint32_t t = topIndex(Tag::Table);
      if (t != 0) {
        Element* table = stack_[t - 1].el;
        if (Node* tp = table->parent()) {
          tp->insertBefore(node, table);
          return;
        }
        if (t >= 2) parent = stack_[t - 2].el;
      }
    }
    parent->appendChild(node);
  }

  void insertText(const std::string& text) {
    if (text.empty() || stack_.empty()) return;
    Node* parent = current();
    Node* before = nullptr;
    if (has(currentTag(), kTableContext) && leadingSpace(text) != text.size()) {
      std::uint32_t t = topIndex(Tag::Table);
      if (t != 0) {
        Element* table = stack_[t - 1].el;
        if (table->parent()) {
          parent = table->parent();
          before = table;
        } else if (t >= 2) {
          parent = stack_[t - 2].el;
        }
      }
    }
    Node* prev = before ? before->previousSibling() : parent->lastChild();
    if (prev && prev->isText()) prev->asText()->appendData(text);
    else parent->insertBefore(doc_.createText(text), before);
  }

  Element* createFromToken(const Token& t) {
    Element* e = doc_.createElement(t.name == "image" ? std::string_view("img") : std::string_view(t.name));
    doc_.reserveAttributes(e, t.attributes.size());
    for (const auto& a : t.attributes) doc_.addAttributeUnchecked(e, a.first, a.second);
    return e;
  }

  // Inserts an element for the token; void elements are not left open.
  Element* insertElement(const Token& t) {
    Element* e = createFromToken(t);
    bool fosterable = !(isTablePart(e->tag()) || e->is(Tag::Script) || e->is(Tag::Style) ||
                        e->is(Tag::Form) ||
                        (e->is(Tag::Input) && equalsIgnoreCase(e->getAttribute("type"), "hidden")));
    place(e, fosterable);
    if (!isVoidTag(e->tag())) push(e);
    return e;
  }

  Element* insertImplied(Tag tag) {
    Element* e = doc_.createElement(tag);
    place(e, false);
    push(e);
    return e;
  }

  void mergeAttributes(Element* e, const Token& t) {
    if (!e || e->attributes().size() >= 256) return;  // bounded work on repeated tags
    for (const auto& a : t.attributes)
      if (!e->hasAttribute(a.first)) doc_.addAttributeUnchecked(e, a.first, a.second);
  }

  // ---- document structure

  void ensureHtml() {
    if (html_) return;
    html_ = doc_.createElement(Tag::Html);
    doc_.appendChild(html_);
    push(html_);
    mode_ = Mode::BeforeHead;
  }

  void ensureHead() {
    ensureHtml();
    if (head_) return;
    head_ = doc_.createElement(Tag::Head);
    html_->appendChild(head_);
    push(head_);
    mode_ = Mode::InHead;
  }

  // Leaves the head (popping it and anything open in it) and opens the body.
  void ensureBody() {
    ensureHead();
    if (mode_ == Mode::InBody) return;
    if (std::uint32_t h = topIndex(Tag::Head)) popTo(h);
    mode_ = Mode::AfterHead;
    if (!body_ && !frameset_) {
      body_ = doc_.createElement(Tag::Body);
      html_->appendChild(body_);
      popAbove(1);  // only html stays below the body
      push(body_);
    }
    mode_ = Mode::InBody;
  }

  // ---- tokens

  void process(Token& t) {
    bool skipNewline = skipNewline_;
    skipNewline_ = false;
    switch (t.kind) {
      case Token::Doctype:
        if (!html_ && !doc_.doctype())
          doc_.appendChild(doc_.createDocumentType(t.name, t.data, t.systemId));
        return;
      case Token::Comment:
        if (!html_) doc_.appendChild(doc_.createComment(t.data));
        else place(doc_.createComment(t.data), false);
        return;
      case Token::Text:
        if (skipNewline && !t.data.empty() && t.data[0] == '\n') t.data.erase(0, 1);
        text(t.data);
        return;
      case Token::StartTag:
        startTag(t);
        return;
      case Token::EndTag:
        endTag(t);
        return;
      case Token::EndOfFile:
        return;
    }
  }

  void text(const std::string& data) {
    if (data.empty()) return;
    if (mode_ == Mode::InBody) {
      if (!has(currentTag(), kTableContext) || leadingSpace(data) != data.size())
        reconstructFormatting();
      insertText(data);
      return;
    }
    size_t sp = leadingSpace(data);
    if (mode_ == Mode::InHead) {
      if (currentTag() != Tag::Head) {  // inside <title>, <style> ...
        insertText(data);
        return;
      }
      if (sp) insertText(data.substr(0, sp));
    }
    if (sp == data.size()) return;  // white space before the body is dropped
    ensureBody();
    reconstructFormatting();
    insertText(data.substr(sp));
  }

  void startTag(const Token& t) {
    Tag tag = tagFromName(t.name);
    if (t.name == "image") tag = Tag::Img;

    if (tag == Tag::Html) {
      if (!html_) {
        ensureHtml();
        for (const auto& a : t.attributes) doc_.addAttributeUnchecked(html_, a.first, a.second);
      } else {
        mergeAttributes(html_, t);
      }
      return;
    }
    ensureHtml();

    if (mode_ == Mode::BeforeHead) {
      if (tag == Tag::Head) {
        head_ = createFromToken(t);
        html_->appendChild(head_);
        push(head_);
        mode_ = Mode::InHead;
        return;
      }
      ensureHead();
    }

    if (mode_ == Mode::InHead) {
      if (has(tag, kHeadContent)) {
        insertElement(t);
        return;
      }
      if (tag == Tag::Head) return;
      if (std::uint32_t h = topIndex(Tag::Head)) popTo(h);
      mode_ = Mode::AfterHead;
    }

    if (mode_ == Mode::AfterHead) {
      if (tag == Tag::Body) {
        body_ = createFromToken(t);
        html_->appendChild(body_);
        popAbove(1);
        push(body_);
        mode_ = Mode::InBody;
        return;
      }
      if (tag == Tag::Frameset && !frameset_) {
        frameset_ = createFromToken(t);
        html_->appendChild(frameset_);
        popAbove(1);
        push(frameset_);
        mode_ = Mode::InBody;
        return;
      }
      if (has(tag, kHeadContent)) {
        // Late head content still goes into the head.
        push(head_);
        mode_ = Mode::InHead;
        insertElement(t);
        return;
      }
      ensureBody();
    }

    inBodyStart(t, tag);
  }

  void inBodyStart(const Token& t, Tag tag) {
    if (tag == Tag::A || tag == Tag::Nobr) {
      // Links do not nest: a new one ends an open one.
      size_t i = findActive(tag);
      if (i != std::string::npos) {
        Element* old = active_[i];
        active_.erase(active_.begin() + i);
        std::uint32_t pos = topIndex(tag);
        if (pos && stack_[pos - 1].el == old && inScope(pos, &Open::scope)) popTo(pos);
      }
    }
    if (!has(tag, kNoReconstruct)) reconstructFormatting();
    Element* e = inBodyInsert(t, tag);
    if (e && has(tag, kFormatting) && isOpen(e)) pushFormatting(e);
    if (e && has(tag, kMarker) && isOpen(e)) pushMarker();
  }

  Element* inBodyInsert(const Token& t, Tag tag) {
    switch (tag) {
      case Tag::Body:
        mergeAttributes(body_, t);
        return nullptr;
      case Tag::Head:
        return nullptr;
      case Tag::Frameset:
        return nullptr;
      case Tag::Frame:
        if (currentTag() == Tag::Frameset) return insertElement(t);
        return nullptr;

      case Tag::Li: {
        std::uint32_t li = topIndex(Tag::Li);
        if (li != 0 && !stack_.empty() && li > stack_.back().liStop) {
          generateImpliedEndTags(Tag::Li);
          popTo(li);
        }
        closePIfOpen();
        return insertElement(t);
      }
      case Tag::Dd:
      case Tag::Dt: {
        std::uint32_t d = std::max(topIndex(Tag::Dd), topIndex(Tag::Dt));
        if (d != 0 && !stack_.empty() && d > stack_.back().ddStop) {
          generateImpliedEndTags(stack_[d - 1].tag);
          popTo(d);
        }
        closePIfOpen();
        return insertElement(t);
      }
      case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6:
        closePIfOpen();
        if (isHeading(currentTag())) pop();
        return insertElement(t);
      case Tag::Pre:
      case Tag::Listing:
      case Tag::Textarea:
        if (has(tag, kClosesP)) closePIfOpen();
        insertElement(t);
        skipNewline_ = true;  // a line break right after the start tag is dropped
        return nullptr;
      case Tag::Button:
        if (std::uint32_t b = topIndex(Tag::Button); inScope(b, &Open::scope)) {
          generateImpliedEndTags(Tag::Unknown);
          popTo(b);
        }
        return insertElement(t);
      case Tag::Option:
        if (currentTag() == Tag::Option) pop();
        return insertElement(t);
      case Tag::Optgroup:
        if (currentTag() == Tag::Option) pop();
        if (currentTag() == Tag::Optgroup) pop();
        return insertElement(t);
      case Tag::Select:
        if (std::uint32_t s = topIndex(Tag::Select); inScope(s, &Open::scope)) popTo(s);
        return insertElement(t);

      // Table structure.
      case Tag::Caption:
      case Tag::Colgroup:
      case Tag::Tbody:
      case Tag::Thead:
      case Tag::Tfoot: {
        std::uint32_t tb = topIndex(Tag::Table);
        if (!inScope(tb, &Open::tableScope)) return nullptr;
        popAbove(tb);
        return insertElement(t);
      }
      case Tag::Col: {
        if (currentTag() == Tag::Colgroup) {
          return insertElement(t);
        }
        std::uint32_t tb = topIndex(Tag::Table);
        if (!inScope(tb, &Open::tableScope)) return nullptr;
        popAbove(tb);
        return insertElement(t);
      }
      case Tag::Tr: {
        std::uint32_t tb = topIndex(Tag::Table);
        if (!inScope(tb, &Open::tableScope)) return nullptr;
        openSection(tb);
        return insertElement(t);
      }
      case Tag::Td:
      case Tag::Th: {
        std::uint32_t tb = topIndex(Tag::Table);
        if (!inScope(tb, &Open::tableScope)) return nullptr;
        std::uint32_t tr = topIndex(Tag::Tr);
        if (tr > tb) {
          popAbove(tr);
        } else {
          openSection(tb);
          insertImplied(Tag::Tr);
        }
        return insertElement(t);
      }
      default:
        break;
    }
    if (has(tag, kClosesP)) closePIfOpen();
    return insertElement(t);
  }

  // Makes the innermost row group of the table at `tb` current, opening an
  // implied <tbody> when there is none.
  void openSection(std::uint32_t tb) {
    std::uint32_t sec = std::max({topIndex(Tag::Tbody), topIndex(Tag::Thead), topIndex(Tag::Tfoot)});
    if (sec > tb) {
      popAbove(sec);
    } else {
      popAbove(tb);
      insertImplied(Tag::Tbody);
    }
  }

  void endTag(const Token& t) {
    Tag tag = tagFromName(t.name);
    switch (mode_) {
      case Mode::Initial:
      case Mode::BeforeHead:
        return;  // stray end tags before anything opened
      case Mode::InHead:
        if (tag == Tag::Head && currentTag() == Tag::Head) {
          pop();
          mode_ = Mode::AfterHead;
          return;
        }
        if (currentTag() != Tag::Head && tag == currentTag() && tag != Tag::Unknown) {
          pop();  // </title>, </style> ...
          return;
        }
        if (tag == Tag::Body || tag == Tag::Html || tag == Tag::Br) {
          ensureBody();
          break;
        }
        return;
      case Mode::AfterHead:
        if (tag == Tag::Body || tag == Tag::Html || tag == Tag::Br) {
          ensureBody();
          break;
        }
        return;
      case Mode::InBody:
        break;
    }

    switch (tag) {
      case Tag::Body:
      case Tag::Html:
      case Tag::Head:
        return;  // the body stays open: content after </html> still belongs in it
      case Tag::Br: {
        Token br;
        br.kind = Token::StartTag;
        br.name = "br";
        insertElement(br);
        return;
      }
      case Tag::P: {
        std::uint32_t p = topIndex(Tag::P);
        if (inScope(p, &Open::buttonScope)) {
          generateImpliedEndTags(Tag::P);
          popTo(p);
        } else {
          // "</p>" without an open p stands for an empty paragraph.
          Token pt;
          pt.kind = Token::StartTag;
          pt.name = "p";
          insertElement(pt);
          pop();
        }
        return;
      }
      case Tag::Li: {
        std::uint32_t li = topIndex(Tag::Li);
        if (inScope(li, &Open::listScope)) {
          generateImpliedEndTags(Tag::Li);
          popTo(li);
        }
        return;
      }
      case Tag::Dd:
      case Tag::Dt: {
        std::uint32_t d = topIndex(tag);
        if (inScope(d, &Open::scope)) {
          generateImpliedEndTags(tag);
          popTo(d);
        }
        return;
      }
      case Tag::H1: case Tag::H2: case Tag::H3: case Tag::H4: case Tag::H5: case Tag::H6: {
        std::uint32_t h = std::max({topIndex(Tag::H1), topIndex(Tag::H2), topIndex(Tag::H3),
                                    topIndex(Tag::H4), topIndex(Tag::H5), topIndex(Tag::H6)});
        if (inScope(h, &Open::scope)) {
          generateImpliedEndTags(Tag::Unknown);
          popTo(h);
        }
        return;
      }
      case Tag::Table:
      case Tag::Tbody: case Tag::Thead: case Tag::Tfoot:
      case Tag::Tr: case Tag::Td: case Tag::Th:
      case Tag::Caption: case Tag::Colgroup: {
        std::uint32_t e = topIndex(tag);
        if (inScope(e, &Open::tableScope)) popTo(e);
        return;
      }
      case Tag::Option:
      case Tag::Optgroup:
        if (currentTag() == tag) pop();
        return;
      default:
        break;
    }

    if (tag != Tag::Unknown && has(tag, kSpecial)) {
      // Blocks, lists, forms, objects ...: close when open in scope.
      std::uint32_t e = topIndex(tag);
      if (inScope(e, &Open::scope)) {
        generateImpliedEndTags(tag);
        popTo(e);
      }
      return;
    }
    if (has(tag, kFormatting)) {
      endFormatting(tag);
      return;
    }
    endOther(tag, t.name);
  }

  // Any other element: closed unless a special element lies between.
  void endOther(Tag tag, std::string_view name) {
    std::uint32_t e;
    if (tag != Tag::Unknown) {
      e = topIndex(tag);
    } else {
      auto it = unknownPos_.find(name);
      e = (it == unknownPos_.end() || it->second.empty()) ? 0 : it->second.back();
    }
    if (e != 0 && !stack_.empty() && e > stack_.back().special) popTo(e);
  }

  Document& doc_;
  Mode mode_ = Mode::Initial;
  Element* html_ = nullptr;
  Element* head_ = nullptr;
  Element* body_ = nullptr;
  Element* frameset_ = nullptr;
  bool skipNewline_ = false;
  static constexpr size_t kMaxActive = 32;
  static constexpr size_t kMaxTreeDepth = 512;
  size_t cloneBudget_ = 100000;
  std::vector<Element*> active_;
  std::vector<Open> stack_;
  std::unordered_map<const Element*, std::uint32_t> openCount_;  // elements on stack_
  std::vector<std::vector<std::uint32_t>> tagPos_;
  std::unordered_map<std::string_view, std::vector<std::uint32_t>> unknownPos_;
};

// Line ends to '\n'; NUL characters to U+FFFD.
std::string normalizeInput(std::string utf8) {
  std::string out;
  bool needs = false;
  for (char c : utf8) needs = needs || c == '\r' || c == '\0';
  if (!needs) return utf8;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    if (c == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else if (c == '\0') {
      out += "\xEF\xBF\xBD";
    } else {
      out += c;
    }
  }
  return out;
}

std::unique_ptr<Document> build(std::string utf8, unsigned codePage, std::string charset) {
  auto doc = std::make_unique<Document>();
  doc->setCharset(codePage, std::move(charset));
  std::string text = normalizeInput(std::move(utf8));
  TreeBuilder(*doc).run(text);
  return doc;
}

std::string canonicalName(unsigned cp) {
  switch (cp) {
    case 65001: return "utf-8";
    case 1200: return "utf-16le";
    case 1201: return "utf-16be";
    case 932: return "shift_jis";
    case 936: return "gbk";
    case 949: return "euc-kr";
    case 950: return "big5";
    case 20866: return "koi8-r";
    default: return "windows-" + std::to_string(cp);
  }
}

}  // namespace

std::unique_ptr<Document> parseHtmlUtf8(std::string_view utf8) {
  return build(decodeToUtf8(utf8, 65001), 65001, "utf-8");
}

std::unique_ptr<Document> parseHtml(std::string_view bytes, const ParseOptions& options) {
  unsigned cp = 0;
  std::string name;
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    cp = 65001;
    bytes.remove_prefix(3);
  } else if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFF\xFE") == 0) {
    cp = 1200;
    bytes.remove_prefix(2);
  } else if (bytes.size() >= 2 && bytes.compare(0, 2, "\xFE\xFF") == 0) {
    cp = 1201;
    bytes.remove_prefix(2);
  } else {
    std::string declared = sniffDeclaredCharset(bytes);
    unsigned dcp = codePageFromCharset(declared);
    // A page that can be read as ASCII cannot be UTF-16, whatever it says.
    if (dcp == 1200 || dcp == 1201) dcp = 65001;
    if (dcp != 0) {
      cp = dcp;
      name = declared;
    }
  }
  if (cp == 0) cp = options.codePage ? options.codePage : 1252;
  if (name.empty()) name = canonicalName(cp);
  std::string utf8 = decodeToUtf8(bytes, cp, options.decoder);
  return build(std::move(utf8), cp, std::move(name));
}

}  // namespace html
}  // namespace tw
