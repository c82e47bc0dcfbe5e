// GeckoHost.cpp - engine start-up, the hidden browser and the nested loop.
#include "GeckoHost.h"

#include "AppState.h"
#include "BrowserWrapper.h"
#include "PdfJob.h"
#include "afxwin.h"
#include "nsCOMPtr.h"
#include "nsIComponentRegistrar.h"
#include "nsIServiceManager.h"
#include "nsXPCOM.h"

// ---- CNullWindowCreator

NS_IMETHODIMP CNullWindowCreator::QueryInterface(const nsIID& iid, void** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    if (iid.Equals(NS_GET_IID(nsIWindowCreator)) || iid.Equals(NS_GET_IID(nsISupports))) {
        AddRef();
        *result = static_cast<nsIWindowCreator*>(this);
        return NS_OK;
    }
    *result = nullptr;
    return NS_NOINTERFACE;
}

NS_IMETHODIMP_(nsrefcnt) CNullWindowCreator::AddRef() { return ++m_nRefCount; }

NS_IMETHODIMP_(nsrefcnt) CNullWindowCreator::Release() {
    nsrefcnt n = --m_nRefCount;
    if (n == 0) delete this;
    return n;
}

NS_IMETHODIMP CNullWindowCreator::CreateChromeWindow(nsISupports*, PRUint32, nsISupports** result) {
    if (!result) return NS_ERROR_NULL_POINTER;
    *result = nullptr;
    return NS_OK;
}

// ---- CGeckoHost

CGeckoHost::CGeckoHost()
    : m_bFoundName(0),
      m_hCurrentItem(nullptr),
      m_hParentItem(nullptr),
      m_pCurrentRecord(nullptr),
      m_pParentRecord(nullptr),
      m_pServiceManager(nullptr),
      m_pBrowser(nullptr),
      m_pItemStack(nullptr),
      m_pRecordStack(nullptr),
      m_nItemCounter(0) {
    g_bConverting = FALSE;
    m_pItemStack = new COwnedObList;
    m_pRecordStack = new COwnedObList;
    nsresult rv = StartEngine();
    // Without a running kit there is no window watcher to tell: the host
    // stays, and loads fail.
    if (NS_FAILED(rv) || !m_pServiceManager) return;
    CNullWindowCreator* creator = new CNullWindowCreator;
    creator->AddRef();
    nsCOMPtr<nsIWindowWatcher> watcher;
    m_pServiceManager->GetServiceByContractID(NS_WINDOWWATCHER_CONTRACTID,
                                              NS_GET_IID(nsIWindowWatcher), getter_AddRefs(watcher));
    if (watcher) watcher->SetWindowCreator(creator);
    creator->Release();
}

CGeckoHost::~CGeckoHost() {
    delete m_pItemStack;
    delete m_pRecordStack;
    NS_IF_RELEASE(m_pBrowser);
    NS_IF_RELEASE(m_pServiceManager);
}

nsresult CGeckoHost::StartEngine() {
    NS_IF_RELEASE(m_pServiceManager);
    nsresult rv = NS_InitXPCOM2(&m_pServiceManager, nullptr, nullptr);
    if (NS_FAILED(rv)) {
        m_pServiceManager = nullptr;
        AfxMessageBox("Library initializing failed.", MB_OK | MB_ICONEXCLAMATION);
        return rv;
    }
    nsCOMPtr<nsIComponentRegistrar> registrar = do_QueryInterface(m_pServiceManager);
    if (registrar) {
        nsCOMPtr<nsIFactory> factory = new CPdfJobFactory;
        registrar->RegisterFactory(CLSID_PdfJob, nullptr, nullptr, factory);
    }
    return NS_OK;
}

CBrowserWrapper* CGeckoHost::EnsureBrowser() {
    if (m_pBrowser) return m_pBrowser;
    CBrowserWrapper* browser = new CBrowserWrapper;
    browser->AddRef();
    if (NS_FAILED(browser->CreateBrowser(0, 0, 620, 400))) {
        browser->Release();
        return nullptr;
    }
    m_pBrowser = browser;
    return m_pBrowser;
}

namespace {

// Dispatches one message taken from the queue; a WM_QUIT stops the
// conversion and is posted again for the application's own loop. FALSE
// for a WM_QUIT.
BOOL DispatchTaken(const MSG& msg) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    if (msg.message != WM_QUIT) return TRUE;
    g_bConverting = FALSE;
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return FALSE;
}

// Takes the next message, those below WM_USER first.
BOOL TakeMessage(MSG* msg) {
    return ::PeekMessageA(msg, nullptr, 0, WM_USER - 1, PM_REMOVE) ||
           ::PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE);
}

}  // namespace

BOOL CGeckoHost::RunNestedLoop(const std::function<BOOL()>& poll) {
    BOOL over = FALSE;
    while (!over) {
        MSG msg;
        if (!TakeMessage(&msg)) {
            ::WaitMessage();
            if (poll && poll()) over = TRUE;
            continue;
        }
        if (poll && poll()) over = TRUE;
        // The quit request belongs to the application's own loop: stop the
        // walk and hand the request on.
        if (!DispatchTaken(msg)) return FALSE;
        // What the message's handler changed (a Cancel clearing the
        // converting flag, a load's end) counts now, not only once another
        // message arrives.
        if (!over && poll && poll()) over = TRUE;
    }
    return TRUE;
}

BOOL CGeckoHost::DispatchQueuedIfDue() {
    // Each look at the queue is a trip to the window system: a few each
    // frame of the progress dialog's repaint are enough.
    static DWORD last = 0;
    const DWORD now = ::GetTickCount();
    if (now - last < 15) return TRUE;
    last = now;
    // Bounded: a handler that queues a message again must not keep the
    // caller here.
    MSG msg;
    for (int i = 0; i < 64 && TakeMessage(&msg); ++i)
        if (!DispatchTaken(msg)) return FALSE;
    return TRUE;
}
