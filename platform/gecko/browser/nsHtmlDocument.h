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
// neither reads nor parses pages: the load looks the file up (a missing
// page still fails its load) and ends, reporting no DOM document, and its
// listeners take the page with NS_TakeUnparsedDocument and read and parse
// it where they like (the PDF writer does it on its own threads).
// A page not parsed yet: read (when it was given as a file) and parsed at
// the first Parse, on any thread, once; later calls give the same document.
// Null when the page cannot be read or parsed (the file went or is locked,
// out of memory).
class UnparsedDocument {
 public:
  // A page file of |size| bytes (when it was looked up), read at Parse.
  UnparsedDocument(std::wstring path, size_t size, tw::html::ParseOptions options)
      : size_(size), path_(std::move(path)), options_(std::move(options)) {}
  std::shared_ptr<tw::html::Document> Parse();
  // Reads the file now, on this thread, for a Parse to come (which then
  // reads nothing); once, like Parse. Without it Parse reads.
  void Read();
  // The page's size in bytes, as looked up.
  size_t size() const { return size_; }

 private:
  std::once_flag read_once_;
  bool read_ = false;   // the file was read into bytes_
  std::string bytes_;   // until parsed
  std::once_flag once_;
  size_t size_;
  std::wstring path_;
  tw::html::ParseOptions options_;
  std::shared_ptr<tw::html::Document> doc_;
};

// During a listener's OnLoadFinished of a browser told to parse later: the
// page of that load (null for loads that failed and for other browsers).
std::shared_ptr<UnparsedDocument> NS_TakeUnparsedDocument(nsIWebBrowser* browser);
