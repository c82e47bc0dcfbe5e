// The state every toolbar of the process shares: sizes, image collections,
// command lists, options and their registry storage, the customise mode and
// the context-help mouse hook.
#include "SPToolBar.h"
#include "SPGlobalData.h"
#include "SPRegistry.h"
#include "SPUserToolsManager.h"
#include "SPVisualManager.h"

const UINT SP_WM_TOOLBARMENU = ::RegisterWindowMessageA("STOOLBAR_POPUPMENU");
const UINT SP_WM_CUSTOMIZETOOLBAR = ::RegisterWindowMessageA("STOOLBAR_CUSTOMIZE");
const UINT SP_WM_CREATETOOLBAR = ::RegisterWindowMessageA("STOOLBAR_CREATE");
const UINT SP_WM_DELETETOOLBAR = ::RegisterWindowMessageA("STOOLBAR_DELETE");
const UINT SP_WM_CUSTOMIZEHELP = ::RegisterWindowMessageA("STOOLBAR_CUSTOMIZEHELP");
const UINT SP_WM_RESETTOOLBAR = ::RegisterWindowMessageA("STOOLBAR_RESETTOOLBAR");
const UINT SP_WM_RESETMENU = ::RegisterWindowMessageA("STOOLBAR_RESETMENU");
const UINT SP_WM_SHOWREGULARMENU = ::RegisterWindowMessageA("STOOLBAR_SHOWREGULARMENU");
const UINT SP_WM_RESETCONTEXTMENU = ::RegisterWindowMessageA("STOOLBAR_RESETCONTEXTMENU");
// The registered name is spelt as other programs of the family know it.
const UINT SP_WM_RESETKEYBOARD = ::RegisterWindowMessageA("STOOLBAR_RESETKEYBAORD");

LPCTSTR const CSPToolBar::m_lpszProfileSection = "SToolBars";
CSPToolBar* CSPToolBar::m_pSelToolbar = NULL;
CSPButtonImages CSPToolBar::m_Images;
CSPButtonImages CSPToolBar::m_ColdImages;
CSPButtonImages CSPToolBar::m_DisabledImages;
CSPButtonImages CSPToolBar::m_MenuImages;
CSPButtonImages CSPToolBar::m_DisabledMenuImages;
CSPButtonImages CSPToolBar::m_LargeImages;
CSPButtonImages CSPToolBar::m_LargeColdImages;
CSPButtonImages CSPToolBar::m_LargeDisabledImages;
CSPButtonImages* CSPToolBar::m_pUserImages = NULL;
CMap<UINT, UINT, int, int> CSPToolBar::m_DefaultImages(10);
HHOOK CSPToolBar::m_hookMouseHelp = NULL;
CSPToolBar* CSPToolBar::m_pLastHookedToolbar = NULL;
HCURSOR CSPToolBar::m_hcurStretch = NULL;
HCURSOR CSPToolBar::m_hcurSizeAll = NULL;
CSPToolbarDropSource CSPToolBar::m_DropSource;

// The command-to-image map starts with the table size of the stored form.
static struct ToolBarMapSetUp {
    ToolBarMapSetUp() { CSPToolBar::m_DefaultImages.InitHashTable(17, FALSE); }
} s_toolBarMapSetUp;

static BOOL IsLiveToolbar(CObject* pObj) {
    CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, pObj);
    return pBar != NULL && pBar->GetSafeHwnd() != NULL &&
           CWnd::FromHandlePermanent(pBar->GetSafeHwnd()) == pBar;
}

BOOL CSPToolBar::SetCustomizeMode(BOOL bOn) {
    if (g_bCustomizeMode == bOn) return FALSE;

    // A bar may create or destroy a neighbour while switching; the pass
    // then starts again, and bars already switched are called once more.
    BOOL bChanged;
    do {
        bChanged = FALSE;
        const INT_PTR nCount = g_lstAllToolbars.GetCount();
        for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
            CSPToolBar* pBar = (CSPToolBar*)g_lstAllToolbars.GetNext(pos);
            if (IsLiveToolbar(pBar)) pBar->OnCustomizeMode(bOn);
            if (g_lstAllToolbars.GetCount() != nCount) {
                bChanged = TRUE;
                break;
            }
        }
    } while (bChanged);

    g_bCustomizeMode = bOn;
    if (!bOn) m_pSelToolbar = NULL;

    BOOL bFrameLaidOut = FALSE;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = (CSPToolBar*)g_lstAllToolbars.GetNext(pos);
        if (!IsLiveToolbar(pBar)) continue;
        pBar->AdjustLayout();
        CFrameWnd* pDockSite = pBar->GetDockSite();
        if (!bFrameLaidOut && pDockSite != NULL && pDockSite->GetSafeHwnd() != NULL) {
            pDockSite->RecalcLayout(TRUE);
            bFrameLaidOut = TRUE;
        }
    }
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = (CSPToolBar*)g_lstAllToolbars.GetNext(pos);
        if (IsLiveToolbar(pBar))
            pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return TRUE;
}

int CSPToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
    listButtons.RemoveAll();
    if (uiCmd == 0) return 0;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL) continue;
        for (POSITION posBtn = pBar->m_Buttons.GetHeadPosition(); posBtn != NULL;) {
            CSPToolbarButton* pButton = (CSPToolbarButton*)pBar->m_Buttons.GetNext(posBtn);
            if (pButton->m_nID == uiCmd) listButtons.AddTail(pButton);
        }
    }
    return (int)listButtons.GetCount();
}

// Sizes below 1 would make every later division and wrap meaningless.
static CSize AtLeastOne(SIZE size) { return CSize(size.cx > 0 ? size.cx : 1, size.cy > 0 ? size.cy : 1); }

void CSPToolBar::ApplySizes(CSPSizeSet& set, SIZE sizeButton, SIZE sizeImage) {
    set.sizeButton = AtLeastOne(sizeButton);
    set.sizeImage = AtLeastOne(sizeImage);
    const int nFactor = m_bLargeIcons ? 2 : 1;
    set.sizeCurButton = CSize(set.sizeButton.cx * nFactor, set.sizeButton.cy * nFactor);
    set.sizeCurImage = CSize(set.sizeImage.cx * nFactor, set.sizeImage.cy * nFactor);
    const CSize sizeLarge(set.sizeImage.cx * 2, set.sizeImage.cy * 2);
    for (int i = 0; i < 3; i++) {
        set.pImages[i]->SetImageSize(set.sizeImage);
        set.pLargeImages[i]->SetImageSize(sizeLarge);
    }
}

void CSPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
    CSPSizeSet set = {m_sizeButton, m_sizeImage, m_sizeCurButton, m_sizeCurImage,
                      {&m_Images, &m_ColdImages, &m_DisabledImages},
                      {&m_LargeImages, &m_LargeColdImages, &m_LargeDisabledImages}};
    ApplySizes(set, sizeButton, sizeImage);
    if (m_pUserImages != NULL) m_pUserImages->SetImageSize(m_sizeImage);
}

void CSPToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage) {
    m_sizeMenuButton = AtLeastOne(sizeButton);
    m_sizeMenuImage = AtLeastOne(sizeImage);
    m_MenuImages.SetImageSize(m_sizeMenuImage);
}


BOOL CSPToolBar::SetUserImages(CSPButtonImages* pUserImages) {
    if (pUserImages == NULL || pUserImages->GetCount() <= 0 || pUserImages->GetImageSize() != m_sizeImage)
        return FALSE;
    m_pUserImages = pUserImages;
    return TRUE;
}

BOOL CSPToolBar::AddToolBarForImageCollection(UINT uiResID, UINT uiBmpResIDHot, UINT uiColdResID,
                                              UINT uiMenuResID, UINT uiDisabledResID, UINT uiMenuDisabledResID) {
    CSPToolBar bar;
    return bar.LoadToolBar(uiResID, uiColdResID, uiMenuResID, FALSE, uiDisabledResID, uiMenuDisabledResID,
                           uiBmpResIDHot);
}

void CSPToolBar::ResetAllImages() {
    m_Images.Clear();
    m_ColdImages.Clear();
    m_MenuImages.Clear();
    m_DisabledMenuImages.Clear();
    m_LargeImages.Clear();
    m_LargeColdImages.Clear();
    m_LargeDisabledImages.Clear();
    m_DefaultImages.RemoveAll();
}

void CSPToolBar::CleanUpImages() {
    ResetAllImages();
    m_DisabledImages.Clear();
    m_UsageCount.Reset();
    CSPButtonImages::CleanUp();
}

void CSPToolBar::SetLargeIcons(BOOL bLargeIcons) {
    m_bLargeIcons = bLargeIcons;
    const int nFactor = bLargeIcons ? 2 : 1;
    m_sizeCurButton = CSize(m_sizeButton.cx * nFactor, m_sizeButton.cy * nFactor);
    m_sizeCurImage = CSize(m_sizeImage.cx * nFactor, m_sizeImage.cy * nFactor);
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, g_lstAllToolbars.GetNext(pos));
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL) continue;
        if (pBar->m_bLocked) {
            pBar->m_sizeCurButtonLocked =
                CSize(pBar->m_sizeButtonLocked.cx * nFactor, pBar->m_sizeButtonLocked.cy * nFactor);
            pBar->m_sizeCurImageLocked =
                CSize(pBar->m_sizeImageLocked.cx * nFactor, pBar->m_sizeImageLocked.cy * nFactor);
        }
        pBar->AdjustLayout();
    }
}

static void CopyList(CList<UINT, UINT>& lstDest, const CList<UINT, UINT>& lstSrc) {
    lstDest.RemoveAll();
    for (POSITION pos = lstSrc.GetHeadPosition(); pos != NULL;) lstDest.AddTail(lstSrc.GetNext(pos));
}

void CSPToolBar::SetNonPermittedCommands(CList<UINT, UINT>& lstCommands) {
    CopyList(m_lstUnpermittedCommands, lstCommands);
}

void CSPToolBar::SetBasicCommands(CList<UINT, UINT>& lstCommands) { CopyList(m_lstBasicCommands, lstCommands); }

void CSPToolBar::AddBasicCommand(UINT uiCmd) {
    if (m_lstBasicCommands.Find(uiCmd) == NULL) m_lstBasicCommands.AddTail(uiCmd);
}

BOOL CSPToolBar::IsCommandRarelyUsed(UINT uiCmd) {
    if (g_bCustomizeMode || uiCmd == 0 || uiCmd == (UINT)-1) return FALSE;
    if ((uiCmd >= 0xE110 && uiCmd < 0xE120) || (uiCmd >= 0xF000 && uiCmd < 0xF1F0) || uiCmd >= 0xFF00 ||
        (uiCmd >= 0xE210 && uiCmd < 0xE220))
        return FALSE;
    if (g_pUserToolsManager != NULL && uiCmd == g_pUserToolsManager->GetToolsEntryCmd()) return FALSE;
    if (m_lstBasicCommands.IsEmpty() || IsBasicCommand(uiCmd)) return FALSE;
    return !m_UsageCount.IsFrequentlyUsedCmd(uiCmd);
}

BOOL CSPToolBar::SetCommandUsageOptions(UINT nStartCount, UINT nMinUsagePercentage) {
    return CSPCmdUsageCount::SetOptions(nStartCount, nMinUsagePercentage);
}

void CSPToolBar::SetLook2000(BOOL bLook2000) {
    CSPVisualManager::GetInstance()->SetLook(bLook2000 ? 1 : 0);
}

BOOL CSPToolBar::IsLook2000() { return CSPVisualManager::GetInstance()->GetLook() != 0; }

// --- options in the registry ------------------------------------------------

static CString ParametersKey(LPCTSTR lpszProfileName) {
    CString strKey;
    strKey.Format("%sSToolbarParameters",
                  (LPCTSTR)SPGetRegPath(CSPToolBar::m_lpszProfileSection, lpszProfileName));
    return strKey;
}

BOOL CSPToolBar::SaveParameters(LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, FALSE);
    if (pReg == NULL || !pReg->CreateKey(ParametersKey(lpszProfileName))) return FALSE;
    return pReg->Write("Tooltips", (DWORD)m_bShowTooltips) &&
           pReg->Write("ShortcutKeys", (DWORD)m_bShowShortcutKeys) &&
           pReg->Write("LargeIcons", (DWORD)m_bLargeIcons) &&
           pReg->Write("MenuAnimation", (DWORD)m_nMenuAnimation) &&
           pReg->Write("RecentlyUsedMenus", (DWORD)m_bRecentlyUsedMenus) &&
           pReg->Write("MenuShadows", (DWORD)m_bMenuShadows) &&
           pReg->Write("ShowAllMenusAfterDelay", (DWORD)m_bShowAllMenusAfterDelay) &&
           pReg->Write("Look2000", (DWORD)IsLook2000()) && pReg->Write("CommandsUsage", m_UsageCount);
}

// A damaged "CommandsUsage" must add nothing: it is read apart first, then
// added to what is counted already, as the stored form adds its entries.
static BOOL ReadUsageCounts(CSPRegistry* pReg, CSPCmdUsageCount& counts) {
    CSPCmdUsageCount countsRead;
    if (!pReg->Read("CommandsUsage", countsRead)) return FALSE;
    CMemFile file;
    CArchive arOut(&file, CArchive::store);
    countsRead.Serialize(arOut);
    arOut.Close();
    file.SeekToBegin();
    CArchive arIn(&file, CArchive::load);
    counts.Serialize(arIn);
    arIn.Close();
    return TRUE;
}

BOOL CSPToolBar::LoadParameters(LPCTSTR lpszProfileName) {
    CSPRegistryPtr reg;
    CSPRegistry* pReg = reg.Create(FALSE, TRUE);
    if (pReg == NULL || !pReg->Open(ParametersKey(lpszProfileName))) return FALSE;

    int nAnimation = 0;
    DWORD dwLook = 0;
    DWORD dwTooltips, dwShortcuts, dwLarge, dwAnimation, dwRecent, dwShadows, dwShowAll;
    BOOL bAll = FALSE;
    if (pReg->Read("Tooltips", dwTooltips)) {
        m_bShowTooltips = dwTooltips != 0;
        if (pReg->Read("ShortcutKeys", dwShortcuts)) {
            m_bShowShortcutKeys = dwShortcuts != 0;
            if (pReg->Read("LargeIcons", dwLarge)) {
                m_bLargeIcons = dwLarge != 0;
                if (pReg->Read("MenuAnimation", dwAnimation)) {
                    nAnimation = (int)dwAnimation;
                    if (pReg->Read("RecentlyUsedMenus", dwRecent)) {
                        m_bRecentlyUsedMenus = dwRecent != 0;
                        if (pReg->Read("MenuShadows", dwShadows)) {
                            m_bMenuShadows = dwShadows != 0;
                            if (pReg->Read("ShowAllMenusAfterDelay", dwShowAll)) {
                                m_bShowAllMenusAfterDelay = dwShowAll != 0;
                                if (pReg->Read("Look2000", dwLook))
                                    bAll = ReadUsageCounts(pReg, m_UsageCount);
                            }
                        }
                    }
                }
            }
        }
    }
    // An animation type the popup menus do not know falls back to none.
    m_nMenuAnimation = nAnimation >= 0 && nAnimation <= 3 ? nAnimation : 0;
    SetLargeIcons(m_bLargeIcons);
    SetLook2000(dwLook != 0);
    return bAll;
}

// --- the context-help mouse hook ---------------------------------------------

static LRESULT CALLBACK ToolBarMouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode != 0) return ::CallNextHookEx(CSPToolBar::m_hookMouseHelp, nCode, wParam, lParam);
    if (wParam == WM_MOUSEMOVE) {
        const MOUSEHOOKSTRUCT* pMS = (const MOUSEHOOKSTRUCT*)lParam;
        CSPToolBar* pBar = DYNAMIC_DOWNCAST(CSPToolBar, CWnd::FromHandlePermanent(::WindowFromPoint(pMS->pt)));
        if (pBar != NULL) {
            CPoint ptClient = pMS->pt;
            pBar->ScreenToClient(&ptClient);
            pBar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
        }
        CSPToolBar* pLast = CSPToolBar::m_pLastHookedToolbar;
        if (pLast != NULL && pLast != pBar && IsLiveToolbar(pLast)) pLast->LeaveHotTracking();
        CSPToolBar::m_pLastHookedToolbar = pBar;
    }
    return 0;
}

BOOL CSPToolBar::SetMouseHook(BOOL bSet) {
    if (bSet) {
        if (m_hookMouseHelp == NULL)
            m_hookMouseHelp = ::SetWindowsHookExA(WH_MOUSE, ToolBarMouseProc, NULL, ::GetCurrentThreadId());
        return m_hookMouseHelp != NULL;
    }
    if (m_hookMouseHelp != NULL) {
        ::UnhookWindowsHookEx(m_hookMouseHelp);
        m_hookMouseHelp = NULL;
    }
    m_pLastHookedToolbar = NULL;
    for (POSITION pos = g_lstAllToolbars.GetHeadPosition(); pos != NULL;) {
        CSPToolBar* pBar = (CSPToolBar*)g_lstAllToolbars.GetNext(pos);
        if (IsLiveToolbar(pBar)) pBar->OnCancelToolbarMode();
    }
    return TRUE;
}
