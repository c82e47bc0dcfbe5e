// SPToolBarCustomize.cpp - CSPToolBar while customising (customise mode, or
// Alt held): selecting, dragging buttons between bars by OLE drag and drop,
// resizing stretchable buttons, and the button context menu.
#include "SPToolBar.h"

#include "SPButtonAppearanceDlg.h"
#include "SPCustomizeButton.h"
#include "SPGlobalData.h"
#include "SPToolbarCustomize.h"
#include "SPButtonImages.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"

namespace {

// A small move of a button onto its own place starts or ends a group.
const int nGroupMove = 6;
// The right edge of a stretchable button within this many pixels resizes.
const int nStretchEdge = 7;
const int nMinStretchWidth = 5;
const int nMarkWidth = 6;

BOOL StillAlive(HWND hWnd, const CWnd* pWnd) {
    return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pWnd;
}

// The button appearance dialog for a button of the bar; TRUE on OK.
BOOL RunAppearanceDialog(CSPToolBar* pBar, CSPToolbarButton* pButton) {
    CSPResourceScope scope;
    CSPButtonAppearanceDlg dlg(pButton, CSPToolBar::m_pUserImages, pBar, 0, pBar->IsMenuMode());
    return dlg.DoModal() == IDOK;
}

}  // namespace

// --- the bar's OLE drop target ------------------------------------------------------------

BOOL CSPToolbarDropTarget::Register(CSPToolBar* pOwner) {
    m_pOwner = pOwner;
    if (pOwner == NULL) return FALSE;
    // Without OLE in this thread the bar still takes drops made through
    // its own operations.
    m_bRegistered = pOwner->GetSafeHwnd() != NULL && SUCCEEDED(::RegisterDragDrop(pOwner->GetSafeHwnd(), this));
    return TRUE;
}

void CSPToolbarDropTarget::Revoke() {
    if (m_bRegistered && m_pOwner != NULL && m_pOwner->GetSafeHwnd() != NULL) ::RevokeDragDrop(m_pOwner->GetSafeHwnd());
    m_bRegistered = FALSE;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropTarget::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == NULL) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = NULL;
    return E_NOINTERFACE;
}

static CPoint ClientPoint(CWnd* pWnd, POINTL pt) {
    CPoint point(pt.x, pt.y);
    pWnd->ScreenToClient(&point);
    return point;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropTarget::DragEnter(IDataObject* pData, DWORD dwKeyState, POINTL pt,
                                                          DWORD* pdwEffect) {
    m_pData = pData;
    if (pdwEffect != NULL) *pdwEffect = m_pOwner->OnDragEnter(pData, dwKeyState, ClientPoint(m_pOwner, pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropTarget::DragOver(DWORD dwKeyState, POINTL pt, DWORD* pdwEffect) {
    if (pdwEffect != NULL) *pdwEffect = m_pOwner->OnDragOver(m_pData, dwKeyState, ClientPoint(m_pOwner, pt));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropTarget::DragLeave() {
    m_pData = NULL;
    m_pOwner->OnDragLeave();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CSPToolbarDropTarget::Drop(IDataObject* pData, DWORD dwKeyState, POINTL pt,
                                                     DWORD* pdwEffect) {
    m_pData = NULL;
    const CPoint point = ClientPoint(m_pOwner, pt);
    DWORD dwEffect = m_pOwner->OnDragOver(pData, dwKeyState, point);
    if (dwEffect != DROPEFFECT_NONE && !m_pOwner->OnDrop(pData, dwEffect, point)) dwEffect = DROPEFFECT_NONE;
    if (pdwEffect != NULL) *pdwEffect = dwEffect;
    return S_OK;
}

// --- selecting, dragging and resizing --------------------------------------------------

BOOL CSPToolBar::OnCustomizeMode(BOOL bSet) {
    m_iButtonCapture = m_iHighlighted = m_iSelected = -1;
    m_iDragIndex = -1;
    m_pDragButton = NULL;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        pButton->OnCancelMode();
        HWND hwndControl = pButton->GetHwnd();
        if (hwndControl != NULL && !(pButton->m_nStyle & TBBS_DISABLED)) ::EnableWindow(hwndControl, !bSet);
    }
    return TRUE;
}

void CSPToolBar::OnCustomizeClick(int iButton, UINT nFlags, CPoint point) {
    const int iOldSelected = m_iSelected;
    m_iSelected = iButton;
    InvalidateButton(iOldSelected);
    CSPToolbarButton* pButton = GetButton(iButton);
    m_pDragButton = pButton;
    m_bIsDragCopy = (nFlags & MK_CONTROL) != 0;
    if (pButton == NULL || !pButton->IsEditable()) {
        // The Alt-drag flag stays until the next click on a button.
        m_iSelected = -1;
        m_pDragButton = NULL;
        return;
    }
    InvalidateButton(iButton);
    UpdateWindow();

    if (pButton->CanBeStretched() && abs(point.x - pButton->Rect().right) < nStretchEdge && !s_bAltCustomizing) {
        m_bStretchButton = TRUE;
        m_rectTrack = pButton->Rect();
        if (pButton->GetHwnd() != NULL) m_rectTrack.InflateRect(2, 2);
        m_pWndLastCapture = SetCapture();
        if (m_pWndLastCapture == this) m_pWndLastCapture = NULL;
        if (m_hcurStretch != NULL) ::SetCursor(m_hcurStretch);
        return;
    }

    if (pButton->CanBeStored() && pButton->OnBeforeDrag()) {
        COleDataSource source;
        if (pButton->PrepareDrag(source)) {
            ShowCommandMessageString(pButton->m_nID);
            m_DropSource.m_bDragStarted = FALSE;
            m_DropSource.m_bEscapePressed = FALSE;
            m_ptStartDrag = point;
            if (s_bAltCustomizing) g_bCustomizeMode = TRUE;

            const HWND hWnd = m_hWnd;
            const CRect rectButton = pButton->Rect();
            const DROPEFFECT dwEffect = DoButtonDragDrop(source, rectButton);
            if (!StillAlive(hWnd, this)) {
                // The bar went during its own drag: only the flags are ours.
                s_bAltCustomizing = FALSE;
                g_bCustomizeMode = FALSE;
                return;
            }

            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            ScreenToClient(&ptCursor);
            // A drop on this bar already moved the button (and cleared the
            // drag button).
            const int iSource = m_pDragButton != NULL ? ButtonToIndex(m_pDragButton) : -1;
            if (!m_DropSource.m_bDragStarted || rectButton.PtInRect(ptCursor)) {
                if (iSource >= 0) OnChangeHot(iSource);
            } else if (dwEffect != DROPEFFECT_COPY && !m_DropSource.m_bEscapePressed && iSource >= 0) {
                RemoveButton(iSource);
                m_iSelected = -1;
                AdjustLocations();
                Invalidate();
                AdjustSize();
            } else if (iSource >= 0) {
                InvalidateButton(iSource);
            }
            m_pDragButton = NULL;
            m_ptStartDrag = CPoint(-1, -1);
        } else {
            m_pDragButton = NULL;
        }
    } else {
        m_pDragButton = NULL;
    }

    if (s_bAltCustomizing) {
        s_bAltCustomizing = FALSE;
        SetCustomizeMode(FALSE);
        RedrawWindow();
    }
}

// The drag begins once the mouse leaves the button with its button held;
// a release first is a plain click.
DROPEFFECT CSPToolBar::DoButtonDragDrop(COleDataSource& source, const CRect& rectStart) {
    CRect rectScreen = rectStart;
    ClientToScreen(&rectScreen);
    for (;;) {
        if (!(::GetAsyncKeyState(VK_LBUTTON) & 0x8000)) return DROPEFFECT_NONE;
        CPoint pt;
        ::GetCursorPos(&pt);
        if (!rectScreen.PtInRect(pt)) break;
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&msg);
        ::Sleep(10);
    }
    m_DropSource.OnBeginDrag(this);
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectScreen, &m_DropSource);
}

void CSPToolBar::TrackStretch(CPoint point) {
    if (m_pDragButton == NULL) return;
    const CRect rectButton = m_pDragButton->Rect();
    if (point.x - rectButton.left < nMinStretchWidth) return;
    CRect rectNew(rectButton.left, m_rectTrack.top, point.x, m_rectTrack.bottom);
    CClientDC dc(this);
    dc.DrawDragRect(rectNew, CSize(2, 2), m_rectTrack, CSize(2, 2));
    m_rectTrack = rectNew;
    if (m_hcurStretch != NULL) ::SetCursor(m_hcurStretch);
}

void CSPToolBar::EndStretch(CPoint point) {
    CSPToolbarButton* pButton = m_pDragButton;
    if (pButton != NULL) {
        const CRect rectButton = pButton->Rect();
        const int nWidth = point.x - rectButton.left;
        if (nWidth >= nMinStretchWidth && abs(point.x - rectButton.right) > nGroupMove) {
            pButton->OnSize(nWidth);
            AdjustLayout();
        }
    }
    m_bStretchButton = FALSE;
    m_rectTrack.SetRectEmpty();
    m_pDragButton = NULL;
    ReleaseBarCapture();
    Invalidate();
    AdjustSize();
}

// --- drops ---------------------------------------------------------------------------------

DROPEFFECT CSPToolBar::OnDragEnter(IDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    m_iDragIndex = -1;
    m_DropSource.m_bDeleteOnDrop = FALSE;
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CSPToolBar::OnDragOver(IDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
    if (m_bLocked) return DROPEFFECT_NONE;
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pDataObject);
    const BOOL bAccepted = pButton != NULL && pButton->CanBeDropped(this);
    delete pButton;
    if (!bAccepted) return DROPEFFECT_NONE;

    m_bIsDragCopy = (dwKeyState & MK_CONTROL) != 0;
    if (m_pDragButton == NULL && m_iSelected >= 0) {
        const int iOld = m_iSelected;
        m_iSelected = -1;
        InvalidateButton(iOld);
    }

    CRect rectMark;
    const int iIndex = FindDropIndex(point, rectMark);
    m_iDragIndex = iIndex;
    if (rectMark != m_rectDrag) {
        CRect rectOld = m_rectDrag, rectNew = rectMark;
        rectOld.InflateRect(2, 2);
        rectNew.InflateRect(2, 2);
        m_rectDrag = rectMark;
        InvalidateRect(rectOld);
        InvalidateRect(rectNew);
        UpdateWindow();
    }

    const int iHit = HitTest(point);
    if (iHit != m_iHighlighted) {
        m_iHighlighted = iHit;
        OnChangeHot(iHit);
    }
    if (iIndex == -1) return DROPEFFECT_NONE;
    return m_bIsDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CSPToolBar::OnDragLeave() {
    m_iDragIndex = -1;
    CRect rectOld = m_rectDrag;
    rectOld.InflateRect(2, 2);
    if (GetSafeHwnd() != NULL) {
        InvalidateRect(rectOld);
        UpdateWindow();
    }
    m_rectDrag.SetRectEmpty();
    m_DropSource.m_bDeleteOnDrop = TRUE;
}

int CSPToolBar::FindDropIndex(CPoint point, CRect& rectMark) {
    rectMark.SetRectEmpty();
    CRect rectClient;
    GetClientRect(rectClient);
    const BOOL bHorz = (GetCurrentAlignment() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    if (point.y < 0) point.y = 0;

    const int nCount = GetCount();
    const int nStorable = (m_pCustomizeButton != NULL) ? nCount - 1 : nCount;
    int iIndex = -1;
    int nEdge = 0;
    if (nStorable <= 0) {
        iIndex = 0;
        nEdge = bHorz ? rectClient.left + nMarkWidth / 2 : rectClient.top + nMarkWidth / 2;
    } else if (!bHorz) {
        int i = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL && iIndex < 0; i++) {
            const CRect rect = ((CSPToolbarButton*)m_Buttons.GetNext(pos))->Rect();
            if (point.y < rect.top) {
                iIndex = i;
                nEdge = rect.top;
            } else if (point.y < rect.bottom) {
                const BOOL bBefore = point.y - rect.top <= rect.bottom - point.y;
                iIndex = bBefore ? i : i + 1;
                nEdge = bBefore ? rect.top : rect.bottom;
            }
        }
    } else {
        iIndex = FindDropIndexInRows(point, nEdge);
    }
    if (iIndex < 0) return -1;
    if (m_pCustomizeButton != NULL && iIndex >= nCount) iIndex = nCount - 1;

    if (bHorz)
        rectMark.SetRect(nEdge - nMarkWidth / 2, rectClient.top, nEdge + nMarkWidth / 2, rectClient.bottom);
    else
        rectMark.SetRect(rectClient.left, nEdge - nMarkWidth / 2, rectClient.right, nEdge + nMarkWidth / 2);
    rectMark.IntersectRect(rectMark, rectClient);
    return iIndex;
}

// The target row is counted from the shown buttons' rows; a point right of
// a row's last button lands after it.
int CSPToolBar::FindDropIndexInRows(CPoint point, int& nEdge) {
    CArray<int, int> rowFirst;  // index of each row's first shown button
    CArray<int, int> rowLast;
    CArray<CRect, const CRect&> rowLastRect, rowFirstRect;
    CRect rectPrev;
    BOOL bFirst = TRUE;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL; i++) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton->IsHidden() || pButton == m_pCustomizeButton) continue;
        const CRect rect = pButton->Rect();
        if (bFirst || rect.top >= rectPrev.bottom) {
            rowFirst.Add(i);
            rowFirstRect.Add(rect);
            rowLast.Add(i);
            rowLastRect.Add(rect);
        } else {
            rowLast[rowLast.GetSize() - 1] = i;
            rowLastRect[rowLastRect.GetSize() - 1] = rect;
        }
        rectPrev = rect;
        bFirst = FALSE;
    }
    const int nRows = (int)rowFirst.GetSize();
    if (nRows == 0) return -1;
    const int nRowHeight = GetRowHeight();
    const int nGap = nRows > 1 ? rowFirstRect[1].top - rowLastRect[0].bottom : nRowHeight;
    const int nStep = std::max(1, nRowHeight + nGap);
    const int iRow = (point.y - rowFirstRect[0].top) / nStep;
    if (point.y < rowFirstRect[0].top || iRow >= nRows) return point.y < rowFirstRect[0].top && nRows > 0 ? 0 : -1;

    for (int j = rowFirst[iRow]; j <= rowLast[iRow]; j++) {
        CSPToolbarButton* pButton = GetButton(j);
        if (pButton->IsHidden() || pButton == m_pCustomizeButton) continue;
        const CRect rect = pButton->Rect();
        if (point.x < rect.left) {
            nEdge = rect.left;
            return j;
        }
        if (point.x < rect.right) {
            const BOOL bBefore = point.x - rect.left <= rect.right - point.x;
            nEdge = bBefore ? rect.left : rect.right;
            return bBefore ? j : j + 1;
        }
    }
    nEdge = rowLastRect[iRow].right;
    return rowLast[iRow] + 1;
}

CSPToolbarButton* CSPToolBar::CreateDroppedButton(IDataObject* pDataObject) {
    CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == NULL) return NULL;
    const int iTab = pButton->m_strText.Find('\t');
    if (iTab >= 0) pButton->m_strText = pButton->m_strText.Left(iTab);
    if (pButton->m_bDragFromCollection) {
        pButton->m_bText = FALSE;
        pButton->m_bImage = TRUE;
        // A command with neither image nor text gets one in the appearance
        // dialog, or is not dropped.
        if (pButton->GetImage() < 0 && pButton->m_strText.IsEmpty() && !RunAppearanceDialog(this, pButton)) {
            delete pButton;
            return NULL;
        }
    }
    if (pButton->GetImage() < 0) {
        pButton->m_bText = TRUE;
        pButton->m_bImage = FALSE;
    }
    return pButton;
}

BOOL CSPToolBar::OnDrop(IDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
    int iDropAt = m_iDragIndex;
    if (iDropAt < 0) return FALSE;
    CSPToolbarButton* pSource = m_pDragButton;
    m_pDragButton = NULL;
    OnDragLeave();
    m_DropSource.m_bDeleteOnDrop = FALSE;

    CSPToolbarButton* pButton = CreateDroppedButton(pDataObject);
    if (pButton == NULL) return FALSE;
    pButton->m_bDragFromCollection = FALSE;

    const int iSource = pSource != NULL ? ButtonToIndex(pSource) : -1;
    if (iSource >= 0 && dropEffect != DROPEFFECT_COPY) {
        if (iDropAt == iSource || iDropAt == iSource + 1) {
            delete pButton;
            MoveOnOwnPlace(iSource, point);
            return TRUE;
        }
        RemoveButton(iSource);
        if (iDropAt > iSource) iDropAt--;
        if (iDropAt > GetCount()) iDropAt = GetCount();
    }

    if (InsertButton(pButton, iDropAt) < 0) {
        delete pButton;
        return FALSE;
    }
    AdjustLayout();
    m_iSelected = -1;
    Invalidate();
    return TRUE;
}

// A button dropped on its own place: moved along the bar it starts a
// group, moved back it ends one.
void CSPToolBar::MoveOnOwnPlace(int iSource, CPoint point) {
    if (iSource == 0) return;
    const BOOL bHorz = IsHorizontalAligned();
    const int nMove = bHorz ? point.x - m_ptStartDrag.x : point.y - m_ptStartDrag.y;
    if (abs(nMove) < nGroupMove) return;
    CSPToolbarButton* pPrev = GetButton(iSource - 1);
    const BOOL bSeparatorBefore = pPrev != NULL && pPrev->IsSeparator();
    BOOL bChanged = FALSE;
    if (nMove > 0 && !bSeparatorBefore)
        bChanged = InsertSeparator(iSource) >= 0;
    else if (nMove < 0 && bSeparatorBefore)
        bChanged = RemoveButton(iSource - 1);
    if (!bChanged) return;
    AdjustLayout();
    m_iSelected = -1;
    Invalidate();
}

BOOL CSPToolbarButton::PrepareDrag(COleDataSource& source) {
    HGLOBAL hData = PrepareDragData();
    if (hData == NULL) return FALSE;
    source.CacheGlobalData((CLIPFORMAT)GetClipboardFormat(), hData);
    return TRUE;
}

// --- the button context menu ------------------------------------------------------------

void CSPToolBar::OnContextMenu(CWnd* pWnd, CPoint point) {
    if (IsTracking()) return;
    if (m_bLocked && g_bCustomizeMode) {
        ::MessageBeep((UINT)-1);
        return;
    }
    OnChangeHot(-1);
    if (!g_bCustomizeMode) {
        CSPBaseToolBar::OnContextMenu(pWnd, point);
        return;
    }

    SetFocus();
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    const int iOldSelected = m_iSelected;
    m_iSelected = HitTest(ptClient);
    InvalidateButton(iOldSelected);
    InvalidateButton(m_iSelected);
    CSPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == NULL) return;
    if (!pButton->IsEditable()) {
        m_iSelected = -1;
        InvalidateButton(iOldSelected);
        return;
    }
    if (!pButton->CanBeStored()) return;

    if (point == CPoint(-1, -1)) {
        point = CPoint(5, 5);
        ClientToScreen(&point);
    }
    CMenu menu;
    {
        CSPResourceScope scope;
        if (!menu.LoadMenu(SP_IDR_BUTTON_MENU)) return;
    }
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL) return;
    if (pButton->IsLocked()) pPopup->EnableMenuItem(SP_IDC_RESET_IMAGE, MF_BYCOMMAND | MF_GRAYED);
    if (EnableContextMenuItems(pButton, pPopup))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

BOOL CSPToolBar::EnableContextMenuItems(CSPToolbarButton* pButton, CMenu* pPopup) {
    if (pButton->OnEnableContextMenuItems(pPopup)) return TRUE;
    const BOOL bHorz = IsHorizontalAligned();
    const BOOL bTextBelow = pButton->m_bTextBelow && bHorz;
    if (!pButton->m_bImage || !pButton->IsImageValid())
        pPopup->EnableMenuItem(SP_IDC_COPY_IMAGE, MF_BYCOMMAND | MF_GRAYED);
    if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        pPopup->EnableMenuItem(SP_IDC_RESET_IMAGE, MF_BYCOMMAND | MF_GRAYED);
    UINT nChecked = SP_IDC_IMAGE;
    if ((pButton->m_bText || bTextBelow) && pButton->m_bImage)
        nChecked = SP_IDC_IMAGE_AND_TEXT;
    else if (pButton->m_bText)
        nChecked = SP_IDC_TEXT;
    pPopup->CheckMenuItem(nChecked, MF_BYCOMMAND | MF_CHECKED);
    if (bTextBelow) pPopup->EnableMenuItem(SP_IDC_IMAGE, MF_BYCOMMAND | MF_GRAYED);
    if (m_bMenuMode) {
        pPopup->EnableMenuItem(SP_IDC_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        pPopup->EnableMenuItem(SP_IDC_TEXT, MF_BYCOMMAND | MF_GRAYED);
        pPopup->EnableMenuItem(SP_IDC_IMAGE_AND_TEXT, MF_BYCOMMAND | MF_GRAYED);
        pButton->m_bText = TRUE;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex <= 0) {
        pPopup->EnableMenuItem(SP_IDC_START_GROUP, MF_BYCOMMAND | MF_GRAYED);
    } else {
        CSPToolbarButton* pPrev = GetButton(iIndex - 1);
        if (pPrev != NULL && pPrev->IsSeparator()) pPopup->CheckMenuItem(SP_IDC_START_GROUP, MF_BYCOMMAND | MF_CHECKED);
    }
    return TRUE;
}

// Gives the selected button a text from its string resource; FALSE when it
// has none.
BOOL CSPToolBar::EnsureSelectedText(CSPToolbarButton* pButton) {
    if (pButton->m_strText.IsEmpty()) SetButtonTextFromResource(m_iSelected);
    return !pButton->m_strText.IsEmpty();
}

void CSPToolBar::OnCustomizeCommand(UINT nID) {
    CSPToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == NULL) return;
    switch (nID) {
    case SP_IDC_RESET_IMAGE: {
        int iImage = -1;
        if (m_DefaultImages.Lookup(pButton->m_nID, iImage)) {
            pButton->m_bUserButton = FALSE;
            pButton->SetImage(iImage);
            pButton->m_bImage = TRUE;
        } else {
            pButton->m_bImage = FALSE;
        }
        pButton->m_bText = m_bMenuMode || !pButton->m_bImage;
        SetButtonTextFromResource(m_iSelected);
        break;
    }
    case SP_IDC_COPY_IMAGE: {
        // The image goes to the clipboard as a bitmap; a user tool's icon
        // as the tool shows it. The bar itself does not change.
        CSPUserTool* pTool = NULL;
        if (!pButton->m_bUserButton && g_pUserToolsManager != NULL) pTool = g_pUserToolsManager->FindTool(pButton->m_nID);
        if (pTool != NULL) {
            pTool->CopyIconToClipboard();
            return;
        }
        CWaitCursor wait;
        CSPButtonImages* pImages = pButton->m_bUserButton ? m_pUserImages : &m_Images;
        if (pImages != NULL) pImages->CopyImageToClipboard(pButton->GetImage());
        return;
    }
    case SP_IDC_DELETE:
        RemoveButton(m_iSelected);
        m_iSelected = -1;
        break;
    case SP_IDC_APPEARANCE:
        if (pButton->m_strText.IsEmpty()) SetButtonTextFromResource(m_iSelected);
        if (!RunAppearanceDialog(this, pButton)) return;
        break;
    case SP_IDC_IMAGE: {
        const BOOL bText = pButton->m_bText, bImage = pButton->m_bImage;
        pButton->m_bText = FALSE;
        pButton->m_bImage = TRUE;
        if (!pButton->IsImageValid() && !RunAppearanceDialog(this, pButton)) {
            pButton->m_bText = bText;
            pButton->m_bImage = bImage;
            return;
        }
        break;
    }
    case SP_IDC_TEXT:
        pButton->m_bText = TRUE;
        pButton->m_bImage = FALSE;
        if (!EnsureSelectedText(pButton)) {
            ::MessageBeep((UINT)-1);
            pButton->m_bText = FALSE;
            pButton->m_bImage = TRUE;
        }
        break;
    case SP_IDC_IMAGE_AND_TEXT: {
        const BOOL bText = pButton->m_bText, bImage = pButton->m_bImage;
        pButton->m_bText = pButton->m_bImage = TRUE;
        if (!pButton->IsImageValid() && !RunAppearanceDialog(this, pButton)) {
            pButton->m_bText = bText;
            pButton->m_bImage = bImage;
            return;
        }
        if (!EnsureSelectedText(pButton)) {
            ::MessageBeep((UINT)-1);
            pButton->m_bText = bText;
            pButton->m_bImage = bImage;
        }
        break;
    }
    case SP_IDC_START_GROUP: {
        CSPToolbarButton* pPrev = GetButton(m_iSelected - 1);
        if (pPrev != NULL && pPrev->IsSeparator()) {
            RemoveButton(m_iSelected - 1);
            m_iSelected = ButtonToIndex(pButton);
        } else if (InsertSeparator(m_iSelected) >= 0) {
            m_iSelected++;
        }
        break;
    }
    default:
        return;
    }
    AdjustLayout();
    Invalidate();
}

// --- the customise button -----------------------------------------------------------------

BOOL CSPToolBar::EnableCustomizeButton(BOOL bEnable, int iCustomizeCmd, const CString& strCustomizeText) {
    if (!bEnable) {
        if (m_pCustomizeButton == NULL) return FALSE;
        RemoveButton(ButtonToIndex(m_pCustomizeButton));
        AdjustLayout();
        return TRUE;
    }
    if (m_pCustomizeButton != NULL) return FALSE;
    CCustomizeButton* pButton = new CCustomizeButton(iCustomizeCmd, strCustomizeText);
    m_pCustomizeButton = pButton;
    if (InsertButton(pButton, -1) < 0) {
        m_pCustomizeButton = NULL;
        delete pButton;
        return FALSE;
    }
    AdjustLayout();
    return TRUE;
}

void CSPToolBar::LayoutCustomizeButton(const CRect& rectClient, BOOL bHorz) {
    CCustomizeButton* pCustomize = DYNAMIC_DOWNCAST(CCustomizeButton, m_pCustomizeButton);
    if (pCustomize == NULL) return;
    pCustomize->GetHiddenButtons().RemoveAll();
    pCustomize->SetEmpty(FALSE);
    CClientDC dc(this);
    const CSize size = pCustomize->OnCalculateSize(&dc, CSize(GetColumnWidth(), GetRowHeight()), bHorz);
    if (size.cx == 0 || size.cy == 0) {
        pCustomize->SetRect(CRect(0, 0, 0, 0));
        return;
    }
    const int nFar = (bHorz ? rectClient.right : rectClient.bottom) - (bHorz ? size.cx : size.cy);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != NULL;) {
        CSPToolbarButton* pButton = (CSPToolbarButton*)m_Buttons.GetNext(pos);
        if (pButton == pCustomize) continue;
        const CRect rect = pButton->Rect();
        const BOOL bFits = (bHorz ? rect.right : rect.bottom) <= nFar;
        if (bFits) continue;
        if (!pButton->m_bHidden) {
            pButton->m_bHidden = TRUE;
            pButton->OnShow(FALSE);
        }
        pCustomize->GetHiddenButtons().AddTail(pButton);
    }
    if (pCustomize->GetHiddenButtons().IsEmpty() && pCustomize->GetCustomizeCmdId() <= 0) {
        pCustomize->SetEmpty(TRUE);
        pCustomize->SetRect(CRect(0, 0, 0, 0));
        return;
    }
    pCustomize->SetRect(bHorz ? CRect(nFar, rectClient.top, nFar + size.cx, rectClient.top + size.cy)
                              : CRect(rectClient.left, nFar, rectClient.left + size.cx, nFar + size.cy));
}

BOOL CSPToolBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) {
    const BOOL bResult = CSPBaseToolBar::ShowControlBar(bShow, bDelay, bActivate);
    if (g_pWndCustomize != NULL) g_pWndCustomize->ShowToolBar(this, bShow);
    return bResult;
}
