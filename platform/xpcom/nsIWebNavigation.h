// nsIWebNavigation.h - loading documents into a browser.
#pragma once

#include "nsISupports.h"

class nsIURI;
class nsIDOMDocument;

class nsIWebNavigation : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x70D57CA8, 0x5E63, 0x40F1, {0x95, 0x0C, 0x7C, 0x34, 0x6A, 0x27, 0x13, 0x22}})

  enum : PRUint32 { LOAD_FLAGS_NONE = 0 };
  enum : PRUint32 { STOP_NETWORK = 1, STOP_CONTENT = 2, STOP_ALL = 3 };

  // NS_OK when the load started. It finishes later, asynchronously; its end
  // (loaded or failed) is reported to the browser's listeners.
  NS_IMETHOD LoadURI(const PRUnichar* uri, PRUint32 loadFlags, nsIURI* referrer,
                     nsISupports* postData, nsISupports* headers) = 0;
  NS_IMETHOD Stop(PRUint32 stopFlags) = 0;
  // The document last loaded (null before any).
  NS_IMETHOD GetDocument(nsIDOMDocument** result) = 0;
  NS_IMETHOD GetCurrentURI(nsIURI** result) = 0;
};
