// BrowserWrapper.h - the hidden browser in which contents files and pages
// are loaded: CBrowserWrapper, and AnsiToUnicode.
//
// The wrapper is a component of the system's own. Its primary interface
// (operations in slot order: QueryInterface, AddRef, Release, GetInterface,
// CreateBrowser, ReservedOp1-3, destructor) extends nsIInterfaceRequestor;
// its second interface, nsIWebBrowserSite, has the nsISupports operations
// only and forwards them to the primary ones. The browser's site slot holds
// that second interface.
#pragma once

#include <windows.h>

#include "nsIInterfaceRequestor.h"
#include "nsIWebProgressListener.h"

class nsIWidget;
class nsIDocShell;
class nsIWebBrowser;
class nsIDOMDocument;

class CBrowserWrapper : public nsIInterfaceRequestor, public nsIWebBrowserSite {
public:
    CBrowserWrapper();

    // nsIInterfaceRequestor and nsISupports give the primary interface,
    // nsIWebBrowserSite the second; anything else NS_NOINTERFACE.
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override;
    NS_IMETHOD_(nsrefcnt) Release() override;  // deletes the object at 0
    NS_IMETHOD GetInterface(const nsIID& iid, void** result) override;

    // Creates the native widget, the web browser inside it and takes its
    // document shell. 0 on success, else the failing step's result.
    NS_IMETHOD CreateBrowser(int x, int y, int cx, int cy);
    NS_IMETHOD ReservedOp1();
    NS_IMETHOD ReservedOp2();
    NS_IMETHOD ReservedOp3();
    virtual ~CBrowserWrapper();

    // Starts loading an ANSI URL: 1 when the load started, else 0. The load
    // ends later, reported to the browser's listeners.
    int LoadUrl(const char* url);

    // The document of the last finished load (an added reference), or null.
    nsIDOMDocument* GetDocument();
    nsIWebBrowser* GetWebBrowser() const { return m_pWebBrowser; }

private:
    nsrefcnt m_nRefCount;
    nsIWidget* m_pWidget;          // owned reference
    nsIDocShell* m_pDocShell;      // owned reference
    nsIWebBrowser* m_pWebBrowser;  // owned reference
};

// A new UTF-16 copy of an ANSI string (the ANSI code page, precomposed) in a
// zero-filled buffer of two bytes per character plus the terminator; the
// caller frees it with free(). Null for null or when memory runs out.
PRUnichar* AnsiToUnicode(const char* ansi);
