// LoadWatcher.h - CLoadWatcher, the host's own record of the hidden
// browser's loads.
//
// The job's flags say when the PDF Utility has seen a load; the watcher says
// when the browser has ended it, successfully or not. The host's waits use
// it so that a load that fails, or a load with no PDF Utility to report it,
// never leaves a wait hanging. Loads end in the order they started.
#pragma once

#include "nsIWebProgressListener.h"

class CBrowserWrapper;

class CLoadWatcher final : public nsIWebProgressListener {
public:
    // The one watcher of the process (never freed).
    static CLoadWatcher& Get();

    // Listens to the browser's loads (once per browser).
    void Attach(CBrowserWrapper* pBrowser);

    // Bracket a LoadUrl: Starting before it, Abandoned when it did not start.
    void Starting() { ++m_nStarted; }
    void Abandoned() { --m_nStarted; }

    // TRUE once the last load started has ended; its outcome then is
    // LastStatus().
    bool LastEnded() const { return m_nEnded >= m_nStarted; }
    nsresult LastStatus() const { return m_lastStatus; }

    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override { return ++m_nRefCount; }
    NS_IMETHOD_(nsrefcnt) Release() override { return --m_nRefCount; }
    NS_IMETHOD OnLoadFinished(nsIWebBrowser* browser, const PRUnichar* uri, nsresult status,
                              nsIDOMDocument* document) override;

private:
    CLoadWatcher() = default;
    nsrefcnt m_nRefCount = 1;
    unsigned long long m_nStarted = 0;
    unsigned long long m_nEnded = 0;
    nsresult m_lastStatus = NS_OK;
};
