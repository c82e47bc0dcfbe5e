// GeckoHost.h - the host of the HTML engine: CGeckoHost, CNullWindowCreator,
// the nested message loop, and the process-wide converting flag.
//
// The host starts the component kit once, registers the job component's
// factory (so the PDF Utility reaches the job by its class id), refuses every
// pop-up window through CNullWindowCreator, owns the one hidden browser, and
// runs the nested message loop in which the system waits for loads. One host
// per process, created by the application shell and deleted at exit.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "ChmExtract.h"  // COwnedObList
#include "nsISupports.h"
#include "nsIWindowWatcher.h"

class CBrowserWrapper;
class nsIServiceManager;
struct TocRecord;
class CContentsTree;
class CPdfSettings;
class nsIDOMNode;
struct PageSetupRec;

// Refuses every new window a page asks for.
class CNullWindowCreator final : public nsIWindowCreator {
public:
    CNullWindowCreator() : m_nRefCount(0) {}
    NS_IMETHOD QueryInterface(const nsIID& iid, void** result) override;
    NS_IMETHOD_(nsrefcnt) AddRef() override;
    NS_IMETHOD_(nsrefcnt) Release() override;
    // Null out pointer: NS_ERROR_NULL_POINTER; else the window is null, NS_OK.
    NS_IMETHOD CreateChromeWindow(nsISupports* parent, PRUint32 chromeFlags,
                                  nsISupports** result) override;

private:
    ~CNullWindowCreator() = default;
    nsrefcnt m_nRefCount;
};

class CGeckoHost {
public:
    CGeckoHost();
    virtual ~CGeckoHost();

    // Starts the kit and registers the job factory. 0 on success; a failure
    // shows "Library initializing failed." and returns the kit's code.
    virtual nsresult StartEngine();

    // The hidden browser, created at the first call (0, 0, 620 by 400) and
    // kept; null when it cannot be created (the load is then abandoned).
    CBrowserWrapper* EnsureBrowser();

    // The nested message loop: takes messages (first those below WM_USER,
    // then any), waiting when there are none, and dispatches them. `poll` is
    // called after each message taken, before it is dispatched, again after
    // the dispatch (so a change the handler made is seen at once), and after
    // each wait; it returns TRUE when the wait is over, and the loop ends
    // after dispatching the message at hand. A WM_QUIT also ends the wait:
    // the converting flag is cleared and the quit request is posted again
    // with its exit code, so that the application's own loop still ends.
    // Returns TRUE when `poll` ended the wait, FALSE on WM_QUIT.
    static BOOL RunNestedLoop(const std::function<BOOL()>& poll);
    // Dispatches the messages already queued, without waiting, when the last
    // look at the queue is more than a few milliseconds old: a loop that
    // needs no message to go on (a load that ended before its call
    // returned) still lets Cancel, the progress and a quit request through.
    // A WM_QUIT is handled as RunNestedLoop handles it. Returns FALSE on
    // WM_QUIT, else TRUE.
    static BOOL DispatchQueuedIfDue();

    // ---- Contents (GeckoHostContents.cpp)
    // Loads a contents file (a path or a file URL) into the hidden browser
    // and adds its entries to the tree, its page paths to the tree's list
    // and its records to the job's table of contents. The job's contents are
    // cleared before the first file of a CHM (item counter 0); later files
    // append. A file that cannot be loaded adds nothing.
    void LoadContents(const char* pszPath, CContentsTree* pTree);
    // The walk of a contents document from `pNode` on: the node, its
    // following siblings and everything below them, in document order.
    void BuildToc(nsIDOMNode* pNode, CContentsTree* pTree);

    // ---- Conversion (GeckoHostConvert.cpp)
    // Converts the open CHM (the tree's pages, then the pages that links
    // made wanted) into the PDF file through the PDF Utility. Does nothing
    // while a conversion runs.
    void ConvertToPdf(CContentsTree* pTree, const char* pszChmPath, const char* pszPdfPath,
                      CPdfSettings* pSettings);
    // The page walk from `hItem` on, in tree order, while the converting
    // flag is set.
    void WalkTree(HTREEITEM hItem, CContentsTree* pTree);
    // Loads one page for the PDF unless it was loaded before, and waits
    // until the PDF Utility has taken it, the load failed, or Cancel was
    // pressed during the wait. FALSE when the application is quitting.
    BOOL LoadPage(const char* pszUrl, int nFlag);
    // Deletes the record's six strings; the caller frees the record.
    void FreePageSetup(PageSetupRec* pSetup);
    // While a conversion runs the hidden browser reads pages without
    // parsing them: the PDF Utility parses them on its own threads.
    void SetBrowserParseLater(BOOL bLater);

    // Walk state of the contents walk.
    int m_bFoundName;
    HTREEITEM m_hCurrentItem;
    HTREEITEM m_hParentItem;
    TocRecord* m_pCurrentRecord;
    TocRecord* m_pParentRecord;
    nsIServiceManager* m_pServiceManager;  // owned reference
    CBrowserWrapper* m_pBrowser;           // owned reference
    COwnedObList* m_pItemStack;            // owned
    COwnedObList* m_pRecordStack;          // owned
    int m_nItemCounter;
};
