// SPImageEditDlg.cpp - the button image editor dialog and its tools
// toolbar.
#include "SPImageEditDlg.h"

#include <algorithm>

#include "afxpriv.h"

#include "SPButtonImages.h"
#include "SPGlobalData.h"
#include "SPVisualManager.h"

// --- the tools toolbar -------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPImageEditToolBar, CSPToolBar)

void CSPImageEditToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL bDisableIfNoHndler) {
    CWnd* pOwner = GetOwner();
    if (pOwner != NULL) CSPToolBar::OnUpdateCmdUI((CFrameWnd*)pOwner, bDisableIfNoHndler);
}

// --- the dialog ---------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSPImageEditDlg, CDialog)

BEGIN_MESSAGE_MAP(CSPImageEditDlg, CDialog)
    ON_WM_PAINT()
    ON_COMMAND(SP_IDC_IMAGE_EDIT_COLORS, OnColors)
    ON_COMMAND_RANGE(SP_ID_IMAGE_EDIT_FILL, SP_ID_IMAGE_EDIT_ELLIPSE, OnTool)
    ON_UPDATE_COMMAND_UI_RANGE(SP_ID_IMAGE_EDIT_FILL, SP_ID_IMAGE_EDIT_ELLIPSE, OnUpdateTool)
    ON_COMMAND(SP_ID_IMAGE_EDIT_COPY, OnToolCopy)
    ON_COMMAND(SP_ID_IMAGE_EDIT_PASTE, OnToolPaste)
    ON_UPDATE_COMMAND_UI(SP_ID_IMAGE_EDIT_PASTE, OnUpdateToolPaste)
    ON_COMMAND(SP_ID_IMAGE_EDIT_CLEAR, OnToolClear)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

namespace {
// The tool of each tool command.
int ToolOfCommand(UINT nID) {
    switch (nID) {
    case SP_ID_IMAGE_EDIT_PENCIL:
        return CSPImageEditArea::Pencil;
    case SP_ID_IMAGE_EDIT_FILL:
        return CSPImageEditArea::Fill;
    case SP_ID_IMAGE_EDIT_LINE:
        return CSPImageEditArea::Line;
    case SP_ID_IMAGE_EDIT_RECT:
        return CSPImageEditArea::Rect;
    case SP_ID_IMAGE_EDIT_ELLIPSE:
        return CSPImageEditArea::Ellipse;
    case SP_ID_IMAGE_EDIT_SELECT_COLOR:
        return CSPImageEditArea::SelectColor;
    }
    return -1;
}

void ShowMessage(UINT uiStringId) {
    CSPResourceScope scope;
    CString strMessage;
    strMessage.LoadString(uiStringId);
    AfxMessageBox(strMessage);
}
}  // namespace

CSPImageEditDlg::CSPImageEditDlg(CBitmap* pBitmap, CWnd* pParent, int nBitsPixel)
    : CDialog(SP_IDD_IMAGE_EDIT, pParent),
      m_wndLargeDrawArea(this),
      m_pBitmap(pBitmap),
      m_sizeImage(0, 0),
      m_nBitsPixel(nBitsPixel),
      m_rectPreviewFrame(0, 0, 0, 0),
      m_rectPreviewImage(0, 0, 0, 0) {
    BITMAP bmp = {};
    if (m_pBitmap != NULL && m_pBitmap->GetSafeHandle() != NULL && m_pBitmap->GetBitmap(&bmp)) {
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        if (m_nBitsPixel == -1) m_nBitsPixel = bmp.bmBitsPixel;
    }
}

CSPImageEditDlg::~CSPImageEditDlg() {}

INT_PTR CSPImageEditDlg::DoModal() {
    CSPResourceScope scope;
    return CDialog::DoModal();
}

void CSPImageEditDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, SP_IDC_IMAGE_EDIT_COLORS, m_wndColorPickerLocation);
    DDX_Control(pDX, SP_IDC_IMAGE_EDIT_TOOLS, m_wndPaletteBarLocation);
    DDX_Control(pDX, SP_IDC_IMAGE_EDIT_PREVIEW, m_wndPreview);
    DDX_Control(pDX, SP_IDC_IMAGE_EDIT_AREA, m_wndLargeDrawArea);
}

CRect CSPImageEditDlg::ControlRect(CWnd& wnd) const {
    CRect rect;
    wnd.GetWindowRect(rect);
    ScreenToClient(rect);
    return rect;
}

BOOL CSPImageEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_wndLargeDrawArea.SetBitmap(m_pBitmap);

    // The tools: three to a row in the place kept for them.
    CRect rectTools = ControlRect(m_wndPaletteBarLocation);
    rectTools.DeflateRect(2, 2);
    m_wndPaletteBar.EnableLargeIcons(FALSE);
    if (m_wndPaletteBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_HIDE_INPLACE,
                               AFX_IDW_TOOLBAR) &&
        m_wndPaletteBar.LoadToolBar(SP_IDR_IMAGE_EDIT_TOOLS, 0, 0, TRUE)) {
        m_wndPaletteBar.SetControlBarStyle((m_wndPaletteBar.GetControlBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) &
                                           ~(CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_BORDER_3D));
        m_wndPaletteBar.SetBorders(10, 5, 10, 5);
        m_wndPaletteBar.SetOwner(this);
        m_wndPaletteBar.WrapToolBar(3 * m_wndPaletteBar.GetButtonSize().cx);
        m_wndPaletteBar.MoveWindow(rectTools);
        m_wndPaletteBar.AdjustLocations();
        m_wndPaletteBar.SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    m_wndPaletteBarLocation.ShowWindow(SW_HIDE);

    // The palette: 16 colours for an image of 8 bits per pixel or fewer.
    CPalette* pPalette = NULL;
    if (m_nBitsPixel > 0 && m_nBitsPixel <= 8) {
        PALETTEENTRY entries[20] = {};
        ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 20, entries);
        struct {
            LOGPALETTE header;
            PALETTEENTRY more[15];
        } logPalette = {};
        logPalette.header.palVersion = 0x300;
        logPalette.header.palNumEntries = 16;
        int n = 0;
        for (int i = 0; i < 20; i++)
            if (i < 8 || i > 11) logPalette.header.palPalEntry[n++] = entries[i];
        if (m_palSmall.CreatePalette(&logPalette.header)) pPalette = &m_palSmall;
    }
    const CRect rectColors = ControlRect(m_wndColorPickerLocation);
    m_wndColorPickerLocation.ShowWindow(SW_HIDE);
    if (m_wndColorPicker.CreateInRect(this, rectColors, SP_IDC_IMAGE_EDIT_COLORS, 4, pPalette)) {
        m_wndColorPicker.SetCommandID(SP_IDC_IMAGE_EDIT_COLORS);
        m_wndColorPicker.SetColor(RGB(0, 0, 0));
    }

    // The preview at real size, centred in its place.
    const CRect rectPreview = ControlRect(m_wndPreview);
    m_wndPreview.ShowWindow(SW_HIDE);
    const CPoint ptPreview(rectPreview.left + (rectPreview.Width() - m_sizeImage.cx) / 2,
                           rectPreview.top + (rectPreview.Height() - m_sizeImage.cy) / 2);
    m_rectPreviewImage = CRect(ptPreview, m_sizeImage);
    m_rectPreviewFrame = m_rectPreviewImage;
    m_rectPreviewFrame.InflateRect(4, 4);
    m_wndLargeDrawArea.SetPreviewRect(m_rectPreviewImage);
    return TRUE;
}

void CSPImageEditDlg::OnPaint() {
    CPaintDC dc(this);
    if (m_pBitmap == NULL || m_pBitmap->GetSafeHandle() == NULL) return;
    dc.Draw3dRect(m_rectPreviewFrame, spGlobalData.clrBtnHilite, spGlobalData.clrBtnShadow);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc)) return;
    CBitmap* pOld = dcMem.SelectObject(m_pBitmap);
    dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

void CSPImageEditDlg::OnColors() { m_wndLargeDrawArea.SetColor(m_wndColorPicker.GetColor()); }

void CSPImageEditDlg::OnPickColor(COLORREF color) {
    if (m_wndColorPicker.GetSafeHwnd() != NULL) m_wndColorPicker.SetColor(color);
    m_wndLargeDrawArea.SetColor(color);
    m_wndLargeDrawArea.SetMode(CSPImageEditArea::Pencil);
    if (m_wndPaletteBar.GetSafeHwnd() != NULL) m_wndPaletteBar.OnUpdateCmdUI(NULL, TRUE);
}

void CSPImageEditDlg::OnTool(UINT nID) {
    const int iTool = ToolOfCommand(nID);
    if (iTool >= 0) m_wndLargeDrawArea.SetMode(iTool);
}

void CSPImageEditDlg::OnUpdateTool(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(ToolOfCommand(pCmdUI->m_nID) == m_wndLargeDrawArea.GetMode());
}

void CSPImageEditDlg::OnToolCopy() {
    BOOL bDone = FALSE;
    if (m_pBitmap != NULL && m_pBitmap->GetSafeHandle() != NULL && ::OpenClipboard(m_hWnd)) {
        if (::EmptyClipboard()) {
            CDC dcSrc, dcDst;
            CBitmap bmpCopy;
            CClientDC dcScreen(this);
            if (dcSrc.CreateCompatibleDC(&dcScreen) && dcDst.CreateCompatibleDC(&dcScreen) &&
                bmpCopy.CreateCompatibleBitmap(&dcScreen, m_sizeImage.cx, m_sizeImage.cy)) {
                CBitmap* pOldSrc = dcSrc.SelectObject(m_pBitmap);
                CBitmap* pOldDst = dcDst.SelectObject(&bmpCopy);
                dcDst.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &dcSrc, 0, 0, SRCCOPY);
                dcDst.SelectObject(pOldDst);
                dcSrc.SelectObject(pOldSrc);
                // The clipboard owns the copy from now on.
                if (::SetClipboardData(CF_BITMAP, bmpCopy.GetSafeHandle()) != NULL) {
                    bmpCopy.Detach();
                    bDone = TRUE;
                }
            }
        }
        ::CloseClipboard();
    }
    if (!bDone) ShowMessage(SP_IDS_CANT_COPY_IMAGE);
}

void CSPImageEditDlg::OnToolPaste() {
    BOOL bDone = FALSE;
    if (m_pBitmap != NULL && m_pBitmap->GetSafeHandle() != NULL && ::OpenClipboard(m_hWnd)) {
        HBITMAP hbmPasted = (HBITMAP)::GetClipboardData(CF_BITMAP);
        BITMAP bmp = {};
        CDC dcSrc, dcDst;
        if (hbmPasted != NULL && ::GetObject(hbmPasted, sizeof(bmp), &bmp) != 0 && dcSrc.CreateCompatibleDC(NULL) &&
            dcDst.CreateCompatibleDC(NULL)) {
            HGDIOBJ hOldSrc = ::SelectObject(dcSrc.GetSafeHdc(), hbmPasted);
            CBitmap* pOldDst = dcDst.SelectObject(m_pBitmap);
            if (hOldSrc != NULL && pOldDst != NULL) {
                dcDst.FillSolidRect(CRect(CPoint(0, 0), m_sizeImage), spGlobalData.clrBtnFace);
                // Centred, and clipped to the image: a larger picture gives
                // its top-left part.
                const int x = std::max(0, (int)(m_sizeImage.cx - bmp.bmWidth) / 2);
                const int y = std::max(0, (int)(m_sizeImage.cy - bmp.bmHeight) / 2);
                const int cx = std::min((int)bmp.bmWidth, (int)m_sizeImage.cx - x);
                const int cy = std::min((int)bmp.bmHeight, (int)m_sizeImage.cy - y);
                dcDst.BitBlt(x, y, cx, cy, &dcSrc, 0, 0, SRCCOPY);
                bDone = TRUE;
            }
            if (pOldDst != NULL) dcDst.SelectObject(pOldDst);
            if (hOldSrc != NULL) ::SelectObject(dcSrc.GetSafeHdc(), hOldSrc);
        }
        ::CloseClipboard();
    }
    if (!bDone) {
        ShowMessage(SP_IDS_CANT_PASTE_IMAGE);
        return;
    }
    m_wndLargeDrawArea.Invalidate();
    InvalidateRect(m_rectPreviewImage);
}

void CSPImageEditDlg::OnUpdateToolPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(::IsClipboardFormatAvailable(CF_BITMAP)); }

void CSPImageEditDlg::ClearImage() {
    if (m_pBitmap == NULL || m_pBitmap->GetSafeHandle() == NULL) return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(NULL)) return;
    CBitmap* pOld = dcMem.SelectObject(m_pBitmap);
    dcMem.FillSolidRect(CRect(CPoint(0, 0), m_sizeImage), spGlobalData.clrBtnFace);
    dcMem.SelectObject(pOld);
}

void CSPImageEditDlg::OnToolClear() {
    ClearImage();
    m_wndLargeDrawArea.Invalidate();
    InvalidateRect(m_rectPreviewImage);
}

LRESULT CSPImageEditDlg::OnKickIdle(WPARAM, LPARAM) {
    if (m_wndPaletteBar.GetSafeHwnd() != NULL) m_wndPaletteBar.OnUpdateCmdUI((CFrameWnd*)this, TRUE);
    return 0;
}
