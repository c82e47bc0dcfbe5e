// nsIWebProgressListener.h - how the HTML engine reports finished loads, and
// the browser's site interfaces.
//
// Contents:
//   nsIWebProgressListener   told when a browser has finished a load (or failed it)
//   NS_WEBPROGRESSLISTENER_CONTRACTID  the process-wide listener found by contract id
//   nsIWebBrowserSite        the embedder's object beside a browser (no operations)
//   nsIWebBrowserSiteHolder  a browser's slot for that object
//
// Who is told. When a load ends, the browser tells, in this order:
//   1. every listener added with nsIWebBrowser::AddWebBrowserListener(listener,
//      NS_GET_IID(nsIWebProgressListener)) on that browser;
//   2. the service registered under NS_WEBPROGRESSLISTENER_CONTRACTID, when a
//      component is registered under it (asked for nsIWebProgressListener at
//      each load end; created by the service manager at the first one).
// The second is how a component that never sees the browser (the PDF
// writer) follows every page the system loads.
//
// When. LoadURI returns at once; the file is read, decoded and parsed while a
// posted window message is handled, and the listeners are called from that
// message. After them the browser posts one more message, so that a nested
// message loop polling state that a listener changed wakes up to see it.
#pragma once

#include "nsISupports.h"

class nsIWebBrowser;
class nsIDOMDocument;

#define NS_WEBPROGRESSLISTENER_CONTRACTID "@tomewise.org/embedding/load-listener;1"

class nsIWebProgressListener : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x2C1F0C3E, 0x6B1D, 0x4E8A, {0x9D, 0x55, 0x1B, 0x0F, 0x7E, 0x44, 0x2A, 0x91}})

  // A load of `browser` ended. `uri` is the URL as given to LoadURI.
  // status NS_OK: `document` is the new document, now the browser's current
  // one. A failure (NS_ERROR_FILE_NOT_FOUND, NS_ERROR_FILE_ACCESS_DENIED,
  // NS_ERROR_OUT_OF_MEMORY ...): `document` is null and the browser has no
  // current document. A load that a later LoadURI or Stop replaced before it
  // ran ends with NS_ERROR_ABORT. The listener's result is ignored.
  NS_IMETHOD OnLoadFinished(nsIWebBrowser* browser, const PRUnichar* uri,
                            nsresult status, nsIDOMDocument* document) = 0;
};

// The embedder's object beside a browser; the browser keeps it without a
// reference and hands it to nothing else. {A6CF905A-15B3-11D2-932E-00805F8ADD32}
class nsIWebBrowserSite : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xA6CF905A, 0x15B3, 0x11D2, {0x93, 0x2E, 0x00, 0x80, 0x5F, 0x8A, 0xDD, 0x32}})
};

// Answered by the browser. {A6CF9058-15B3-11D2-932E-00805F8ADD32}
class nsIWebBrowserSiteHolder : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0xA6CF9058, 0x15B3, 0x11D2, {0x93, 0x2E, 0x00, 0x80, 0x5F, 0x8A, 0xDD, 0x32}})

  // Sets (null: clears) the site; it must outlive the browser or be cleared.
  NS_IMETHOD SetSite(nsIWebBrowserSite* site) = 0;
  NS_IMETHOD GetSite(nsIWebBrowserSite** result) = 0;  // not added a reference
};
