// Shared helpers of the conversion engine tests.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "afxwin.h"
#include "AppState.h"
#include "ContentsTree.h"
#include "GeckoHost.h"
#include "PdfJob.h"
#include "nsCOMPtr.h"

// The one Gecko host of the test program (made at the first call).
CGeckoHost& Host();
nsCOMPtr<IPdfJob> Job();

#include "MessageBoxRecorder.h"

// A fresh folder under the temporary folder, removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return m_path; }
    // Writes a file (folders made as needed) and gives its full path.
    std::string Write(const std::string& relative, const std::string& text) const;
    std::string Read(const std::string& relative) const;
    bool Exists(const std::string& relative) const;

private:
    std::string m_path;
};

// A contents tree in a hidden parent window.
class TreeWindow {
public:
    TreeWindow();
    ~TreeWindow();
    CContentsTree tree;

    struct Item {
        std::string text;
        int depth;
        LPARAM data;
        std::string path;  // the page path at the data
    };
    // Every item in tree order.
    std::vector<Item> Items() const;

private:
    HWND m_hParent;
};

// Opens a "CHM" whose extraction folder is `folder`: the tree and the job's
// contents start empty, then each contents file is loaded.
void OpenContents(TreeWindow& w, const TempFolder& folder, const std::vector<std::string>& hhcFiles);

// An .hhc text: `body` goes between <BODY> and </BODY>.
std::string Hhc(const std::string& body);
// One contents entry: an OBJECT with a Name and (when given) a Local PARAM.
std::string Entry(const std::string& name, const char* local);

// The stand-in PDF Utility: registered under the PDF Utility's class id and
// as the load listener. It sets the job's loaded flag when a load ends and,
// for pages that loaded, the done flag, unless a hook says otherwise.
struct FakeUtility {
    struct Load {
        std::string uri;      // as loaded
        std::string current;  // the job's current page then
        nsresult status;
        int pageMode;
        int percent;          // the progress dialog's percent then (-1: none)
    };
    static std::vector<Load> loads;
    // Called at each page load's end (page mode 1) before done is set;
    // returns false to leave done unset.
    static std::function<bool(const Load&)> onPage;
    // FinishDocument: its result, and what it saw.
    static nsresult finishResult;
    static int finishCalls;
    static int takeCalls;  // TakeLoadedPages
    static int finishPercent;  // the progress dialog's percent then
    static bool sawPageSetup;
    static double setupWidth, setupHeight;
    static std::string setupHeaderLeft;
    static std::string pdfFile;
    static void Clear();
};
void RegisterFakeUtility();

// The file URL of a page of the folder, as the driver builds it.
std::string PageUrl(const TempFolder& folder, const char* page);
