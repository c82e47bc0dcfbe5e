// nsIInterfaceRequestor.h - gives interfaces of related objects (for instance
// a browser's document shell), unlike QueryInterface which stays on one object.
#pragma once

#include "nsISupports.h"

class nsIInterfaceRequestor : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x033A1470, 0x8B2A, 0x11D3, {0xAF, 0x88, 0x00, 0xA0, 0x24, 0xFF, 0xC0, 0x8C}})

  NS_IMETHOD GetInterface(const nsIID& iid, void** result) = 0;
};
