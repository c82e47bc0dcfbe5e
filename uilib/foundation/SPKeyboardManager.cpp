#include "SPKeyboardManager.h"
#include "SPClientHooks.h"
#include "SPToolbarState.h"
#include "SPRegistry.h"

#include <ctype.h>

static_assert(sizeof(ACCEL) == 6, "the stored form is 6 bytes per entry");

CSPKeyboardManager* g_pKeyboardManager = NULL;

const char* const CSPKeyboardManager::s_lpszSection = "SPKeyboardManager";
const char* const CSPKeyboardManager::s_lpszValueName = "Accelerators";

namespace {

// A copy of one accelerator table, made again when asked about another.
struct SPAccelCache {
    HACCEL hAccel = NULL;
    LPACCEL pAccel = NULL;
    int nCount = 0;

    ~SPAccelCache() { Clear(); }
    void Clear() {
        delete[] pAccel;
        pAccel = NULL;
        nCount = 0;
        hAccel = NULL;
    }
    void Refresh(HACCEL h) {
        if (h == hAccel && (h == NULL || pAccel != NULL)) return;
        Clear();
        if (h == NULL) return;
        int n = ::CopyAcceleratorTableA(h, NULL, 0);
        if (n <= 0) return;
        pAccel = new ACCEL[n];
        nCount = ::CopyAcceleratorTableA(h, pAccel, n);
        hAccel = h;
    }
    // A destroyed table's handle may come back for another table.
    void Forget(HACCEL h) {
        if (h != NULL && h == hAccel) Clear();
    }
};

SPAccelCache s_cacheDefaultFrame;
SPAccelCache s_cacheOtherFrame;

SPAccelCache* CacheOf(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
    if (pWndFrame == NULL) return NULL;
    HACCEL hAccel = pWndFrame->GetDefaultAccelerator();
    if (hAccel == NULL) return NULL;
    SPAccelCache* pCache = bIsDefaultFrame ? &s_cacheDefaultFrame : &s_cacheOtherFrame;
    pCache->Refresh(hAccel);
    return pCache;
}

CString KeyPath(LPCTSTR lpszBasePath, int nId) {
    CString str;
    str.Format("%sSKeyboard-%d", lpszBasePath, nId);
    return str;
}

}  // namespace

CSPKeyboardManager::CSPKeyboardManager() : m_lstEmptyTables(10) { g_pKeyboardManager = this; }

CSPKeyboardManager::~CSPKeyboardManager() {
    if (g_pKeyboardManager == this) g_pKeyboardManager = NULL;
}

// --- stored tables ---------------------------------------------------------------

CSPKeyboardManager::TableState CSPKeyboardManager::LoadAccelTable(LPCTSTR lpszBasePath, int nId, HACCEL& hAccel) {
    hAccel = NULL;
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(KeyPath(lpszBasePath, nId))) return tableNone;

    BYTE* pData = NULL;
    UINT nBytes = 0;
    if (!pReg->Read(s_lpszValueName, &pData, &nBytes)) return tableNone;
    if (nBytes == 0) {
        delete[] pData;
        return tableEmpty;
    }
    int nCount = (int)(nBytes / sizeof(ACCEL));  // a remainder is ignored
    TableState state = tableNone;
    if (nCount > 0) {
        LPACCEL pEntries = (LPACCEL)pData;
        for (int i = 0; i < nCount; i++)
            if (!CSPToolbarSharedState::IsCommandPermitted(pEntries[i].cmd)) pEntries[i].cmd = 0;
        hAccel = ::CreateAcceleratorTableA(pEntries, nCount);
        if (hAccel != NULL) state = tableLoaded;
    }
    delete[] pData;
    return state;
}

BOOL CSPKeyboardManager::SaveAccelTable(LPCTSTR lpszBasePath, int nId, HACCEL hAccel) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(KeyPath(lpszBasePath, nId))) return FALSE;

    int nCount = hAccel != NULL ? ::CopyAcceleratorTableA(hAccel, NULL, 0) : 0;
    if (nCount <= 0) {
        BYTE dummy = 0;
        return pReg->Write(s_lpszValueName, &dummy, 0);
    }
    LPACCEL pEntries = new ACCEL[nCount];
    nCount = ::CopyAcceleratorTableA(hAccel, pEntries, nCount);
    for (int i = 0; i < nCount; i++) ((BYTE*)&pEntries[i])[1] = 0;  // the padding byte is stored as 0
    BOOL bOk = pReg->Write(s_lpszValueName, (LPBYTE)pEntries, (UINT)(nCount * sizeof(ACCEL)));
    delete[] pEntries;
    return bOk;
}

// --- templates and frames ----------------------------------------------------------

CFrameWnd* CSPKeyboardManager::GetMainFrame() {
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd != NULL && pMainWnd->IsFrameWnd() ? (CFrameWnd*)pMainWnd : NULL;
}

BOOL CSPKeyboardManager::IsMultiDocTemplate(CDocTemplate* pTemplate) {
    return pTemplate != NULL && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate));
}

BOOL CSPKeyboardManager::HasTable(CDocTemplate* pTemplate) const {
    return pTemplate->m_hAccelTable != NULL || m_lstEmptyTables.Find(pTemplate->m_nIDResource) != NULL;
}

BOOL CSPKeyboardManager::HasTable(CFrameWnd* pFrame) const {
    return pFrame->m_hAccelTable != NULL || m_lstEmptyTables.Find(0) != NULL;
}

// The application's templates, in order.
template <class Fn>
static void ForEachTemplate(Fn fn) {
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_pDocManager == NULL) return;
    CDocManager* pDocManager = pApp->m_pDocManager;
    for (POSITION pos = pDocManager->GetFirstDocTemplatePosition(); pos != NULL;) {
        CDocTemplate* pTemplate = pDocManager->GetNextDocTemplate(pos);
        if (pTemplate != NULL) fn(pTemplate);
    }
}

BOOL CSPKeyboardManager::Install(CDocTemplate* pTemplate, HACCEL hNew, CFrameWnd* pDefaultFrame) {
    HACCEL hOld = NULL;
    UINT uiId = 0;
    if (pTemplate != NULL) {
        uiId = pTemplate->m_nIDResource;
        if (!HasTable(pTemplate)) return FALSE;
        hOld = pTemplate->m_hAccelTable;
        pTemplate->m_hAccelTable = hNew;
        // The frames of the template's documents that use its table.
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL;) {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            if (pDoc == NULL) continue;
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != NULL;) {
                CView* pView = pDoc->GetNextView(posView);
                CFrameWnd* pFrame = pView != NULL ? (CFrameWnd*)pView->GetParentFrame() : NULL;
                if (pFrame != NULL && pFrame->m_hAccelTable == hOld) pFrame->m_hAccelTable = hNew;
            }
        }
    } else {
        CFrameWnd* pFrame = pDefaultFrame != NULL ? pDefaultFrame : GetMainFrame();
        if (pFrame == NULL || !HasTable(pFrame)) return FALSE;
        hOld = pFrame->m_hAccelTable;
        pFrame->m_hAccelTable = hNew;
    }

    if (hOld != NULL && hOld != hNew) {
        s_cacheDefaultFrame.Forget(hOld);
        s_cacheOtherFrame.Forget(hOld);
        ::DestroyAcceleratorTable(hOld);
    }
    POSITION pos = m_lstEmptyTables.Find(uiId);
    if (hNew == NULL && pos == NULL) m_lstEmptyTables.AddTail(uiId);
    if (hNew != NULL && pos != NULL) m_lstEmptyTables.RemoveAt(pos);
    return TRUE;
}

BOOL CSPKeyboardManager::UpdateAccelTable(CDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                          CFrameWnd* pDefaultFrame) {
    if (nSize < 0 || (nSize > 0 && lpAccel == NULL)) return FALSE;
    HACCEL hNew = NULL;
    if (nSize > 0) {
        hNew = ::CreateAcceleratorTableA(lpAccel, nSize);
        if (hNew == NULL) return FALSE;
    }
    if (!Install(pTemplate, hNew, pDefaultFrame)) {
        if (hNew != NULL) ::DestroyAcceleratorTable(hNew);
        return FALSE;
    }
    return TRUE;
}

BOOL CSPKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);

    ForEachTemplate([&](CDocTemplate* pTemplate) {
        if (!IsMultiDocTemplate(pTemplate) || !HasTable(pTemplate)) return;
        HACCEL hAccel;
        TableState state = LoadAccelTable(strPath, (int)pTemplate->m_nIDResource, hAccel);
        if (state != tableNone && !Install(pTemplate, hAccel, NULL) && hAccel != NULL)
            ::DestroyAcceleratorTable(hAccel);
    });

    CFrameWnd* pFrame = pDefaultFrame != NULL ? pDefaultFrame : GetMainFrame();
    if (pFrame == NULL || !HasTable(pFrame)) return TRUE;
    HACCEL hAccel;
    TableState state = LoadAccelTable(strPath, 0, hAccel);
    if (state != tableNone && !Install(NULL, hAccel, pFrame) && hAccel != NULL) ::DestroyAcceleratorTable(hAccel);
    return TRUE;
}

BOOL CSPKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
    CString strPath = SPGetRegPath(s_lpszSection, lpszProfileName);

    ForEachTemplate([&](CDocTemplate* pTemplate) {
        if (IsMultiDocTemplate(pTemplate) && HasTable(pTemplate))
            SaveAccelTable(strPath, (int)pTemplate->m_nIDResource, pTemplate->m_hAccelTable);
    });

    CFrameWnd* pFrame = pDefaultFrame != NULL ? pDefaultFrame : GetMainFrame();
    if (pFrame != NULL && HasTable(pFrame)) SaveAccelTable(strPath, 0, pFrame->m_hAccelTable);
    return TRUE;
}

void CSPKeyboardManager::ResetAll() {
    ForEachTemplate([&](CDocTemplate* pTemplate) {
        if (!IsMultiDocTemplate(pTemplate) || !HasTable(pTemplate)) return;
        LPCTSTR lpszName = MAKEINTRESOURCE(pTemplate->m_nIDResource);
        HACCEL hAccel = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
        if (hAccel != NULL) Install(pTemplate, hAccel, NULL);
    });

    CFrameWnd* pFrame = GetMainFrame();
    if (pFrame == NULL || !HasTable(pFrame)) return;
    UINT uiResId = SPClientHooks::GetDefaultAccelResId(pFrame);
    if (uiResId == 0) return;
    LPCTSTR lpszName = MAKEINTRESOURCE(uiResId);
    HACCEL hAccel = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszName, RT_ACCELERATOR), lpszName);
    if (hAccel != NULL) Install(NULL, hAccel, pFrame);
}

// --- queries -------------------------------------------------------------------------

BOOL CSPKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame,
                                                BOOL bIsDefaultFrame) {
    str.Empty();
    SPAccelCache* pCache = CacheOf(pWndFrame, bIsDefaultFrame);
    if (pCache == NULL) return FALSE;
    for (int i = 0; i < pCache->nCount; i++) {
        if (pCache->pAccel[i].cmd == uiCmd) {
            CSPKeyHelper helper(&pCache->pAccel[i]);
            helper.Format(str);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CSPKeyboardManager::IsKeyInAccelTable(WORD wKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
    SPAccelCache* pCache = CacheOf(pWndFrame, bIsDefaultFrame);
    if (pCache == NULL) return FALSE;
    for (int i = 0; i < pCache->nCount; i++)
        if (pCache->pAccel[i].key == wKey && pCache->pAccel[i].fVirt == fVirt) return TRUE;
    return FALSE;
}

void CSPKeyboardManager::CleanUp() {
    s_cacheDefaultFrame.Clear();
    s_cacheOtherFrame.Clear();
}

UINT CSPKeyboardManager::TranslateCharToUpper(const UINT nChar) {
    BOOL bAlt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
    BOOL bNumPad = nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9 && !bAlt;
    if (bNumPad || (nChar >= 'A' && nChar <= 'Z' && CSPToolbarSharedState::m_bLayoutAwareMnemonics)) {
        BYTE keys[256];
        if (::GetKeyboardState(keys)) {
            HKL hkl = ::GetKeyboardLayout(0);
            UINT uiScan = ::MapVirtualKeyExA(nChar, 0, hkl);
            WORD wChar = 0;
            if (::ToAsciiEx(nChar, uiScan, keys, &wChar, 0, hkl) == 1) {
                char sz[2] = {(char)(wChar & 0xFF), 0};
                ::CharUpperA(sz);
                return (BYTE)sz[0];
            }
        }
    }
    if (bAlt) return nChar;
    return nChar < 256 ? (UINT)toupper((int)nChar) : nChar;
}

// --- CSPKeyHelper --------------------------------------------------------------------

int(WINAPI* CSPKeyHelper::s_pfnGetKeyNameText)(LONG, LPSTR, int) = ::GetKeyNameTextA;

void CSPKeyHelper::AddVirtKeyStr(CString& str, UINT uiVirtKey, BOOL bLast) {
    UINT uiScanCode = ::MapVirtualKeyExA(uiVirtKey, 0, ::GetKeyboardLayout(0));
    LONG lParam = (LONG)((uiScanCode << 16) | 1);
    if (uiVirtKey >= VK_PRIOR && uiVirtKey <= VK_HELP) lParam |= 0x01000000;  // extended key

    char szName[50] = "";
    int n = s_pfnGetKeyNameText(lParam, szName, (int)sizeof(szName));
    if (n < 0) n = 0;
    if (n >= (int)sizeof(szName)) n = (int)sizeof(szName) - 1;
    szName[n] = '\0';

    CString strName = szName;
    strName.MakeLower();
    for (int i = 0; i < strName.GetLength(); i++) {
        char ch = strName[i];
        if (ch >= 'a' && ch <= 'z') {
            strName.SetAt(i, (char)(ch - 'a' + 'A'));
            break;
        }
    }
    str += strName;
    if (!bLast) str += '+';
}

void CSPKeyHelper::Format(CString& str) const {
    str.Empty();
    if (m_lpAccel == NULL) return;
    if (m_lpAccel->fVirt & FCONTROL) AddVirtKeyStr(str, VK_CONTROL);
    if (m_lpAccel->fVirt & FSHIFT) AddVirtKeyStr(str, VK_SHIFT);
    if (m_lpAccel->fVirt & FALT) AddVirtKeyStr(str, VK_MENU);
    if (m_lpAccel->fVirt & FVIRTKEY) {
        AddVirtKeyStr(str, m_lpAccel->key, TRUE);
    } else if (m_lpAccel->key != 27) {
        str += (char)m_lpAccel->key;
    }
}
