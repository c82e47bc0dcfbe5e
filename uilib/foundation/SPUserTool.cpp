#include "SPUserTool.h"
#include "SPDrawEffects.h"
#include "SPGlobalData.h"

#include <shellapi.h>

#include <algorithm>

IMPLEMENT_SERIAL(CSPUserTool, CObject, 1)

HINSTANCE(WINAPI* CSPUserTool::s_pfnShellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = ::ShellExecuteA;

static const UINT kIdiTool = 16931;
static const UINT kIdsCopyBitmapFailed = 16010;

CSPUserTool::CSPUserTool() : m_uiCmdId(0), m_hIcon(NULL) {}

CSPUserTool::~CSPUserTool() { DeleteIcon(); }

void CSPUserTool::Serialize(CArchive& ar) {
    CObject::Serialize(ar);
    if (ar.IsLoading()) {
        CString strCommand;
        ar >> m_strLabel;
        ar >> strCommand;
        ar >> m_strArguments;
        ar >> m_strInitialDirectory;
        ar >> m_uiCmdId;
        SetCommand(strCommand);
    } else {
        ar << m_strLabel;
        ar << m_strCommand;
        ar << m_strArguments;
        ar << m_strInitialDirectory;
        ar << m_uiCmdId;
    }
}

BOOL CSPUserTool::Invoke() {
    if (m_strCommand.IsEmpty()) return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    HINSTANCE hResult = s_pfnShellExecute(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL, NULL, m_strCommand,
                                          m_strArguments, m_strInitialDirectory, SW_SHOWNORMAL);
    // The shell's error codes run up to 32 (SE_ERR_DLLNOTFOUND).
    return (INT_PTR)hResult > 32;
}

HICON CSPUserTool::LoadToolIcon() {
    CString strPath = m_strCommand;
    if (strPath.IsEmpty()) return LoadDefaultIcon();
    if (strPath.Find('\\') < 0 && strPath.Find('/') < 0 && strPath.Find(':') < 0) {
        char szFound[MAX_PATH];
        DWORD n = ::SearchPathA(NULL, m_strCommand, NULL, MAX_PATH, szFound, NULL);
        if (n == 0 || n >= MAX_PATH) return LoadDefaultIcon();
        strPath = szFound;
    }
    SHFILEINFOA sfi;
    ZeroMemory(&sfi, sizeof(sfi));
    if (::SHGetFileInfoA(strPath, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SHELLICONSIZE) == 0 ||
        sfi.hIcon == NULL)
        return LoadDefaultIcon();
    return sfi.hIcon;
}

HICON CSPUserTool::LoadDefaultIcon() {
    if (spGlobalData.hiconTool == NULL) {
        CSPResourceScope scope;
        spGlobalData.hiconTool = (HICON)::LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCE(kIdiTool), RT_GROUP_ICON),
                                                     MAKEINTRESOURCE(kIdiTool), IMAGE_ICON,
                                                     ::GetSystemMetrics(SM_CXSMICON),
                                                     ::GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    }
    return spGlobalData.hiconTool;
}

void CSPUserTool::DeleteIcon() {
    if (m_hIcon != NULL && m_hIcon != spGlobalData.hiconTool) ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
}

void CSPUserTool::SetCommand(LPCTSTR lpszCmd) {
    CString strCmd = lpszCmd != NULL ? lpszCmd : "";
    if (strCmd == m_strCommand) return;
    m_strCommand = strCmd;
    DeleteIcon();
    m_hIcon = LoadToolIcon();
}

void CSPUserTool::DrawToolIcon(CDC* pDC, const CRect& rectImage) {
    if (pDC == NULL || m_hIcon == NULL) return;
    int cx = ::GetSystemMetrics(SM_CXSMICON);
    int cy = ::GetSystemMetrics(SM_CYSMICON);
    int x = rectImage.left + std::max(0, (rectImage.Width() - cx) / 2);
    int y = rectImage.top + std::max(0, (rectImage.Height() - cy) / 2);
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
}

BOOL CSPUserTool::CopyIconToClipboard() {
    int cx = ::GetSystemMetrics(SM_CXSMICON);
    int cy = ::GetSystemMetrics(SM_CYSMICON);
    BOOL bOk = FALSE;
    CDC dcMem;
    CBitmap bmp;
    if (dcMem.CreateCompatibleDC(NULL) && bmp.Attach(SPCreateScreenBitmap(cx, cy))) {
        {
            CSelectObject selBitmap(&dcMem, &bmp);
            RECT rect = {0, 0, cx, cy};
            ::FillRect(dcMem.GetSafeHdc(), &rect, (HBRUSH)spGlobalData.brBtnFace.GetSafeHandle());
            if (m_hIcon != NULL) ::DrawIconEx(dcMem.GetSafeHdc(), 0, 0, m_hIcon, cx, cy, 0, NULL, DI_NORMAL);
        }
        CWnd* pMainWnd = AfxGetMainWnd();
        if (::OpenClipboard(pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL)) {
            if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bmp.GetSafeHandle()) != NULL) {
                bmp.Detach();  // the clipboard owns it now
                bOk = TRUE;
            }
            ::CloseClipboard();
        }
    }

    if (!bOk) {
        CSPResourceScope scope;
        CString strMessage;
        if (!strMessage.LoadString(kIdsCopyBitmapFailed)) strMessage = "Can't copy bitmap image into the clipboard!";
        AfxMessageBox(strMessage);
    }
    return bOk;
}
