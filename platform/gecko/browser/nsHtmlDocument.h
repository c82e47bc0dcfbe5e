// nsHtmlDocument.h - from the DOM interfaces to the parsed document behind
// them, for the engine's own readers (layout, the PDF writer) that walk the
// tree directly instead of through nsIDOM* calls.
#pragma once

#include <memory>

#include "dom.h"

class nsIDOMNode;

// The document of a node made by this engine (any nsIDOMNode it handed out:
// document, element, attribute, text), kept alive by the returned pointer;
// null for a null or foreign node.
std::shared_ptr<tw::html::Document> NS_GetHtmlDocument(nsIDOMNode* node);
// The tree node behind a DOM node (null for attributes and foreign nodes). It
// lives as long as its document.
tw::html::Node* NS_GetHtmlNode(nsIDOMNode* node);
