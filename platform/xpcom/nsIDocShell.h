// nsIDocShell.h - the document shell of a browser and its content viewer.
#pragma once

#include "nsISupports.h"

class nsIDOMDocument;

class nsIContentViewer : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xF47EFCB0, 0x9B43, 0x43CC, {0x9F, 0x17, 0xB2, 0xDC, 0xE9, 0xF2, 0xF2, 0x24}})

  // The document shown (null before the first load).
  NS_IMETHOD GetDOMDocument(nsIDOMDocument** result) = 0;
};

class nsIDocShell : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x69E5DE00, 0x7B8B, 0x11D3, {0xAF, 0x61, 0x00, 0xA0, 0x24, 0xFF, 0xC0, 0x8C}})

  // Null before the first load.
  NS_IMETHOD GetContentViewer(nsIContentViewer** result) = 0;
};
