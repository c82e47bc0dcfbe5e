// LoadWatcher.cpp - the host's record of the browser's loads.
#include "LoadWatcher.h"

#include "BrowserWrapper.h"
#include "nsIWebBrowser.h"

CLoadWatcher& CLoadWatcher::Get() {
    static CLoadWatcher* watcher = new CLoadWatcher;
    return *watcher;
}

void CLoadWatcher::Attach(CBrowserWrapper* pBrowser) {
    nsIWebBrowser* browser = pBrowser ? pBrowser->GetWebBrowser() : nullptr;
    // The browser keeps one entry per listener, however often it is added.
    if (browser) browser->AddWebBrowserListener(this, NS_GET_IID(nsIWebProgressListener));
}

NS_IMETHODIMP CLoadWatcher::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(NS_GET_IID(nsIWebProgressListener)) || iid.Equals(NS_GET_IID(nsISupports))) {
        AddRef();
        *result = static_cast<nsIWebProgressListener*>(this);
        return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
}

NS_IMETHODIMP CLoadWatcher::OnLoadFinished(nsIWebBrowser*, const PRUnichar*, nsresult status,
                                           nsIDOMDocument*) {
    ++m_nEnded;
    m_lastStatus = status;
    return NS_OK;
}
