// nsHtmlDocument.h - from the DOM interfaces to the parsed document behind
// them, for the engine's own readers (layout, the PDF writer) that walk the
// tree directly instead of through nsIDOM* calls.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "dom.h"
#include "parser.h"

class nsIDOMNode;
class nsIWebBrowser;

// The document of a node made by this engine (any nsIDOMNode it handed out:
// document, element, attribute, text), kept alive by the returned pointer;
// null for a null or foreign node.
std::shared_ptr<tw::html::Document> NS_GetHtmlDocument(nsIDOMNode* node);
// The tree node behind a DOM node (null for attributes and foreign nodes). It
// lives as long as its document.
tw::html::Node* NS_GetHtmlNode(nsIDOMNode* node);

// A browser told to parse later (kWebBrowserParseLater, nsIWebBrowser.h)
// reads pages without parsing them: the load's end reports no DOM
// document, and its listeners take the page's bytes with
// NS_TakeUnparsedDocument and parse them where they like (the PDF writer
// does it on its own threads).
// A page read and not parsed yet: parsed at the first Parse, on any
// thread, once; later calls give the same document. Null when the page
// cannot be parsed (out of memory).
class UnparsedDocument {
 public:
  UnparsedDocument(std::string bytes, tw::html::ParseOptions options)
      : size_(bytes.size()), bytes_(std::move(bytes)), options_(std::move(options)) {}
  std::shared_ptr<tw::html::Document> Parse();
  // The page's size in bytes (as read).
  size_t size() const { return size_; }

 private:
  std::once_flag once_;
  size_t size_;
  std::string bytes_;
  tw::html::ParseOptions options_;
  std::shared_ptr<tw::html::Document> doc_;
};

// During a listener's OnLoadFinished of a browser told to parse later: the
// page of that load (null for loads that failed and for other browsers).
std::shared_ptr<UnparsedDocument> NS_TakeUnparsedDocument(nsIWebBrowser* browser);
