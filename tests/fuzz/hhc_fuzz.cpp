// Fuzz target: contents files. The input is parsed as HTML and walked
// through the DOM interfaces the way the contents walk reads an .hhc: the
// BODY, then depth first over first child and next sibling, UL lists as
// levels, and for each OBJECT its PARAM descendants with their Name/Local
// attributes. An even first byte builds the page from .hhc pieces (deep
// and odd nesting, OBJECTs, PARAMs with hostile values) so that the walk
// sees contents-shaped input; an odd one takes the bytes as they are.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "nsCOMPtr.h"
#include "nsDOMAdapters.h"
#include "nsIDOM.h"
#include "parser.h"

namespace {

const char* const kPieces[] = {
    "<UL>", "</UL>", "<LI>", " <OBJECT type=\"text/sitemap\">", "</OBJECT>",
    "<param name=\"Name\" value=\"", "<param name=\"Local\" value=\"", "\">", "<PARAM NAME=name VALUE=",
    "<param value=\"Name\" name=\"", "x.chm::/a/b.htm", "&amp;", "&#x10FFFF;", "&#0;", "\xC3\xA9", "\xFF\xFE",
    "<OBJECT>", "<object type=\"text/site properties\">", "<BODY>", "</BODY>", "<HTML>", "<table><tr><td>",
    "<p>", "<!--", "-->", "<script>", "</script>", "<frameset>", "<param name=\"Local\">", "\"", "'", ">",
};

std::string FromPieces(const uint8_t* data, size_t size) {
  std::string page = "<HTML><BODY>";
  for (size_t i = 0; i < size; ++i) {
    uint8_t b = data[i];
    if (b < 0xE0) {
      page += kPieces[b % (sizeof kPieces / sizeof kPieces[0])];
    } else {
      // A run of the next bytes as text.
      size_t n = b - 0xE0;
      for (; n > 0 && i + 1 < size; --n) page += char(data[++i]);
    }
  }
  return page;
}

bool Same(const nsAString& a, const char* b) {
  const std::u16string& s = a.str();
  size_t i = 0;
  for (; i < s.size() && b[i]; ++i) {
    char16_t c = s[i];
    if (c >= 'a' && c <= 'z') c = char16_t(c - 'a' + 'A');
    char d = b[i];
    if (d >= 'a' && d <= 'z') d = char(d - 'a' + 'A');
    if (c != char16_t(d)) return false;
  }
  return i == s.size() && !b[i];
}

// The attribute of node whose name (byName) or value is text.
nsCOMPtr<nsIDOMAttr> FindAttribute(nsIDOMNode* node, const char* text, bool byName) {
  nsCOMPtr<nsIDOMNamedNodeMap> attrs;
  if (NS_FAILED(node->GetAttributes(getter_AddRefs(attrs))) || !attrs) return nullptr;
  PRUint32 count = 0;
  if (NS_FAILED(attrs->GetLength(&count))) return nullptr;
  nsCOMPtr<nsIDOMNode> past;
  if (NS_FAILED(attrs->Item(count, getter_AddRefs(past))) || past) std::abort();
  for (PRUint32 i = 0; i < count; ++i) {
    nsCOMPtr<nsIDOMNode> item;
    if (NS_FAILED(attrs->Item(i, getter_AddRefs(item))) || !item) std::abort();
    nsCOMPtr<nsIDOMAttr> attr = do_QueryInterface(item);
    if (!attr) std::abort();
    nsAutoString s;
    if (NS_FAILED(byName ? attr->GetName(s) : attr->GetValue(s))) continue;
    if (Same(s, text)) return attr;
  }
  return nullptr;
}

// The first PARAM of the list that has an attribute valued role, as the
// walk looks for its Name and Local parameters.
nsCOMPtr<nsIDOMNode> FindParam(nsIDOMNodeList* params, const char* role) {
  PRUint32 count = 0;
  if (NS_FAILED(params->GetLength(&count))) return nullptr;
  nsCOMPtr<nsIDOMNode> past;
  if (NS_FAILED(params->Item(count, getter_AddRefs(past))) || past) std::abort();
  for (PRUint32 i = 0; i < count; ++i) {
    nsCOMPtr<nsIDOMNode> param;
    if (NS_FAILED(params->Item(i, getter_AddRefs(param))) || !param) std::abort();
    nsAutoString name;
    if (NS_FAILED(param->GetNodeName(name)) || !Same(name, "PARAM")) std::abort();
    if (FindAttribute(param, role, false)) return param;
  }
  return nullptr;
}

void ReadObject(nsIDOMNode* node, size_t& entries) {
  nsCOMPtr<nsIDOMElement> element = do_QueryInterface(node);
  if (!element) std::abort();
  nsCOMPtr<nsIDOMNodeList> params;
  if (NS_FAILED(element->GetElementsByTagName(nsAutoString(u"PARAM"), getter_AddRefs(params))) || !params)
    return;
  for (const char* role : {"NAME", "LOCAL"}) {
    nsCOMPtr<nsIDOMNode> param = FindParam(params, role);
    if (!param) {
      if (role[0] == 'N') return;  // no title: the entry is skipped
      continue;
    }
    nsCOMPtr<nsIDOMAttr> value = FindAttribute(param, "VALUE", true);
    nsAutoString text;
    if (value && NS_SUCCEEDED(value->GetValue(text))) entries += text.Length() > 0;
  }
}

}  // namespace

// The kit's own components (I/O service, URL parser) are left out of this
// build: the walk asks for none of them.
void NS_RegisterKitComponents() {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string page = (data[0] & 1) ? std::string(reinterpret_cast<const char*>(data + 1), size - 1)
                                   : FromPieces(data + 1, size - 1);
  nsCOMPtr<nsIDOMDocument> doc = NS_NewDOMDocument(tw::html::parseHtml(page));
  if (!doc) std::abort();
  doc->Release();  // the adapter came with a reference; the nsCOMPtr took another
  nsCOMPtr<nsIDOMNodeList> bodies;
  if (NS_FAILED(doc->GetElementsByTagName(nsAutoString(u"BODY"), getter_AddRefs(bodies))) || !bodies) return 0;
  nsCOMPtr<nsIDOMNode> body;
  if (NS_FAILED(bodies->Item(0, getter_AddRefs(body))) || !body) return 0;

  // Depth first over first child and next sibling, on an explicit stack as
  // the walk does; every child's parent must be the node it came from.
  struct Frame {
    nsCOMPtr<nsIDOMNode> next;
    int lists;
  };
  std::vector<Frame> stack;
  stack.push_back(Frame{body, 0});
  size_t entries = 0, nodes = 0;
  int depth = 0;
  while (!stack.empty()) {
    if (!stack.back().next) {
      depth -= stack.back().lists;
      stack.pop_back();
      continue;
    }
    nsCOMPtr<nsIDOMNode> node = stack.back().next;
    ++nodes;
    nsAutoString name;
    bool named = NS_SUCCEEDED(node->GetNodeName(name));
    if (named && Same(name, "OBJECT")) ReadObject(node, entries);
    nsCOMPtr<nsIDOMNode> child, sibling;
    node->GetFirstChild(getter_AddRefs(child));
    node->GetNextSibling(getter_AddRefs(sibling));
    if (child) {
      nsCOMPtr<nsIDOMNode> parent;
      PRUint16 type = 0, parentType = 0;
      if (NS_FAILED(child->GetParentNode(getter_AddRefs(parent))) || !parent) std::abort();
      nsAutoString parentName;
      parent->GetNodeName(parentName);
      parent->GetNodeType(&parentType);
      node->GetNodeType(&type);
      if (parentName.str() != name.str() || parentType != type) std::abort();
    }
    if (named && Same(name, "UL")) {
      ++depth;
      ++stack.back().lists;
    }
    stack.back().next = sibling;
    if (child) stack.push_back(Frame{child, 0});
  }
  if (depth != 0 || nodes == 0) std::abort();
  return 0;
}
