#include "dom.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

namespace tw {
namespace html {

namespace {

const std::string kTagNames[] = {
    "",
    "a", "abbr", "acronym", "address", "applet", "area", "article", "aside", "b", "base",
    "basefont", "bdo", "bgsound", "big", "blink", "blockquote", "body", "br", "button",
    "caption", "center", "cite", "code", "col", "colgroup", "dd", "del", "details", "dfn",
    "dir", "div", "dl", "dt", "em", "embed", "fieldset", "figcaption", "figure", "font",
    "footer", "form", "frame", "frameset", "h1", "h2", "h3", "h4", "h5", "h6", "head",
    "header", "hgroup", "hr", "html", "i", "iframe", "img", "input", "ins", "isindex", "kbd",
    "keygen", "label", "legend", "li", "link", "listing", "main", "map", "marquee", "menu",
    "meta", "nav", "nobr", "noembed", "noframes", "noscript", "object", "ol", "optgroup",
    "option", "p", "param", "plaintext", "pre", "q", "s", "samp", "script", "section",
    "select", "small", "source", "span", "strike", "strong", "style", "sub", "summary", "sup",
    "table", "tbody", "td", "textarea", "tfoot", "th", "thead", "title", "tr", "track", "tt",
    "u", "ul", "var", "wbr", "xmp",
};
static_assert(sizeof(kTagNames) / sizeof(kTagNames[0]) == static_cast<size_t>(Tag::Count_),
              "tag name table out of step with Tag");

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string toLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

const std::unordered_map<std::string_view, Tag>& tagMap() {
  static const std::unordered_map<std::string_view, Tag> map = [] {
    std::unordered_map<std::string_view, Tag> m;
    for (size_t i = 1; i < static_cast<size_t>(Tag::Count_); ++i)
      m.emplace(kTagNames[i], static_cast<Tag>(i));
    return m;
  }();
  return map;
}

void escapeInto(std::string& out, std::string_view s) {
  for (unsigned char c : s) {
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02X", c);
          out += buf;
        } else {
          out += char(c);
        }
    }
  }
}

}  // namespace

std::string_view tagNameOf(Tag tag) {
  size_t i = static_cast<size_t>(tag);
  return i < static_cast<size_t>(Tag::Count_) ? std::string_view(kTagNames[i]) : std::string_view();
}

Tag tagFromName(std::string_view name) {
  if (name.empty() || name.size() > 16) return Tag::Unknown;
  char buf[16];
  for (size_t i = 0; i < name.size(); ++i) buf[i] = lowerAscii(name[i]);
  auto it = tagMap().find(std::string_view(buf, name.size()));
  return it == tagMap().end() ? Tag::Unknown : it->second;
}

bool isVoidTag(Tag tag) {
  switch (tag) {
    case Tag::Area: case Tag::Base: case Tag::Basefont: case Tag::Bgsound: case Tag::Br:
    case Tag::Col: case Tag::Embed: case Tag::Frame: case Tag::Hr: case Tag::Img:
    case Tag::Input: case Tag::Isindex: case Tag::Keygen: case Tag::Link: case Tag::Meta:
    case Tag::Param: case Tag::Source: case Tag::Track: case Tag::Wbr:
      return true;
    default:
      return false;
  }
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

// ---------------------------------------------------------------- Node

Element* Node::parentElement() const {
  return parent_ && parent_->isElement() ? static_cast<Element*>(parent_) : nullptr;
}
Element* Node::asElement() { return isElement() ? static_cast<Element*>(this) : nullptr; }
const Element* Node::asElement() const {
  return isElement() ? static_cast<const Element*>(this) : nullptr;
}
Text* Node::asText() { return isText() ? static_cast<Text*>(this) : nullptr; }
const Text* Node::asText() const { return isText() ? static_cast<const Text*>(this) : nullptr; }
Comment* Node::asComment() { return isComment() ? static_cast<Comment*>(this) : nullptr; }
const Comment* Node::asComment() const {
  return isComment() ? static_cast<const Comment*>(this) : nullptr;
}

Node* Node::nextInTree(const Node* root) const {
  if (first_) return first_;
  return nextSkippingChildren(root);
}

Node* Node::nextSkippingChildren(const Node* root) const {
  const Node* n = this;
  while (n && n != root) {
    if (n->next_) return n->next_;
    n = n->parent_;
  }
  return nullptr;
}

std::string Node::textContent() const {
  std::string out;
  if (const Text* t = asText()) return t->data();
  for (const Node* n = first_; n; n = n->nextInTree(this))
    if (const Text* t = n->asText()) out += t->data();
  return out;
}

void Node::appendChild(Node* child) { insertBefore(child, nullptr); }

void Node::insertBefore(Node* child, Node* before) {
  assert(child && child != this && child->doc_ == doc_ && !child->isDocument());
  assert(!before || before->parent_ == this);
  if (!child || child == this || child->isDocument()) return;
  if (child->first_)  // only a node with children can be an ancestor of this one
    for (const Node* a = this; a; a = a->parent_)
      if (a == child) return;  // would make a cycle
  if (before && before->parent_ != this) before = nullptr;
  if (child->parent_) child->parent_->removeChild(child);
  child->parent_ = this;
  child->next_ = before;
  child->prev_ = before ? before->prev_ : last_;
  if (child->prev_) child->prev_->next_ = child; else first_ = child;
  if (before) before->prev_ = child; else last_ = child;
  if (doc_) doc_->invalidateIndex();
}

void Node::removeChild(Node* child) {
  if (!child || child->parent_ != this) return;
  if (child->prev_) child->prev_->next_ = child->next_; else first_ = child->next_;
  if (child->next_) child->next_->prev_ = child->prev_; else last_ = child->prev_;
  child->parent_ = child->prev_ = child->next_ = nullptr;
  if (doc_) doc_->invalidateIndex();
}

// ---------------------------------------------------------------- Element

const Attribute* Element::findAttribute(std::string_view name) const {
  for (const Attribute& a : attrs_)
    if (equalsIgnoreCase(a.name(), name)) return &a;
  return nullptr;
}

std::string_view Element::getAttribute(std::string_view name) const {
  const Attribute* a = findAttribute(name);
  return a ? std::string_view(a->value()) : std::string_view();
}

void Element::setAttribute(std::string_view name, std::string value) {
  for (Attribute& a : attrs_) {
    if (equalsIgnoreCase(a.name(), name)) {
      a.setValue(std::move(value));
      ownerDocument()->invalidateIndex();
      return;
    }
  }
  ownerDocument()->addAttributeUnchecked(this, toLower(name), std::move(value));
}

std::vector<Element*> Element::getElementsByTagName(std::string_view name) const {
  std::vector<Element*> out;
  bool all = name == "*";
  for (Node* n = firstChild(); n; n = n->nextInTree(this)) {
    if (Element* e = n->asElement())
      if (all || equalsIgnoreCase(e->tagName(), name)) out.push_back(e);
  }
  return out;
}

// ---------------------------------------------------------------- Document

Document::Document() : Node(NodeType::Document, this) {}

Document::~Document() {
  // Every node is owned by nodes_, so freeing them is a flat loop whatever
  // the depth of the tree; their memory goes with the arena.
  for (Node* n : nodes_) n->~Node();
}

template <class T, class... Args>
T* Document::adopt(Args&&... args) {
  T* node = new (nodeArena_.allocate(sizeof(T))) T(this, static_cast<Args&&>(args)...);
  node->index_ = uint32_t(nodes_.size() + 1);
  try {
    nodes_.push_back(node);
  } catch (...) {
    node->~T();
    throw;
  }
  return node;
}

const std::string* Document::internName(std::string_view lowerName) {
  Tag tag = tagFromName(lowerName);
  if (tag != Tag::Unknown) return &kTagNames[static_cast<size_t>(tag)];
  auto it = names_.find(lowerName);
  if (it != names_.end()) return it->second.get();
  auto owned = std::make_unique<std::string>(lowerName);
  const std::string* p = owned.get();
  names_.emplace(std::string_view(*p), std::move(owned));
  return p;
}

Element* Document::createElement(std::string_view name) {
  std::string lower = toLower(name);
  Tag tag = tagFromName(lower);
  return adopt<Element>(tag, internName(lower));
}

Element* Document::createElement(Tag tag) {
  assert(tag != Tag::Unknown && tag < Tag::Count_);
  if (tag == Tag::Unknown || tag >= Tag::Count_) tag = Tag::Span;
  return adopt<Element>(tag, &kTagNames[static_cast<size_t>(tag)]);
}

Text* Document::createText(std::string data) { return adopt<Text>(std::move(data)); }

Comment* Document::createComment(std::string data) {
  return adopt<Comment>(std::move(data));
}

DocumentType* Document::createDocumentType(std::string name, std::string publicId,
                                           std::string systemId) {
  return adopt<DocumentType>(std::move(name), std::move(publicId), std::move(systemId));
}

void Document::addAttributeUnchecked(Element* element, std::string_view name, std::string value) {
  element->attrs_.emplace_back(internName(name), std::move(value));
  invalidateIndex();
}

void Document::setCharset(unsigned codePage, std::string name) {
  codePage_ = codePage;
  charset_ = std::move(name);
}

Element* Document::documentElement() const {
  for (Node* n = firstChild(); n; n = n->nextSibling())
    if (Element* e = n->asElement()) return e;
  return nullptr;
}

namespace {
Element* childElement(const Node* parent, Tag tag) {
  if (!parent) return nullptr;
  for (Node* n = parent->firstChild(); n; n = n->nextSibling())
    if (Element* e = n->asElement())
      if (e->is(tag)) return e;
  return nullptr;
}
}  // namespace

Element* Document::head() const { return childElement(documentElement(), Tag::Head); }
Element* Document::body() const { return childElement(documentElement(), Tag::Body); }
Element* Document::frameset() const { return childElement(documentElement(), Tag::Frameset); }

DocumentType* Document::doctype() const {
  for (Node* n = firstChild(); n; n = n->nextSibling())
    if (n->type() == NodeType::DocumentType) return static_cast<DocumentType*>(n);
  return nullptr;
}

Element* Document::getElementById(std::string_view id) const {
  if (id.empty()) return nullptr;
  if (!idIndexValid_) {
    idIndex_.clear();
    for (Node* n = firstChild(); n; n = n->nextInTree(this)) {
      if (Element* e = n->asElement())
        if (const Attribute* a = e->findAttribute("id"))
          if (!a->value().empty()) idIndex_.emplace(std::string_view(a->value()), e);
    }
    idIndexValid_ = true;
  }
  auto it = idIndex_.find(id);
  return it == idIndex_.end() ? nullptr : it->second;
}

std::vector<Element*> Document::getElementsByName(std::string_view name) const {
  std::vector<Element*> out;
  for (Node* n = firstChild(); n; n = n->nextInTree(this))
    if (Element* e = n->asElement())
      if (const Attribute* a = e->findAttribute("name"))
        if (a->value() == name) out.push_back(e);
  return out;
}

Element* Document::findAnchor(std::string_view name) const {
  if (name.empty()) return nullptr;
  if (Element* e = getElementById(name)) return e;
  for (Node* n = firstChild(); n; n = n->nextInTree(this))
    if (Element* e = n->asElement())
      if (e->is(Tag::A))
        if (const Attribute* a = e->findAttribute("name"))
          if (a->value() == name) return e;
  return nullptr;
}

std::vector<Element*> Document::getElementsByTagName(std::string_view name) const {
  std::vector<Element*> out;
  bool all = name == "*";
  for (Node* n = firstChild(); n; n = n->nextInTree(this))
    if (Element* e = n->asElement())
      if (all || equalsIgnoreCase(e->tagName(), name)) out.push_back(e);
  return out;
}

// ---------------------------------------------------------------- dump

std::string dumpTree(const Node& root) {
  std::string out;
  int depth = root.isDocument() ? -1 : 0;
  const Node* n = &root;
  while (n) {
    if (!n->isDocument()) {
      out.append(size_t(depth) * 2, ' ');
      switch (n->type()) {
        case NodeType::Element: {
          const Element* e = n->asElement();
          out += '<';
          out += e->tagName();
          for (const Attribute& a : e->attributes()) {
            out += ' ';
            out += a.name();
            out += "=\"";
            escapeInto(out, a.value());
            out += '"';
          }
          out += '>';
          break;
        }
        case NodeType::Text:
          out += '"';
          escapeInto(out, n->asText()->data());
          out += '"';
          break;
        case NodeType::Comment:
          out += "<!--";
          escapeInto(out, n->asComment()->data());
          out += "-->";
          break;
        case NodeType::DocumentType:
          out += "<!DOCTYPE ";
          out += static_cast<const DocumentType*>(n)->name();
          out += '>';
          break;
        case NodeType::Document:
          break;
      }
      out += '\n';
    }
    // Step in pre-order, tracking the depth.
    if (n->firstChild()) {
      n = n->firstChild();
      ++depth;
      continue;
    }
    while (n && n != &root && !n->nextSibling()) {
      n = n->parent();
      --depth;
    }
    if (!n || n == &root) break;
    n = n->nextSibling();
  }
  return out;
}

}  // namespace html
}  // namespace tw
