// nsIWebBrowser.h - the embeddable browser.
//
// Contents: nsIWebBrowser, nsIWebBrowserSetup, and the browser's ids
// (NS_WEBBROWSER_CID, NS_WEBBROWSER_CONTRACTID). A browser also answers
// nsIBaseWindow, nsIWebNavigation and nsIInterfaceRequestor (which gives its
// nsIDocShell).
#pragma once

#include "nsISupports.h"

#define NS_WEBBROWSER_CONTRACTID "@tomewise.org/embedding/browser/web-browser;1"
// {6F291394-6AFF-454F-BA7A-FD7430A841AC}
#define NS_WEBBROWSER_CID \
  {0x6F291394, 0x6AFF, 0x454F, {0xBA, 0x7A, 0xFD, 0x74, 0x30, 0xA8, 0x41, 0xAC}}

class nsIWebBrowser : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x5972B7D5, 0xB9C9, 0x43E1, {0xB6, 0xFB, 0xBB, 0x90, 0x68, 0x53, 0xB2, 0x21}})

  // Registers an object to be told about the browser's loads through the
  // interface iid (the browser holds a reference until removed).
  NS_IMETHOD AddWebBrowserListener(nsISupports* listener, const nsIID& iid) = 0;
  NS_IMETHOD RemoveWebBrowserListener(nsISupports* listener, const nsIID& iid) = 0;
  // The embedding object (not held by reference).
  NS_IMETHOD GetContainerWindow(nsISupports** result) = 0;
  NS_IMETHOD SetContainerWindow(nsISupports* container) = 0;
};

class nsIWebBrowserSetup : public nsISupports {
 public:
  NS_DECLARE_STATIC_IID(
      {0x64E24259, 0xC497, 0x4C25, {0xB0, 0x19, 0xE1, 0x9A, 0xF9, 0x65, 0xF5, 0xBC}})

  // Sets a browser option by number; unknown options are accepted and ignored.
  NS_IMETHOD SetProperty(PRUint32 id, PRUint32 value) = 0;
};

// The option of this engine's browser that has it read pages without
// parsing them (1 on, 0 off, the default); see nsHtmlDocument.h.
const PRUint32 kWebBrowserParseLater = 0x7401;
