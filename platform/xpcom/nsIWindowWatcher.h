// nsIWindowWatcher.h - the service that opens new browser windows, and the
// embedder's creator of them.
#pragma once

#include "nsISupports.h"

#define NS_WINDOWWATCHER_CONTRACTID "@tomewise.org/embedding/window-watcher;1"
// {D41EB38C-8C4E-4B01-B84A-3A0BEC7540C6}
#define NS_WINDOWWATCHER_CID \
  {0xD41EB38C, 0x8C4E, 0x4B01, {0xB8, 0x4A, 0x3A, 0x0B, 0xEC, 0x75, 0x40, 0xC6}}

class nsIWindowCreator : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x7762DB9F, 0x5F38, 0x4329, {0xA7, 0x18, 0x3F, 0x7F, 0x04, 0x31, 0x88, 0x3D}})

  // A new window for a page's request (parent: the requesting browser's
  // container, may be null). NS_OK with a null window refuses it.
  NS_IMETHOD CreateChromeWindow(nsISupports* parent, PRUint32 chromeFlags,
                                nsISupports** result) = 0;
};

class nsIWindowWatcher : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x7505801F, 0x0C8E, 0x4511, {0x83, 0x26, 0xAA, 0x3E, 0x0C, 0x97, 0x5A, 0x68}})

  // Every later request for a new window goes to the creator (held by
  // reference; null removes it, and requests are then refused).
  NS_IMETHOD SetWindowCreator(nsIWindowCreator* creator) = 0;
  NS_IMETHOD GetWindowCreator(nsIWindowCreator** result) = 0;
};
