// BrowserWrapper.cpp - the hidden browser.
#include "BrowserWrapper.h"

#include <cstdlib>
#include <cstring>

#include "nsCOMPtr.h"
#include "nsIBaseWindow.h"
#include "nsIComponentManager.h"
#include "nsIDOM.h"
#include "nsIDocShell.h"
#include "nsIWebBrowser.h"
#include "nsIWebNavigation.h"
#include "nsIWidget.h"

CBrowserWrapper::CBrowserWrapper()
    : m_nRefCount(0), m_pWidget(nullptr), m_pDocShell(nullptr), m_pWebBrowser(nullptr) {}

CBrowserWrapper::~CBrowserWrapper() {
    if (m_pWebBrowser) {
        nsCOMPtr<nsIWebBrowserSiteHolder> holder = do_QueryInterface(m_pWebBrowser);
        if (holder) holder->SetSite(nullptr);
        nsCOMPtr<nsIBaseWindow> base = do_QueryInterface(m_pWebBrowser);
        if (base) base->Destroy();
    }
    NS_IF_RELEASE(m_pDocShell);
    NS_IF_RELEASE(m_pWebBrowser);
    if (m_pWidget) {
        m_pWidget->Destroy();
        NS_RELEASE(m_pWidget);
    }
}

NS_IMETHODIMP CBrowserWrapper::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    nsISupports* found = nullptr;
    if (iid.Equals(NS_GET_IID(nsIInterfaceRequestor)) || iid.Equals(NS_GET_IID(nsISupports)))
        found = static_cast<nsIInterfaceRequestor*>(this);
    else if (iid.Equals(NS_GET_IID(nsIWebBrowserSite)))
        found = static_cast<nsIWebBrowserSite*>(this);
    if (!found) {
        *result = nullptr;
        return NS_NOINTERFACE;
    }
    found->AddRef();
    *result = found;
    return NS_OK;
}

NS_IMETHODIMP_(nsrefcnt) CBrowserWrapper::AddRef() { return ++m_nRefCount; }

NS_IMETHODIMP_(nsrefcnt) CBrowserWrapper::Release() {
    nsrefcnt n = --m_nRefCount;
    if (n == 0) delete this;
    return n;
}

NS_IMETHODIMP CBrowserWrapper::GetInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    return QueryInterface(iid, result);
}

NS_IMETHODIMP CBrowserWrapper::CreateBrowser(int x, int y, int cx, int cy) {
    nsresult rv;
    // 1. The native window widget.
    static const nsCID kWidgetCID = NS_NATIVE_WIDGET_CID;
    rv = nsComponentManager::CreateInstance(kWidgetCID, nullptr, NS_GET_IID(nsIWidget),
                                            reinterpret_cast<void**>(&m_pWidget));
    if (NS_FAILED(rv)) {
        m_pWidget = nullptr;
        return rv;
    }
    // 2. Its window, without a parent, at the rectangle's size.
    nsWidgetInitData initData;
    rv = m_pWidget->Create(nullptr, nsRect(x, y, cx, cy), &initData);
    if (NS_FAILED(rv)) return rv;
    nsRect bounds;
    m_pWidget->GetBounds(bounds);
    // 3. The web browser.
    nsCOMPtr<nsIWebBrowser> browser = do_CreateInstance(NS_WEBBROWSER_CONTRACTID, &rv);
    if (!browser) return NS_ERROR_FAILURE;
    m_pWebBrowser = browser.forget();
    // 4. Placed in the widget's window.
    nsCOMPtr<nsIBaseWindow> base = do_QueryInterface(m_pWebBrowser, &rv);
    if (!base) return NS_FAILED(rv) ? rv : NS_ERROR_FAILURE;
    rv = base->InitWindow(m_pWidget->GetNativeData(NS_NATIVE_WIDGET), nullptr, bounds.x, bounds.y,
                          bounds.width, bounds.height);
    if (NS_FAILED(rv)) return rv;
    rv = base->Create();
    if (NS_FAILED(rv)) return rv;
    // 5. Browser options, when offered.
    nsCOMPtr<nsIWebBrowserSetup> setup = do_QueryInterface(m_pWebBrowser);
    if (setup) setup->SetProperty(256, 0);
    // 6. The document shell.
    nsCOMPtr<nsIDocShell> docShell = do_GetInterface(m_pWebBrowser, &rv);
    if (!docShell) return NS_FAILED(rv) ? rv : NS_ERROR_FAILURE;
    m_pDocShell = docShell.forget();
    // 7. This object as the browser's site.
    nsCOMPtr<nsIWebBrowserSiteHolder> holder = do_QueryInterface(m_pWebBrowser);
    if (holder) holder->SetSite(static_cast<nsIWebBrowserSite*>(this));
    return NS_OK;
}

NS_IMETHODIMP CBrowserWrapper::ReservedOp1() { return NS_OK; }
NS_IMETHODIMP CBrowserWrapper::ReservedOp2() { return NS_OK; }
NS_IMETHODIMP CBrowserWrapper::ReservedOp3() { return NS_OK; }

int CBrowserWrapper::LoadUrl(const char* url) {
    if (!m_pWebBrowser || !url) return 0;
    PRUnichar* wide = AnsiToUnicode(url);
    if (!wide) return 0;
    int started = 0;
    nsCOMPtr<nsIWebNavigation> nav = do_QueryInterface(m_pWebBrowser);
    if (nav && NS_SUCCEEDED(nav->LoadURI(wide, nsIWebNavigation::LOAD_FLAGS_NONE, nullptr,
                                         nullptr, nullptr)))
        started = 1;
    free(wide);
    return started;
}

nsIDOMDocument* CBrowserWrapper::GetDocument() {
    if (!m_pDocShell) return nullptr;
    nsCOMPtr<nsIContentViewer> viewer;
    if (NS_FAILED(m_pDocShell->GetContentViewer(getter_AddRefs(viewer))) || !viewer)
        return nullptr;
    nsIDOMDocument* doc = nullptr;
    if (NS_FAILED(viewer->GetDOMDocument(&doc))) return nullptr;
    return doc;
}

PRUnichar* AnsiToUnicode(const char* ansi) {
    if (!ansi) return nullptr;
    size_t len = strlen(ansi);
    if (len >= 0x3FFFFFFF) return nullptr;
    PRUnichar* wide = static_cast<PRUnichar*>(calloc(len + 1, sizeof(PRUnichar)));
    if (!wide) return nullptr;
    if (len)
        MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ansi, static_cast<int>(len),
                            reinterpret_cast<LPWSTR>(wide), static_cast<int>(len));
    return wide;
}
