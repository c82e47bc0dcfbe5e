#include "SPToolbarButton.h"

IMPLEMENT_SERIAL(CSPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CSPToolbarMenuButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CSPShowAllButton, CSPToolbarMenuButton)
IMPLEMENT_SERIAL(CSPOutlookButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CSPToolbarComboBoxButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CSPToolbarEditBoxButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

CList<UINT, UINT> CSPToolbarButton::m_lstProtectedCommands(10);

CSPToolbarButton::CSPToolbarButton()
    : m_bUserButton(FALSE),
      m_nID(0),
      m_nStyle(0),
      m_bText(FALSE),
      m_bImage(TRUE),
      m_bWrap(FALSE),
      m_bWholeText(TRUE),
      m_bTextBelow(FALSE),
      m_bDragFromCollection(FALSE),
      m_iImage(-1),
      m_iUserImage(-1),
      m_bLocked(FALSE),
      m_bHidden(FALSE),
      m_nWidth(0),
      m_nHeight(0),
      m_bDisableFill(FALSE),
      m_bExtraSize(FALSE),
      m_bHorz(TRUE) {}

CSPToolbarButton::CSPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
    : CSPToolbarButton() {
    m_nID = uiID;
    m_bUserButton = bUserButton;
    if (bUserButton) m_iUserImage = iImage;
    else m_iImage = iImage;
    m_strText = lpszText != NULL ? lpszText : "";
    m_bLocked = bLocked;
}

CSPToolbarButton::~CSPToolbarButton() {}

void CSPToolbarButton::SetProtectedCommands(const CList<UINT, UINT>& lstCmds) {
    m_lstProtectedCommands.RemoveAll();
    for (POSITION pos = lstCmds.GetHeadPosition(); pos != NULL;) m_lstProtectedCommands.AddTail(lstCmds.GetNext(pos));
}

BOOL CSPToolbarButton::IsEditable() const {
    if (m_nID >= 0xE110 && m_nID < 0xE120) return FALSE;  // recent-file list
    if (m_nID >= 0xF000 && m_nID < 0xF1F0) return FALSE;  // system commands
    if ((int)m_nID >= 0xFF00) return FALSE;               // MDI children
    if (m_nID >= 0xE210 && m_nID < 0xE220) return FALSE;  // OLE verbs
    return m_lstProtectedCommands.Find(m_nID) == NULL;
}

CSPToolbarMenuButton::CSPToolbarMenuButton() : m_pPopupMenu(NULL) {}
CSPToolbarMenuButton::~CSPToolbarMenuButton() {}

CSPShowAllButton::CSPShowAllButton() {}

CSPOutlookButton::CSPOutlookButton() {}

CSPToolbarComboBoxButton::CSPToolbarComboBoxButton() {}
CSPToolbarComboBoxButton::~CSPToolbarComboBoxButton() {}

CSPToolbarEditBoxButton::CSPToolbarEditBoxButton() {}
CSPToolbarEditBoxButton::~CSPToolbarEditBoxButton() {}

void CSPToolbarButton::GetVisualInfo(SPToolbarButtonInfo& info) const {
    info.nStyle = m_nStyle;
    info.bEditable = IsEditable();
    info.rect = m_rect;
    CSPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CSPToolbarMenuButton, const_cast<CSPToolbarButton*>(this));
    info.pMenuButton = pMenuButton;
    info.pPopupMenu = pMenuButton != NULL ? pMenuButton->m_pPopupMenu : NULL;
    info.bJoinsMenuBorder = pMenuButton != NULL && pMenuButton->JoinsMenuBorder();
    info.bShowAllButton = IsKindOf(RUNTIME_CLASS(CSPShowAllButton));
    info.bOutlookButton = IsKindOf(RUNTIME_CLASS(CSPOutlookButton));
}
