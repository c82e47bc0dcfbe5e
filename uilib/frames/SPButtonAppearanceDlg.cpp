// SPButtonAppearanceDlg.cpp - the button appearance dialog.
#include "SPButtonAppearanceDlg.h"

#include <algorithm>

#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPGlobalData.h"
#include "SPImageEditDlg.h"
#include "SPToolBar.h"
#include "SPToolbarButton.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"

IMPLEMENT_DYNAMIC(CSPButtonAppearanceDlg, CDialog)

BEGIN_MESSAGE_MAP(CSPButtonAppearanceDlg, CDialog)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_IMAGE_ONLY, OnImageOnly)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_TEXT_ONLY, OnTextOnly)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_IMAGE_AND_TEXT, OnImageAndText)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_DEFAULT_IMAGE, OnDefaultImage)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_USER_IMAGE, OnUserImage)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_USER_IMAGES, OnUserImagesList)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_NEW_IMAGE, OnAddImage)
    ON_BN_CLICKED(SP_IDC_APPEARANCE_EDIT_IMAGE, OnEditImage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CSPButtonAppearanceDlg::CSPButtonAppearanceDlg(CSPToolbarButton* pButton, CSPButtonImages* pImages, CWnd* pParent,
                                               int iStartImage, BOOL bMenuMode)
    : CDialog(SP_IDD_BUTTON_APPEARANCE, pParent),
      m_pButton(pButton),
      m_pImages(pImages),
      m_iStartImage(std::max(0, iStartImage)),
      m_iSelImage(-1),
      m_bImage(FALSE),
      m_bText(FALSE),
      m_bMenuMode(bMenuMode),
      m_bUserButton(FALSE),
      m_rectDefaultImage(0, 0, 0, 0),
      m_pUserTool(NULL) {
    if (m_pButton == NULL) return;
    if (g_pUserToolsManager != NULL) m_pUserTool = g_pUserToolsManager->FindTool(m_pButton->m_nID);

    if (m_pButton->m_bUserButton)
        m_bUserButton = TRUE;
    else if (m_pUserTool != NULL)
        m_bUserButton = FALSE;
    else
        m_bUserButton = GetDefaultImage() < 0;

    m_iSelImage = m_pButton->m_bUserButton ? m_pButton->m_iUserImage : m_pButton->m_iImage;

    m_bImage = m_pButton->m_bImage;
    CSPCommandManager* pCmdManager = SPGetCommandManager();
    if (m_bMenuMode && pCmdManager != NULL && pCmdManager->IsMenuItemWithoutImage(m_pButton->m_nID)) m_bImage = FALSE;

    m_bText = m_bMenuMode || m_pButton->m_bTextBelow ? TRUE : m_pButton->m_bText;
}

CSPButtonAppearanceDlg::~CSPButtonAppearanceDlg() {
    while (!m_Buttons.IsEmpty()) delete m_Buttons.RemoveHead();
}

void CSPButtonAppearanceDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_APPEARANCE_DEFAULT_IMAGE, m_wndDefaultImage);
    DDX_Control(pDX, SP_IDC_APPEARANCE_USER_IMAGE, m_wndUserImage);
    DDX_Control(pDX, SP_IDC_APPEARANCE_DEFAULT_AREA, m_wndDefaultImageArea);
    DDX_Control(pDX, SP_IDC_APPEARANCE_TEXT, m_wndButtonText);
    DDX_Control(pDX, SP_IDC_APPEARANCE_NEW_IMAGE, m_wndAddImage);
    DDX_Control(pDX, SP_IDC_APPEARANCE_USER_IMAGES, m_wndButtonList);
    DDX_Control(pDX, SP_IDC_APPEARANCE_EDIT_IMAGE, m_wndEditImage);
    DDX_Text(pDX, SP_IDC_APPEARANCE_TEXT, m_strButtonText);
    DDX_Text(pDX, SP_IDC_APPEARANCE_DESCRIPTION, m_strButtonDescr);
}

int CSPButtonAppearanceDlg::GetDefaultImage() const {
    int iImage = -1;
    if (m_pButton == NULL || !CSPToolBar::m_DefaultImages.Lookup(m_pButton->m_nID, iImage)) return -1;
    return iImage;
}

BOOL CSPButtonAppearanceDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_pButton == NULL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }

    if (m_pImages != NULL) {
        m_wndButtonList.SetImages(m_pImages);
        RebuildImageList();
        m_wndButtonList.SelectButton(m_iSelImage);
    } else {
        m_wndButtonList.EnableWindow(FALSE);
        m_wndUserImage.EnableWindow(FALSE);
        if (m_iSelImage < 0) {
            if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_IMAGE_ONLY)) pWnd->EnableWindow(FALSE);
            if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_IMAGE_AND_TEXT)) pWnd->EnableWindow(FALSE);
        }
    }

    const BOOL bUserRadio = m_bUserButton && !m_pButton->IsLocked();
    m_wndUserImage.SetCheck(bUserRadio ? BST_CHECKED : BST_UNCHECKED);
    m_wndDefaultImage.SetCheck(bUserRadio ? BST_UNCHECKED : BST_CHECKED);

    UINT nDisplay = SP_IDC_APPEARANCE_IMAGE_ONLY;
    if (!m_bImage) {
        nDisplay = SP_IDC_APPEARANCE_TEXT_ONLY;
        m_bText = TRUE;
        m_wndButtonList.EnableWindow(FALSE);
    } else if (m_bText) {
        nDisplay = SP_IDC_APPEARANCE_IMAGE_AND_TEXT;
    }
    CheckRadioButton(SP_IDC_APPEARANCE_IMAGE_ONLY, SP_IDC_APPEARANCE_IMAGE_AND_TEXT, nDisplay);

    // The shortcut part after a tab is kept, not edited.
    m_strButtonText = m_pButton->m_strText;
    m_strAccel.Empty();
    const int iTab = m_strButtonText.Find(_T('\t'));
    if (iTab >= 0) {
        m_strAccel = m_strButtonText.Mid(iTab + 1);
        m_strButtonText = m_strButtonText.Left(iTab);
    }

    CWnd* pParent = m_pParentWnd != NULL ? m_pParentWnd : GetParent();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParent);
    if (pFrame == NULL && pParent != NULL) pFrame = pParent->GetParentFrame();
    if (pFrame == NULL) pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL) pFrame->GetMessageString(m_pButton->m_nID, m_strButtonDescr);

    if (m_bMenuMode) {
        if (m_iSelImage < 0) {
            if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_TEXT_ONLY)) pWnd->EnableWindow(FALSE);
            if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_IMAGE_AND_TEXT)) pWnd->EnableWindow(FALSE);
        }
        if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_IMAGE_ONLY)) pWnd->EnableWindow(FALSE);
    }
    if (m_pButton->m_bTextBelow)
        if (CWnd* pWnd = GetDlgItem(SP_IDC_APPEARANCE_IMAGE_ONLY)) pWnd->EnableWindow(FALSE);

    m_wndDefaultImageArea.GetClientRect(m_rectDefaultImage);
    m_wndDefaultImageArea.MapWindowPoints(this, m_rectDefaultImage);
    m_rectDefaultImage.right = m_rectDefaultImage.left + CSPToolBar::m_sizeImage.cx;
    m_rectDefaultImage.bottom = m_rectDefaultImage.top + CSPToolBar::m_sizeImage.cy;

    EnableControls();
    UpdateData(FALSE);
    return TRUE;
}

void CSPButtonAppearanceDlg::EnableControls() {
    const BOOL bLocked = m_pButton->IsLocked();
    const BOOL bReadOnly = m_pImages != NULL && m_pImages->IsReadOnly();
    m_wndButtonText.EnableWindow(m_bText && (!m_bMenuMode || m_pUserTool == NULL));
    const BOOL bGrid = m_bImage && m_pImages != NULL && m_bUserButton && !m_bMenuMode && !bLocked;
    m_wndButtonList.EnableWindow(bGrid);
    m_wndAddImage.EnableWindow(bGrid && !bReadOnly);
    m_wndEditImage.EnableWindow(m_bImage && m_pImages != NULL && m_iSelImage >= 0 && m_bUserButton && !bReadOnly &&
                                !bLocked);
    m_wndUserImage.EnableWindow(m_bImage && m_pImages != NULL && !m_bMenuMode && !bLocked);
    m_wndDefaultImage.EnableWindow(m_pUserTool != NULL ||
                                   (m_bImage && GetDefaultImage() >= 0 && !m_bMenuMode && !bLocked));
    InvalidateRect(m_rectDefaultImage);
}

void CSPButtonAppearanceDlg::RebuildImageList() {
    m_wndButtonList.RemoveButtons();
    while (!m_Buttons.IsEmpty()) delete m_Buttons.RemoveHead();
    if (m_pImages == NULL) return;
    for (int i = m_iStartImage; i < m_pImages->GetCount(); i++) {
        CSPToolbarButton* pButton = new CSPToolbarButton(0, i, NULL, TRUE);
        m_wndButtonList.AddButton(pButton);
        m_Buttons.AddTail(pButton);
    }
    m_wndButtonList.RedrawWindow();
}

void CSPButtonAppearanceDlg::OnImageOnly() {
    m_bImage = TRUE;
    m_bText = FALSE;
    EnableControls();
}

void CSPButtonAppearanceDlg::OnTextOnly() {
    m_bImage = FALSE;
    m_bText = TRUE;
    EnableControls();
}

void CSPButtonAppearanceDlg::OnImageAndText() {
    m_bImage = TRUE;
    m_bText = TRUE;
    EnableControls();
}

void CSPButtonAppearanceDlg::OnUserImage() {
    m_iSelImage = -1;
    m_bUserButton = TRUE;
    m_wndUserImage.SetCheck(BST_CHECKED);
    m_wndDefaultImage.SetCheck(BST_UNCHECKED);
    EnableControls();
    m_wndButtonList.SelectButton((CSPToolbarButton*)NULL);
}

void CSPButtonAppearanceDlg::OnDefaultImage() {
    m_iSelImage = m_pButton->GetImage();
    m_bUserButton = FALSE;
    m_wndDefaultImage.SetCheck(BST_CHECKED);
    m_wndUserImage.SetCheck(BST_UNCHECKED);
    EnableControls();
}

void CSPButtonAppearanceDlg::OnUserImagesList() {
    const CSPToolbarButton* pSel = m_wndButtonList.GetSelectedButton();
    m_iSelImage = pSel != NULL ? pSel->GetImage() : -1;
    m_wndEditImage.EnableWindow(m_iSelImage >= 0 && m_pImages != NULL && !m_pImages->IsReadOnly());
}

void CSPButtonAppearanceDlg::ShowMessage(UINT uiStringId) {
    CString strMessage;
    {
        CSPResourceScope scope;
        strMessage.LoadString(uiStringId);
    }
    AfxMessageBox(strMessage);
}

BOOL CSPButtonAppearanceDlg::EditBitmap(CBitmap& bitmap) {
    CSPImageEditDlg dlg(&bitmap, this, m_pImages->m_nBitsPerPixel > 0 ? m_pImages->m_nBitsPerPixel : -1);
    return dlg.DoModal() == IDOK;
}

void CSPButtonAppearanceDlg::OnAddImage() {
    if (m_pImages == NULL) return;
    CSPResourceScope scope;
    try {
        const CSize sizeImage = m_pImages->GetImageSize();
        CBitmap bitmap;
        BOOL bCreated = FALSE;
        {
            CClientDC dcGrid(&m_wndButtonList);
            CDC dcMem;
            if (sizeImage.cx > 0 && sizeImage.cy > 0 && dcMem.CreateCompatibleDC(&dcGrid) &&
                bitmap.CreateCompatibleBitmap(&dcGrid, sizeImage.cx, sizeImage.cy)) {
                CBitmap* pOld = dcMem.SelectObject(&bitmap);
                dcMem.FillRect(CRect(CPoint(0, 0), sizeImage), &spGlobalData.brBtnFace);
                dcMem.SelectObject(pOld);
                bCreated = TRUE;
            }
        }
        if (!bCreated) {
            ShowMessage(SP_IDS_CANT_CREATE_IMAGE);
            return;
        }
        if (!EditBitmap(bitmap)) return;
        const int iImage = m_pImages->AddImage((HBITMAP)bitmap.GetSafeHandle());
        if (iImage < 0) {
            ShowMessage(SP_IDS_CANT_CREATE_IMAGE);
            return;
        }
        RebuildImageList();
        m_wndButtonList.SelectButton(iImage);
    } catch (...) {
        ShowMessage(SP_IDS_INTERNAL_ERROR);
    }
}

void CSPButtonAppearanceDlg::OnEditImage() {
    if (m_pImages == NULL || m_iSelImage < 0 || m_iSelImage >= m_pImages->GetCount()) return;
    CSPResourceScope scope;
    try {
        const CSize sizeImage = m_pImages->GetImageSize();
        CBitmap bitmap;
        {
            CClientDC dcGrid(&m_wndButtonList);
            CDC dcMem;
            if (!dcMem.CreateCompatibleDC(&dcGrid) ||
                !bitmap.CreateCompatibleBitmap(&dcGrid, sizeImage.cx, sizeImage.cy))
                return;
            // The image on the standard face colour; its own transparent
            // colour, if any, comes back afterwards.
            const COLORREF clrFace = RGB(192, 192, 192);
            const COLORREF clrTransparent = m_pImages->GetTransparentColor();
            if (clrTransparent != clrFace) m_pImages->SetTransparentColor(clrFace);
            CBitmap* pOld = dcMem.SelectObject(&bitmap);
            dcMem.FillSolidRect(CRect(CPoint(0, 0), sizeImage), clrFace);
            CSPDrawState ds;
            if (m_pImages->PrepareDraw(ds)) {
                m_pImages->Draw(&dcMem, 0, 0, m_iSelImage);
                m_pImages->EndDraw(ds);
            }
            dcMem.SelectObject(pOld);
            if (clrTransparent != clrFace) m_pImages->SetTransparentColor(clrTransparent);
        }
        if (!EditBitmap(bitmap)) return;
        m_pImages->UpdateImage(m_iSelImage, (HBITMAP)bitmap.GetSafeHandle());
        m_wndButtonList.Invalidate();
    } catch (...) {
        ShowMessage(SP_IDS_INTERNAL_ERROR);
    }
}

void CSPButtonAppearanceDlg::OnPaint() {
    CPaintDC dc(this);
    if (m_pButton == NULL) return;
    if (m_pUserTool != NULL) {
        m_pUserTool->DrawToolIcon(&dc, m_rectDefaultImage);
        return;
    }
    if (m_pButton->IsLocked()) {
        const BOOL bText = m_pButton->m_bText, bImage = m_pButton->m_bImage;
        m_pButton->m_bText = FALSE;
        m_pButton->m_bImage = TRUE;
        CSPDrawState ds;
        if (CSPToolBar::m_Images.PrepareDraw(ds)) {
            m_pButton->OnDraw(&dc, m_rectDefaultImage, &CSPToolBar::m_Images);
            CSPToolBar::m_Images.EndDraw(ds);
        }
        m_pButton->m_bText = bText;
        m_pButton->m_bImage = bImage;
        return;
    }
    const int iImage = GetDefaultImage();
    if (!m_bImage || iImage < 0) return;
    CSPDrawState ds;
    if (CSPToolBar::m_Images.PrepareDraw(ds)) {
        CSPToolBar::m_Images.Draw(&dc, m_rectDefaultImage.left, m_rectDefaultImage.top, iImage);
        CSPToolBar::m_Images.EndDraw(ds);
    }
}

void CSPButtonAppearanceDlg::OnOK() {
    CSPResourceScope scope;
    if (!UpdateData(TRUE)) return;
    int iImage = -1;
    if (m_bUserButton)
        iImage = m_iSelImage;
    else if (m_pUserTool != NULL)
        iImage = 0;
    else
        iImage = GetDefaultImage();

    if (m_bImage && iImage < 0) {
        ShowMessage(SP_IDS_SELECT_IMAGE);
        m_wndButtonList.SetFocus();
        return;
    }
    if (m_bText && m_strButtonText.IsEmpty()) {
        ShowMessage(SP_IDS_ENTER_TEXT);
        m_wndButtonText.SetFocus();
        return;
    }

    if (!m_pButton->m_bTextBelow) m_pButton->m_bText = m_bText;
    if (m_bMenuMode) {
        CSPCommandManager* pCmdManager = SPGetCommandManager();
        if (pCmdManager != NULL) pCmdManager->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
    } else {
        m_pButton->m_bImage = m_bImage;
    }
    m_pButton->m_bUserButton = m_bUserButton;
    m_pButton->SetImage(iImage);
    m_pButton->m_strText = m_strButtonText;
    if (!m_strAccel.IsEmpty()) m_pButton->m_strText += _T('\t') + m_strAccel;
    CDialog::OnOK();
}
