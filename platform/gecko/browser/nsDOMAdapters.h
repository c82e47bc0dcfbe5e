// nsDOMAdapters.h - the nsIDOM* interfaces over a parsed document (dom.h).
// Internal to the HTML engine.
//
// Each adapter keeps its document alive, so a node handed out stays valid
// after the browser has moved on to another page. Adapters are made on
// demand: asking twice for a first child gives two objects for one node.
// Names: elements in upper case ("BODY"), attributes in lower case,
// "#text", "#comment", "#document"; strings are converted from UTF-8.
#pragma once

#include <memory>

#include "dom.h"
#include "nsIDOM.h"

// A new adapter of the document (an added reference); null for a null doc.
nsIDOMDocument* NS_NewDOMDocument(std::shared_ptr<tw::html::Document> doc);
