// dom.h - the document tree the HTML parser builds.
//
//   Node          tree links shared by every kind of node
//   Element       tag, ordered attributes
//   Attribute     name (lower case) and value
//   Text, Comment character data
//   DocumentType  the <!DOCTYPE> line
//   Document      owns every node; root, head, body, look-ups by id and name
//
// Contracts:
// - Every string in the tree is UTF-8. Entities are already decoded in text
//   and attribute values; line ends are normalised to '\n'.
// - Element and attribute names are stored in lower case; every look-up by
//   name compares ASCII case-insensitively ("BODY" finds <body>).
// - The Document owns all of its nodes (also nodes taken out of the tree);
//   they live exactly as long as the Document. Node pointers are stable.
// - Nothing here recurses over the tree: walks, destruction, dumps and
//   look-ups are iterative, so any nesting depth is safe. Callers should walk
//   with nextInTree()/nextSkippingChildren() or explicit loops as well.
// - Not thread-safe; a Document is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "arena.h"

namespace tw {
namespace html {

class Document;
class Element;
class Text;
class Comment;
class DocumentType;

// Values are the DOM's nodeType numbers.
enum class NodeType : std::uint8_t {
  Element = 1,
  Text = 3,
  Comment = 8,
  Document = 9,
  DocumentType = 10,
};

// The elements the parser knows by name. Elements of any other name get
// Tag::Unknown and keep their name in tagName().
enum class Tag : std::uint16_t {
  Unknown = 0,
  A, Abbr, Acronym, Address, Applet, Area, Article, Aside, B, Base, Basefont,
  Bdo, Bgsound, Big, Blink, Blockquote, Body, Br, Button, Caption, Center,
  Cite, Code, Col, Colgroup, Dd, Del, Details, Dfn, Dir, Div, Dl, Dt, Em,
  Embed, Fieldset, Figcaption, Figure, Font, Footer, Form, Frame, Frameset,
  H1, H2, H3, H4, H5, H6, Head, Header, Hgroup, Hr, Html, I, Iframe, Img,
  Input, Ins, Isindex, Kbd, Keygen, Label, Legend, Li, Link, Listing, Main,
  Map, Marquee, Menu, Meta, Nav, Nobr, Noembed, Noframes, Noscript, Object,
  Ol, Optgroup, Option, P, Param, Plaintext, Pre, Q, S, Samp, Script,
  Section, Select, Small, Source, Span, Strike, Strong, Style, Sub, Summary,
  Sup, Table, Tbody, Td, Textarea, Tfoot, Th, Thead, Title, Tr, Track, Tt, U,
  Ul, Var, Wbr, Xmp,
  Count_  // number of values; not a tag
};

// Lower-case name of a known tag ("" for Unknown).
std::string_view tagNameOf(Tag tag);
// The tag of a name in any case; Tag::Unknown when the name is not known.
Tag tagFromName(std::string_view name);
// True for elements that never have content (<br>, <img>, <param> ...).
bool isVoidTag(Tag tag);

// ASCII case-insensitive equality, as every name look-up here uses.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

class Node {
 public:
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  virtual ~Node() = default;

  NodeType type() const { return type_; }
  bool isElement() const { return type_ == NodeType::Element; }
  bool isText() const { return type_ == NodeType::Text; }
  bool isComment() const { return type_ == NodeType::Comment; }
  bool isDocument() const { return type_ == NodeType::Document; }

  Document* ownerDocument() const { return doc_; }
  // The node's number in its document: 0 for the document itself, then
  // 1, 2, ... in the order the nodes were made; always below nodeCount().
  uint32_t index() const { return index_; }
  Node* parent() const { return parent_; }
  Node* firstChild() const { return first_; }
  Node* lastChild() const { return last_; }
  Node* previousSibling() const { return prev_; }
  Node* nextSibling() const { return next_; }
  bool hasChildren() const { return first_ != nullptr; }
  // The parent when it is an element, else null.
  Element* parentElement() const;

  // Checked casts: null when the node is of another kind.
  Element* asElement();
  const Element* asElement() const;
  Text* asText();
  const Text* asText() const;
  Comment* asComment();
  const Comment* asComment() const;

  // Pre-order (document order) walk of the subtree of `root`, which must be
  // this node or an ancestor of it: the next node after this one, or null
  // when the subtree is done. nextSkippingChildren() steps over this node's
  // children.
  Node* nextInTree(const Node* root) const;
  Node* nextSkippingChildren(const Node* root) const;

  // Concatenated data of every Text node in this subtree, in order.
  std::string textContent() const;

  // Tree changes. The child must belong to the same document and must not be
  // an ancestor of this node (or the node itself); a child that is in the
  // tree is taken out of its old place first. Nodes of the Document kind
  // are never children.
  void appendChild(Node* child);
  void insertBefore(Node* child, Node* before);  // before null: append
  void removeChild(Node* child);

 protected:
  Node(NodeType type, Document* doc) : type_(type), doc_(doc) {}

 private:
  friend class Document;
  NodeType type_;
  uint32_t index_ = 0;
  Document* doc_;
  Node* parent_ = nullptr;
  Node* first_ = nullptr;
  Node* last_ = nullptr;
  Node* prev_ = nullptr;
  Node* next_ = nullptr;
};

class Attribute {
 public:
  Attribute(const std::string* name, std::string value)
      : name_(name), value_(std::move(value)) {}
  std::string_view name() const { return *name_; }  // lower case
  const std::string& value() const { return value_; }
  void setValue(std::string value) { value_ = std::move(value); }

 private:
  const std::string* name_;  // interned by the Document, or a static name
  std::string value_;
};

class Element : public Node {
 public:
  Tag tag() const { return tag_; }
  bool is(Tag tag) const { return tag_ == tag; }
  std::string_view tagName() const { return *name_; }  // lower case

  // Attributes in source order; names are unique (the first of duplicates
  // in the source wins).
  const std::vector<Attribute>& attributes() const { return attrs_; }
  // The attribute of that name in any case, or null.
  const Attribute* findAttribute(std::string_view name) const;
  bool hasAttribute(std::string_view name) const { return findAttribute(name) != nullptr; }
  // The value, or "" when the attribute is missing.
  std::string_view getAttribute(std::string_view name) const;
  // Sets the value, adding the attribute at the end when it is missing.
  void setAttribute(std::string_view name, std::string value);

  // Shortcuts for the attributes anchors are found by.
  std::string_view id() const { return getAttribute("id"); }

  // Descendants (not this element) with that tag name in any case, in
  // document order; "*" takes every element.
  std::vector<Element*> getElementsByTagName(std::string_view name) const;

 private:
  friend class Document;
  Element(Document* doc, Tag tag, const std::string* name)
      : Node(NodeType::Element, doc), tag_(tag), name_(name) {}
  Tag tag_;
  const std::string* name_;
  std::vector<Attribute> attrs_;
};

class Text : public Node {
 public:
  const std::string& data() const { return data_; }
  void setData(std::string data) { data_ = std::move(data); }
  void appendData(std::string_view more) { data_.append(more); }

 private:
  friend class Document;
  Text(Document* doc, std::string data) : Node(NodeType::Text, doc), data_(std::move(data)) {}
  std::string data_;
};

class Comment : public Node {
 public:
  const std::string& data() const { return data_; }

 private:
  friend class Document;
  Comment(Document* doc, std::string data)
      : Node(NodeType::Comment, doc), data_(std::move(data)) {}
  std::string data_;
};

class DocumentType : public Node {
 public:
  const std::string& name() const { return name_; }          // lower case, e.g. "html"
  const std::string& publicId() const { return publicId_; }  // "" when absent
  const std::string& systemId() const { return systemId_; }

 private:
  friend class Document;
  DocumentType(Document* doc, std::string name, std::string publicId, std::string systemId)
      : Node(NodeType::DocumentType, doc), name_(std::move(name)),
        publicId_(std::move(publicId)), systemId_(std::move(systemId)) {}
  std::string name_, publicId_, systemId_;
};

class Document : public Node {
 public:
  Document();
  ~Document() override;

  // The <html> element, and its <head> and <body> children. A parsed
  // document always has all three, except that a frameset document has no
  // body (body() is null, frameset() is not).
  Element* documentElement() const;
  Element* head() const;
  Element* body() const;
  Element* frameset() const;
  DocumentType* doctype() const;

  // The first element in document order whose id attribute equals `id`
  // (case-sensitive), or null.
  Element* getElementById(std::string_view id) const;
  // Elements whose name attribute equals `name` (case-sensitive), in
  // document order.
  std::vector<Element*> getElementsByName(std::string_view name) const;
  // The target of a fragment "#name": the first element whose id is `name`,
  // else the first <a> whose name is `name`; null when there is none.
  Element* findAnchor(std::string_view name) const;
  // Elements with that tag name in any case ("*": all), in document order.
  std::vector<Element*> getElementsByTagName(std::string_view name) const;

  // The character set the bytes were decoded from: its code page number
  // (65001 UTF-8, 1200 UTF-16LE, 1201 UTF-16BE, 1252 ...) and the name
  // written in the document, or a canonical name when none was written.
  unsigned codePage() const { return codePage_; }
  const std::string& charset() const { return charset_; }
  void setCharset(unsigned codePage, std::string name);

  // Node creation. The new node is not in the tree yet.
  Element* createElement(std::string_view name);  // any case; stored lower case
  Element* createElement(Tag tag);                // tag must not be Unknown
  Text* createText(std::string data);
  Comment* createComment(std::string data);
  DocumentType* createDocumentType(std::string name, std::string publicId, std::string systemId);
  // Appends an attribute without looking for an existing one of that name;
  // for builders that already checked (the parser). `name` is lower case.
  void addAttributeUnchecked(Element* element, std::string_view name, std::string value);
  // Room for that many attributes, made before a builder adds them.
  void reserveAttributes(Element* element, std::size_t count) { element->attrs_.reserve(count); }

  // Number of nodes created (in or out of the tree), this Document included.
  std::size_t nodeCount() const { return nodes_.size() + 1; }

 private:
  friend class Node;
  friend class Element;
  const std::string* internName(std::string_view lowerName);
  void invalidateIndex() const { idIndexValid_ = false; }
  template <class T, class... Args> T* adopt(Args&&... args);

  Arena nodeArena_;
  std::vector<Node*> nodes_;  // made in nodeArena_
  std::unordered_map<std::string_view, std::unique_ptr<std::string>> names_;
  unsigned codePage_ = 1252;
  std::string charset_ = "windows-1252";
  mutable bool idIndexValid_ = false;
  mutable std::unordered_map<std::string_view, Element*> idIndex_;
};

// A readable dump of a subtree, one node a line, indented two spaces per
// level, for tests and diagnostics:
//   <tag a="v" b="w">     element, attributes in order
//   "text"                text (\n, \t, \\, \" and control characters escaped)
//   <!--data-->           comment
//   <!DOCTYPE name>       document type
// The root itself is dumped too, except a Document.
std::string dumpTree(const Node& root);

}  // namespace html
}  // namespace tw
