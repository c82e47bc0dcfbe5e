#include "nsDOMAdapters.h"

#include <string>
#include <vector>

#include "nsHtmlDocument.h"

using tw::html::Attribute;
using tw::html::Document;
using tw::html::Element;
using tw::html::Node;
using tw::html::NodeType;

namespace {

typedef std::shared_ptr<Document> DocPtr;

// {E1B36F0A-4C52-4D8B-A7E2-8E1F5C7A3D10}: answered by every adapter with its
// NodeAccess side; lets the engine reach the tree behind a DOM node.
const nsIID kNodeAccessIID = {
    0xE1B36F0A, 0x4C52, 0x4D8B, {0xA7, 0xE2, 0x8E, 0x1F, 0x5C, 0x7A, 0x3D, 0x10}};

struct NodeAccess {
  DocPtr doc;
  Node* node = nullptr;  // null for attributes
  virtual ~NodeAccess() = default;
};

void AssignUtf8(nsAString& out, std::string_view in) {
  std::u16string& s = out.str();
  s.clear();
  s.reserve(in.size());
  size_t i = 0, n = in.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(in[i]);
    std::uint32_t cp;
    size_t len;
    if (c < 0x80) { cp = c; len = 1; }
    else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; len = 2; }
    else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; len = 3; }
    else { cp = c & 0x07; len = 4; }
    if (i + len > n) { s += char16_t(0xFFFD); break; }
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      s += char16_t(0xD800 + (cp >> 10));
      s += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      s += char16_t(cp);
    }
  }
}

std::string ToUtf8(const nsAString& in) {
  std::string out;
  const std::u16string& s = in.str();
  for (size_t k = 0; k < s.size(); ++k) {
    std::uint32_t u = s[k];
    if (u >= 0xD800 && u <= 0xDBFF && k + 1 < s.size() && s[k + 1] >= 0xDC00 && s[k + 1] <= 0xDFFF) {
      u = 0x10000 + ((u - 0xD800) << 10) + (s[k + 1] - 0xDC00);
      ++k;
    }
    if (u < 0x80) out += char(u);
    else if (u < 0x800) { out += char(0xC0 | (u >> 6)); out += char(0x80 | (u & 0x3F)); }
    else if (u < 0x10000) {
      out += char(0xE0 | (u >> 12)); out += char(0x80 | ((u >> 6) & 0x3F)); out += char(0x80 | (u & 0x3F));
    } else {
      out += char(0xF0 | (u >> 18)); out += char(0x80 | ((u >> 12) & 0x3F));
      out += char(0x80 | ((u >> 6) & 0x3F)); out += char(0x80 | (u & 0x3F));
    }
  }
  return out;
}

nsIDOMNode* Wrap(const DocPtr& doc, Node* node);  // added reference, or null
nsIDOMNode* WrapAttr(const DocPtr& doc, Element* owner, size_t index);

template <class T>
nsresult Give(T* p, T** result) {  // p already holds the caller's reference
  *result = p;
  return NS_OK;
}

// ---- node lists and attribute maps

class NodeList final : public nsIDOMNodeList {
 public:
  NodeList(DocPtr doc, std::vector<Node*> nodes) : mDoc(std::move(doc)), mNodes(std::move(nodes)) {}
  NS_DECL_ISUPPORTS
  NS_IMETHOD Item(PRUint32 index, nsIDOMNode** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = index < mNodes.size() ? Wrap(mDoc, mNodes[index]) : nullptr;
    return NS_OK;
  }
  NS_IMETHOD GetLength(PRUint32* length) override {
    NS_ENSURE_ARG_POINTER(length);
    *length = static_cast<PRUint32>(mNodes.size());
    return NS_OK;
  }

 private:
  ~NodeList() = default;
  DocPtr mDoc;
  std::vector<Node*> mNodes;
};
NS_IMPL_ISUPPORTS1(NodeList, nsIDOMNodeList)

class AttrMap final : public nsIDOMNamedNodeMap {
 public:
  AttrMap(DocPtr doc, Element* e) : mDoc(std::move(doc)), mElement(e) {}
  NS_DECL_ISUPPORTS
  NS_IMETHOD GetNamedItem(const nsAString& name, nsIDOMNode** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    std::string n = ToUtf8(name);
    const auto& attrs = mElement->attributes();
    for (size_t i = 0; i < attrs.size(); ++i)
      if (tw::html::equalsIgnoreCase(attrs[i].name(), n)) {
        *result = WrapAttr(mDoc, mElement, i);
        break;
      }
    return NS_OK;
  }
  NS_IMETHOD Item(PRUint32 index, nsIDOMNode** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = index < mElement->attributes().size() ? WrapAttr(mDoc, mElement, index) : nullptr;
    return NS_OK;
  }
  NS_IMETHOD GetLength(PRUint32* length) override {
    NS_ENSURE_ARG_POINTER(length);
    *length = static_cast<PRUint32>(mElement->attributes().size());
    return NS_OK;
  }

 private:
  ~AttrMap() = default;
  DocPtr mDoc;
  Element* mElement;
};
NS_IMPL_ISUPPORTS1(AttrMap, nsIDOMNamedNodeMap)

// ---- nodes

// The nsIDOMNode operations over a tree node, shared by every adapter kind.
template <class Iface>
class NodeBase : public Iface, public NodeAccess {
 public:
  NodeBase(DocPtr doc, Node* node) {
    this->doc = std::move(doc);
    this->node = node;
  }

  NS_IMETHOD_(nsrefcnt) AddRef() override { return ++mRefCnt; }
  NS_IMETHOD_(nsrefcnt) Release() override {
    nsrefcnt n = --mRefCnt;
    if (n == 0) delete this;
    return n;
  }

  NS_IMETHOD GetNodeName(nsAString& name) override {
    switch (node->type()) {
      case NodeType::Element: {
        std::string upper(node->asElement()->tagName());
        for (char& c : upper)
          if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        AssignUtf8(name, upper);
        break;
      }
      case NodeType::Text: AssignUtf8(name, "#text"); break;
      case NodeType::Comment: AssignUtf8(name, "#comment"); break;
      case NodeType::Document: AssignUtf8(name, "#document"); break;
      case NodeType::DocumentType:
        AssignUtf8(name, static_cast<tw::html::DocumentType*>(node)->name());
        break;
    }
    return NS_OK;
  }
  NS_IMETHOD GetNodeValue(nsAString& value) override {
    if (const tw::html::Text* t = node->asText()) AssignUtf8(value, t->data());
    else if (const tw::html::Comment* c = node->asComment()) AssignUtf8(value, c->data());
    else value.Truncate();
    return NS_OK;
  }
  NS_IMETHOD GetNodeType(PRUint16* type) override {
    NS_ENSURE_ARG_POINTER(type);
    *type = static_cast<PRUint16>(node->type());
    return NS_OK;
  }
  NS_IMETHOD GetParentNode(nsIDOMNode** result) override { return Out(node->parent(), result); }
  NS_IMETHOD GetChildNodes(nsIDOMNodeList** result) override {
    NS_ENSURE_ARG_POINTER(result);
    std::vector<Node*> kids;
    for (Node* c = node->firstChild(); c; c = c->nextSibling()) kids.push_back(c);
    NodeList* list = new NodeList(doc, std::move(kids));
    list->AddRef();
    return Give<nsIDOMNodeList>(list, result);
  }
  NS_IMETHOD GetFirstChild(nsIDOMNode** result) override { return Out(node->firstChild(), result); }
  NS_IMETHOD GetLastChild(nsIDOMNode** result) override { return Out(node->lastChild(), result); }
  NS_IMETHOD GetPreviousSibling(nsIDOMNode** result) override {
    return Out(node->previousSibling(), result);
  }
  NS_IMETHOD GetNextSibling(nsIDOMNode** result) override { return Out(node->nextSibling(), result); }
  NS_IMETHOD GetAttributes(nsIDOMNamedNodeMap** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    if (Element* e = node->asElement()) {
      AttrMap* map = new AttrMap(doc, e);
      map->AddRef();
      *result = map;
    }
    return NS_OK;
  }
  NS_IMETHOD GetOwnerDocument(nsIDOMDocument** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = node->isDocument() ? nullptr : NS_NewDOMDocument(doc);
    return NS_OK;
  }
  NS_IMETHOD HasChildNodes(PRBool* result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = node->hasChildren() ? PR_TRUE : PR_FALSE;
    return NS_OK;
  }

 protected:
  virtual ~NodeBase() = default;

  // Common QueryInterface tail: nsIDOMNode, nsISupports and the access side.
  nsresult QueryCommon(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(kNodeAccessIID)) {
      AddRef();
      *result = static_cast<NodeAccess*>(this);
      return NS_OK;
    }
    if (iid.Equals(NS_GET_IID(nsIDOMNode)) || iid.Equals(NS_GET_IID(nsISupports))) {
      AddRef();
      *result = static_cast<nsIDOMNode*>(static_cast<Iface*>(this));
      return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
  }

  nsresult Out(Node* n, nsIDOMNode** result) {
    NS_ENSURE_ARG_POINTER(result);
    *result = Wrap(doc, n);
    return NS_OK;
  }

  static nsresult ByTagName(const DocPtr& doc, std::vector<Element*> found, nsIDOMNodeList** result) {
    std::vector<Node*> nodes(found.begin(), found.end());
    NodeList* list = new NodeList(doc, std::move(nodes));
    list->AddRef();
    *result = list;
    return NS_OK;
  }

  nsrefcnt mRefCnt = 0;
};

class PlainNode final : public NodeBase<nsIDOMNode> {
 public:
  using NodeBase::NodeBase;
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    return QueryCommon(iid, result);
  }
};

class ElementNode final : public NodeBase<nsIDOMElement> {
 public:
  using NodeBase::NodeBase;
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    if (result && iid.Equals(NS_GET_IID(nsIDOMElement))) {
      AddRef();
      *result = static_cast<nsIDOMElement*>(this);
      return NS_OK;
    }
    return QueryCommon(iid, result);
  }
  NS_IMETHOD GetTagName(nsAString& name) override { return GetNodeName(name); }
  NS_IMETHOD GetAttribute(const nsAString& name, nsAString& value) override {
    AssignUtf8(value, node->asElement()->getAttribute(ToUtf8(name)));
    return NS_OK;
  }
  NS_IMETHOD HasAttribute(const nsAString& name, PRBool* result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = node->asElement()->hasAttribute(ToUtf8(name)) ? PR_TRUE : PR_FALSE;
    return NS_OK;
  }
  NS_IMETHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) override {
    NS_ENSURE_ARG_POINTER(result);
    return ByTagName(doc, node->asElement()->getElementsByTagName(ToUtf8(name)), result);
  }
};

class DocumentNode final : public NodeBase<nsIDOMDocument> {
 public:
  using NodeBase::NodeBase;
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    if (result && iid.Equals(NS_GET_IID(nsIDOMDocument))) {
      AddRef();
      *result = static_cast<nsIDOMDocument*>(this);
      return NS_OK;
    }
    return QueryCommon(iid, result);
  }
  NS_IMETHOD GetDocumentElement(nsIDOMElement** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    if (Element* root = doc->documentElement()) {
      ElementNode* e = new ElementNode(doc, root);
      e->AddRef();
      *result = e;
    }
    return NS_OK;
  }
  NS_IMETHOD GetElementsByTagName(const nsAString& name, nsIDOMNodeList** result) override {
    NS_ENSURE_ARG_POINTER(result);
    return ByTagName(doc, doc->getElementsByTagName(ToUtf8(name)), result);
  }
};

// An attribute: its element and position (attributes are never removed).
class AttrNode final : public nsIDOMAttr, public NodeAccess {
 public:
  AttrNode(DocPtr d, Element* owner, size_t index) : mOwner(owner), mIndex(index) { doc = std::move(d); }
  NS_IMETHOD_(nsrefcnt) AddRef() override { return ++mRefCnt; }
  NS_IMETHOD_(nsrefcnt) Release() override {
    nsrefcnt n = --mRefCnt;
    if (n == 0) delete this;
    return n;
  }
  NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(kNodeAccessIID)) {
      AddRef();
      *result = static_cast<NodeAccess*>(this);
      return NS_OK;
    }
    if (iid.Equals(NS_GET_IID(nsIDOMAttr)) || iid.Equals(NS_GET_IID(nsIDOMNode)) ||
        iid.Equals(NS_GET_IID(nsISupports))) {
      AddRef();
      *result = static_cast<nsIDOMAttr*>(this);
      return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
  }
  const Attribute& attr() const { return mOwner->attributes()[mIndex]; }

  NS_IMETHOD GetName(nsAString& name) override { AssignUtf8(name, attr().name()); return NS_OK; }
  NS_IMETHOD GetValue(nsAString& value) override { AssignUtf8(value, attr().value()); return NS_OK; }
  NS_IMETHOD GetSpecified(PRBool* result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = PR_TRUE;
    return NS_OK;
  }
  NS_IMETHOD GetOwnerElement(nsIDOMElement** result) override {
    NS_ENSURE_ARG_POINTER(result);
    ElementNode* e = new ElementNode(doc, mOwner);
    e->AddRef();
    *result = e;
    return NS_OK;
  }
  NS_IMETHOD GetNodeName(nsAString& name) override { return GetName(name); }
  NS_IMETHOD GetNodeValue(nsAString& value) override { return GetValue(value); }
  NS_IMETHOD GetNodeType(PRUint16* type) override {
    NS_ENSURE_ARG_POINTER(type);
    *type = nsIDOMNode::ATTRIBUTE_NODE;
    return NS_OK;
  }
  // An attribute stands outside the tree: no parent, children or siblings.
  NS_IMETHOD GetParentNode(nsIDOMNode** result) override { return Null(result); }
  NS_IMETHOD GetChildNodes(nsIDOMNodeList** result) override {
    NS_ENSURE_ARG_POINTER(result);
    NodeList* list = new NodeList(doc, {});
    list->AddRef();
    *result = list;
    return NS_OK;
  }
  NS_IMETHOD GetFirstChild(nsIDOMNode** result) override { return Null(result); }
  NS_IMETHOD GetLastChild(nsIDOMNode** result) override { return Null(result); }
  NS_IMETHOD GetPreviousSibling(nsIDOMNode** result) override { return Null(result); }
  NS_IMETHOD GetNextSibling(nsIDOMNode** result) override { return Null(result); }
  NS_IMETHOD GetAttributes(nsIDOMNamedNodeMap** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    return NS_OK;
  }
  NS_IMETHOD GetOwnerDocument(nsIDOMDocument** result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = NS_NewDOMDocument(doc);
    return NS_OK;
  }
  NS_IMETHOD HasChildNodes(PRBool* result) override {
    NS_ENSURE_ARG_POINTER(result);
    *result = PR_FALSE;
    return NS_OK;
  }

 private:
  ~AttrNode() = default;
  static nsresult Null(nsIDOMNode** result) {
    NS_ENSURE_ARG_POINTER(result);
    *result = nullptr;
    return NS_OK;
  }
  Element* mOwner;
  size_t mIndex;
  nsrefcnt mRefCnt = 0;
};

nsIDOMNode* Wrap(const DocPtr& doc, Node* node) {
  if (!node) return nullptr;
  nsIDOMNode* n;
  switch (node->type()) {
    case NodeType::Element: n = new ElementNode(doc, node); break;
    case NodeType::Document: n = new DocumentNode(doc, node); break;
    default: n = new PlainNode(doc, node); break;
  }
  n->AddRef();
  return n;
}

nsIDOMNode* WrapAttr(const DocPtr& doc, Element* owner, size_t index) {
  AttrNode* a = new AttrNode(doc, owner, index);
  a->AddRef();
  return a;
}

NodeAccess* Access(nsIDOMNode* node, nsISupports** hold) {
  *hold = nullptr;
  void* p = nullptr;
  if (!node || NS_FAILED(node->QueryInterface(kNodeAccessIID, &p)) || !p) return nullptr;
  *hold = node;  // the added reference is released by the caller through node
  return static_cast<NodeAccess*>(p);
}

}  // namespace

nsIDOMDocument* NS_NewDOMDocument(std::shared_ptr<Document> doc) {
  if (!doc) return nullptr;
  Document* d = doc.get();
  DocumentNode* n = new DocumentNode(std::move(doc), d);
  n->AddRef();
  return n;
}

std::shared_ptr<Document> NS_GetHtmlDocument(nsIDOMNode* node) {
  nsISupports* hold;
  NodeAccess* a = Access(node, &hold);
  if (!a) return nullptr;
  DocPtr doc = a->doc;
  hold->Release();
  return doc;
}

tw::html::Node* NS_GetHtmlNode(nsIDOMNode* node) {
  nsISupports* hold;
  NodeAccess* a = Access(node, &hold);
  if (!a) return nullptr;
  Node* n = a->node;
  hold->Release();
  return n;
}
