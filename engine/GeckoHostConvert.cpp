// GeckoHostConvert.cpp - the conversion driver: the open CHM into one PDF.
//
// The driver fills the job with the output path, the document information
// and the page setup, loads every page of the contents tree in tree order
// into the hidden browser, then every page that links made wanted, and
// finally asks the PDF Utility to finish the document. The PDF Utility
// follows the loads through the job (see PdfUtility.h).
#include "GeckoHost.h"

#include <shellapi.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AppState.h"
#include "BrowserWrapper.h"
#include "ContentsTree.h"
#include "ConvertProgressDlg.h"
#include "LoadWatcher.h"
#include "PageSetup.h"
#include "PdfJob.h"
#include "PdfSettings.h"
#include "PdfUtility.h"
#include "nsCOMPtr.h"
#include "nsFileURL.h"
#include "nsIServiceManager.h"
#include "nsIWebBrowser.h"
#include "stage_clock.h"

namespace {

const char kProducer[] = "DER ov AZA voderezev 1.1";

nsCOMPtr<IPdfJob> GetJob(nsIServiceManager* sm) {
    nsCOMPtr<IPdfJob> job;
    if (sm) sm->GetService(CLSID_PdfJob, NS_GET_IID(IPdfJob), getter_AddRefs(job));
    return job;
}

nsCOMPtr<IPdfUtility> GetPdfUtility(nsIServiceManager* sm) {
    static const nsCID kPdfUtilityCID = PDFUTILITY_CID;
    nsCOMPtr<IPdfUtility> utility;
    if (sm) sm->GetService(kPdfUtilityCID, NS_GET_IID(IPdfUtility), getter_AddRefs(utility));
    return utility;
}

// TRUE when a quit request waits for the application's own loop.
BOOL QuitPending() {
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

void ShowProgressPage(const char* page) {
    if (!g_pConvertProgressDlg) return;
    g_pConvertProgressDlg->ShowWindow(SW_SHOW);
    g_pConvertProgressDlg->SetCurrentPage(page);
}

// A contents entry names a page inside the extraction folder. One that
// climbs out of it ("../../x.htm") or names a drive or stream (':') would
// put a file from elsewhere on the disk into the PDF: it loads nothing.
bool PageStaysInside(const char* page) {
    int depth = 0;
    std::string part;
    for (const char* p = page;; ++p) {
        if (*p == '\\' || *p == '/' || *p == '#' || *p == '\0') {
            // Windows drops trailing dots and blanks: ". ." and "..." climb too.
            const bool dotsOnly = part.find_first_not_of(". ") == std::string::npos;
            const size_t dots = static_cast<size_t>(std::count(part.begin(), part.end(), '.'));
            if (dotsOnly && dots >= 2)
                --depth;
            else if (!part.empty() && !dotsOnly)
                ++depth;
            if (depth < 0) return false;
            part.clear();
            if (*p == '#' || *p == '\0') return true;
            continue;
        }
        if (*p == ':') return false;
        part += *p;
    }
}

}  // namespace

void CGeckoHost::FreePageSetup(PageSetupRec* pSetup) { FreePageSetupStrings(pSetup); }

void CGeckoHost::SetBrowserParseLater(BOOL bLater) {
    CBrowserWrapper* browser = EnsureBrowser();
    nsCOMPtr<nsIWebBrowserSetup> setup =
        do_QueryInterface(browser ? browser->GetWebBrowser() : nullptr);
    if (setup) setup->SetProperty(kWebBrowserParseLater, bLater ? 1 : 0);
}

BOOL CGeckoHost::LoadPage(const char* pszUrl, int /*nFlag*/) {
    tw::stats::StageTimer loadTime(tw::stats::Stage::LoadPage);
    nsCOMPtr<IPdfJob> job = GetJob(m_pServiceManager);
    if (!job || !pszUrl || !*pszUrl) return TRUE;
    // Loaded before, maybe under another fragment.
    if (job->ShouldLoadUrl(pszUrl) != PDFJOB_E_NOTFOUND) return TRUE;
    CBrowserWrapper* browser = EnsureBrowser();
    if (!browser) return TRUE;
    CLoadWatcher& watcher = CLoadWatcher::Get();
    watcher.Attach(browser);
    // Without a PDF Utility nobody takes the page: the load's end is enough.
    const bool bUtility = GetPdfUtility(m_pServiceManager) != nullptr;

    job->SetDone(0);
    job->SetLoaded(0);
    watcher.Starting();
    if (!browser->LoadUrl(pszUrl)) {
        watcher.Abandoned();
        return TRUE;
    }
    // Cancel ends the wait, but only a Cancel pressed during it: the pages
    // that links made wanted still load after a Cancel.
    const BOOL bWasConverting = g_bConverting;
    auto over = [&]() -> BOOL {
        if (bWasConverting && !g_bConverting) return TRUE;
        int loaded = 0;
        if (NS_SUCCEEDED(job->GetLoaded(&loaded)) && loaded) job->SetLoaded(0);
        // A done flag means this page only once its own load has ended.
        if (!watcher.LastEnded()) return FALSE;
        if (NS_FAILED(watcher.LastStatus()) || !bUtility) return TRUE;
        int done = 0;
        return NS_SUCCEEDED(job->GetDone(&done)) && done;
    };
    // The browser reading pages for the PDF Utility runs a load before its
    // call returns: no message need come, but the queue is still looked at.
    if (over()) return DispatchQueuedIfDue();
    return RunNestedLoop(over);
}

void CGeckoHost::WalkTree(HTREEITEM hItem, CContentsTree* pTree) {
    if (!pTree || !pTree->GetSafeHwnd()) return;
    HWND hTree = pTree->GetSafeHwnd();
    nsCOMPtr<IPdfJob> job = GetJob(m_pServiceManager);
    if (!job) return;
    // The page paths by index; the list does not change while a conversion
    // runs.
    std::vector<const char*> paths;
    if (pTree->m_pPathList) {
        paths.reserve(static_cast<size_t>(pTree->m_pPathList->GetCount()));
        for (POSITION pos = pTree->m_pPathList->GetHeadPosition(); pos;)
            paths.push_back(pTree->m_pPathList->GetNext(pos));
    }
    const double count = static_cast<double>(::SendMessageA(hTree, TVM_GETCOUNT, 0, 0));

    // Depth first in tree order: an item, its children, then its next
    // sibling. Siblings are taken in a loop and pending siblings kept on a
    // stack, so a long flat contents list needs no deep recursion.
    std::vector<HTREEITEM> pending;
    while (hItem && g_bConverting) {
        TVITEMA item = {};
        item.mask = TVIF_PARAM | TVIF_HANDLE;
        item.hItem = hItem;
        const char* page = nullptr;
        if (::SendMessageA(hTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
            item.lParam >= 0 && static_cast<size_t>(item.lParam) < paths.size())
            page = paths[static_cast<size_t>(item.lParam)];

        int percent = count > 0 ? static_cast<int>((item.lParam + 1) / count * 100) : 0;
        if (percent < 0) percent = 0;
        if (percent > 100) percent = 100;
        if (g_pConvertProgressDlg) {
            g_pConvertProgressDlg->ShowWindow(SW_SHOW);
            g_pConvertProgressDlg->SetPercent(percent);
            g_pConvertProgressDlg->SetCurrentPage(page ? page : "");
        }

        job->SetPageMode(1);
        if (page && *page && PageStaysInside(page)) {
            job->SetCurrentPage(page);
            std::string url = NS_BuildFileURL(g_szChmFolder, page);
            if (!LoadPage(url.c_str(), 1)) break;
        }
        if (!g_bConverting) break;

        HTREEITEM hChild = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(hItem)));
        HTREEITEM hNext = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(hTree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(hItem)));
        if (hChild) {
            pending.push_back(hNext);
            hItem = hChild;
            continue;
        }
        hItem = hNext;
        while (!hItem && !pending.empty()) {
            hItem = pending.back();
            pending.pop_back();
        }
    }
}

void CGeckoHost::ConvertToPdf(CContentsTree* pTree, const char* pszChmPath, const char* pszPdfPath,
                              CPdfSettings* pSettings) {
    if (g_bConverting) return;
    const char* pdf = pszPdfPath ? pszPdfPath : "";
    const char* chm = pszChmPath ? pszChmPath : "";
    CPdfSettings defaults;
    const CPdfSettings& settings = pSettings ? *pSettings : defaults;

    // 1-2. An existing file is replaced only when the user agrees; the file
    // is created (or emptied) now, so that a path that cannot be written
    // fails before any page loads.
    if (FILE* f = *pdf ? fopen(pdf, "rb") : nullptr) {
        fclose(f);
        if (AfxMessageBox("The pdf file is existing. Do you want to replace it?", MB_OKCANCEL) ==
            IDCANCEL)
            return;
    }
    FILE* out = *pdf ? fopen(pdf, "wb") : nullptr;
    if (!out) {
        AfxMessageBox(
            "The pdf file can not create. Maybe it's being opened or you have no permission to "
            "overwrite it.");
        return;
    }
    fclose(out);

    // 3-4.
    nsCOMPtr<IPdfJob> job = GetJob(m_pServiceManager);
    if (job) job->Reset();
    g_bConverting = TRUE;
    AfxConvertProgress(1, "");
    if (g_pConvertProgressDlg) {
        g_pConvertProgressDlg->SetOpenWhenDone(settings.m_nOpenPdf != 0);
        g_pConvertProgressDlg->SetDestination(pdf);
        g_pConvertProgressDlg->SetSource(chm);
    }

    BOOL bWritten = FALSE;
    BOOL bOpen = FALSE;
    job = GetJob(m_pServiceManager);
    if (!job) {
        // Without the job there is no engine to convert with.
        AfxMessageBox("Library initializing failed.");
    } else {
        // 6.
        job->SetPdfFile(pdf);
        job->SetAuthor(settings.m_strAuthor);
        job->SetProducer(kProducer);
        job->SetSubject(settings.m_strSubject);
        job->SetTitle(settings.m_strTitle);
        job->SetKeywords(settings.m_strKeywords);
        job->SetCreator(settings.m_strCreator);
        job->SetBaseFolder(g_szChmFolder);
        PageSetupRec* setup = NewPageSetup(settings);
        job->SetPageSetup(setup);

        // The pages are parsed by the PDF Utility where it lays them out,
        // not by the hidden browser as they load.
        SetBrowserParseLater(TRUE);

        // 7. The tree's pages; an empty tree has none.
        BOOL bQuit = FALSE;
        HWND hTree = pTree ? pTree->GetSafeHwnd() : nullptr;
        HTREEITEM hRoot = hTree ? reinterpret_cast<HTREEITEM>(::SendMessageA(
                                      hTree, TVM_GETNEXTITEM, TVGN_ROOT, 0))
                                : nullptr;
        {
            tw::stats::StageTimer walkTime(tw::stats::Stage::Walk);
            if (hRoot) WalkTree(hRoot, pTree);
        }
        bQuit = QuitPending();

        // 8. The pages that links made wanted, also after a Cancel. The PDF
        // Utility takes a page's links a few pages after its load: before
        // the list is taken as exhausted, it takes every page loaded, one
        // wanted page's worth at a time, so that the loads go on while the
        // rest are laid out.
        nsCOMPtr<IPdfUtility> taker = GetPdfUtility(m_pServiceManager);
        auto nextExtra = [&](FolderFileRec** rec) {
            bool untaken = taker != nullptr;  // loaded pages may still be untaken
            for (;;) {
                *rec = nullptr;
                if (NS_SUCCEEDED(job->GetNextExtraPage(rec)) && *rec) return true;
                if (!untaken) return false;
                untaken = taker->TakeLoadedPages() == PDFUTILITY_S_PAGES_LEFT;
            }
        };
        FolderFileRec* extra = nullptr;
        tw::stats::StageTimer extraTime(tw::stats::Stage::Extra);
        while (!bQuit && nextExtra(&extra)) {
            std::string url = extra->url ? extra->url : "";
            ShowProgressPage(url.c_str());
            job->SetPageMode(1);
            job->SetCurrentPage(url.c_str());
            if (!LoadPage(url.c_str(), 1)) bQuit = TRUE;
            extra->done = 1;
        }

        extraTime.stop();
        SetBrowserParseLater(FALSE);

        // 10. The PDF Utility finishes the document; it still reads the page
        // setup, which goes only after it.
        nsCOMPtr<IPdfUtility> utility = GetPdfUtility(m_pServiceManager);
        if (utility && NS_SUCCEEDED(utility->FinishDocument()))
            bWritten = TRUE;
        else
            AfxMessageBox("Error:PDF Utility not handled.");
        // 9.
        job->SetPageSetup(nullptr);
        if (setup) {
            FreePageSetup(setup);
            delete setup;
        }
    }

    // 11.
    g_bConverting = FALSE;
    AfxConvertProgress(1, "");
    if (g_pConvertProgressDlg) {
        bOpen = bWritten && g_pConvertProgressDlg->GetOpenWhenDone();
        delete g_pConvertProgressDlg;
        g_pConvertProgressDlg = nullptr;
    }
    if (bOpen) ::ShellExecuteA(nullptr, "open", pdf, nullptr, nullptr, SW_SHOWNORMAL);
}
