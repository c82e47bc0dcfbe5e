#include "SPToolbarState.h"
#include "SPGlobalData.h"

BOOL g_bCustomizeMode = FALSE;
CObList g_lstAllToolbars(10);

static UINT s_cfToolbarButton = 0;
static CString& ToolbarButtonFormatName() {
    static CString s_strName;
    return s_strName;
}

UINT SPToolbarButtonFormat::Get() {
    if (s_cfToolbarButton == 0) {
        CString strFormat = ToolbarButtonFormatName();
        // Only the same running module understands its own drag data.
        if (strFormat.IsEmpty()) strFormat.Format("SToolbarButton%lx", (long)(LONG_PTR)AfxGetInstanceHandle());
        s_cfToolbarButton = ::RegisterClipboardFormatA(strFormat);
    }
    return s_cfToolbarButton;
}

void SPToolbarButtonFormat::SetName(LPCTSTR lpszName) { ToolbarButtonFormatName() = lpszName != NULL ? lpszName : ""; }

BOOL CSPToolbarSharedState::m_bShowTooltips = TRUE;
BOOL CSPToolbarSharedState::m_bShowShortcutKeys = TRUE;
BOOL CSPToolbarSharedState::m_bLargeIcons = FALSE;
int CSPToolbarSharedState::m_nMenuAnimation = 0;
BOOL CSPToolbarSharedState::m_bRecentlyUsedMenus = TRUE;
BOOL CSPToolbarSharedState::m_bMenuShadows = TRUE;
BOOL CSPToolbarSharedState::m_bShowAllMenusAfterDelay = TRUE;
COLORREF CSPToolbarSharedState::m_clrTextColor = (COLORREF)-1;
BOOL CSPToolbarSharedState::m_bLayoutAwareMnemonics = FALSE;
CSize CSPToolbarSharedState::m_sizeButton(23, 22);
CSize CSPToolbarSharedState::m_sizeImage(16, 15);
CSize CSPToolbarSharedState::m_sizeCurButton(23, 22);
CSize CSPToolbarSharedState::m_sizeCurImage(16, 15);
CSize CSPToolbarSharedState::m_sizeMenuButton(-1, -1);
CSize CSPToolbarSharedState::m_sizeMenuImage(-1, -1);
CList<UINT, UINT> CSPToolbarSharedState::m_lstUnpermittedCommands(10);
CList<UINT, UINT> CSPToolbarSharedState::m_lstBasicCommands(10);
CList<UINT, UINT> CSPToolbarSharedState::m_lstUncountedCommands(10);
CSPCmdUsageCount CSPToolbarSharedState::m_UsageCount;

CSize CSPToolbarSharedState::GetMenuButtonSize() {
    return m_sizeMenuButton.cx != -1 ? m_sizeMenuButton : m_sizeButton;
}

CSize CSPToolbarSharedState::GetMenuImageSize() { return m_sizeMenuImage.cx != -1 ? m_sizeMenuImage : m_sizeImage; }

COLORREF CSPToolbarSharedState::GetButtonTextColor() {
    return m_clrTextColor != (COLORREF)-1 ? m_clrTextColor : spGlobalData.clrBtnText;
}
