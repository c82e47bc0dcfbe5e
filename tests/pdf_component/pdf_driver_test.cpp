// The conversion driver of the engine with the real PDF Utility: the
// contents file read into the tree, ConvertToPdf walking it, the component
// writing the file. driver.pdf goes to the native checks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "AppState.h"
#include "ContentsTree.h"
#include "GeckoHost.h"
#include "PdfSettings.h"
#include "afxwin.h"

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("PdfComponentDriverTests") {}
};
CTestApp theTestApp;

std::vector<std::string> g_messages;
int AFXAPI RecordMessage(LPCTSTR text, UINT, UINT) {
    g_messages.push_back(text);
    return IDOK;
}

std::string ExeDir() {
    char exe[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string OutPath(const char* name) {
    CreateDirectoryA("pdfcomp-out", nullptr);
    char full[MAX_PATH];
    GetFullPathNameA((std::string("pdfcomp-out\\") + name).c_str(), MAX_PATH, full, nullptr);
    return full;
}

}  // namespace

TEST(PdfDriver, ConvertToPdfWritesTheHelpFile) {
    AFX_MESSAGEBOX_HOOK old = AfxSetMessageBoxHook(&RecordMessage);
    CGeckoHost* host = new CGeckoHost;
    HWND parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
    CContentsTree tree;
    tree.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES, CRect(0, 0, 200, 200),
                CWnd::FromHandle(parent), 1);

    const std::string folder = ExeDir() + "pdfcomp_fixtures\\help";
    lstrcpynA(g_szChmFolder, folder.c_str(), sizeof g_szChmFolder);
    host->m_nItemCounter = 0;
    host->LoadContents((folder + "\\toc.hhc").c_str(), &tree);
    ASSERT_EQ(tree.GetCount(), 5u) << (g_messages.empty() ? "" : g_messages[0]);

    CPdfSettings settings;
    settings.m_nOpenPdf = 0;
    settings.m_strPageSize = "Letter";
    settings.m_dMarginLeft = settings.m_dMarginRight = 1;
    settings.m_dMarginTop = settings.m_dMarginBottom = 0.75;
    settings.m_strTitle = "Driver title";
    settings.m_strFootCenter = "&PageNo";
    settings.m_nFooterSeperator = 1;
    const std::string pdf = OutPath("driver.pdf");
    DeleteFileA(pdf.c_str());
    host->ConvertToPdf(&tree, "C:\\help.chm", pdf.c_str(), &settings);
    EXPECT_TRUE(g_messages.empty()) << g_messages[0];
    EXPECT_FALSE(g_bConverting);

    FILE* f = fopen(pdf.c_str(), "rb");
    ASSERT_TRUE(f);
    char head[6] = {};
    fread(head, 1, 5, f);
    fclose(f);
    EXPECT_STREQ(head, "%PDF-");

    tree.DestroyWindow();
    ::DestroyWindow(parent);
    AfxSetMessageBoxHook(old);
}
