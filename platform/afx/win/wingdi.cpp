// wingdi.cpp - GDI wrappers, device contexts, menus and the handle maps.
#include "afximpl.h"

// --- handle maps --------------------------------------------------------------

AFX_HANDLE_MAPS* AFXAPI AfxGetHandleMaps() {
    // One set per thread, as handles belong to threads; never freed, so that
    // objects destroyed late at process exit still find their map.
    static thread_local AFX_HANDLE_MAPS* s_pMaps = NULL;
    if (s_pMaps == NULL) s_pMaps = new AFX_HANDLE_MAPS;
    return s_pMaps;
}

void AFXAPI AfxDeleteTempMaps() {
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    AfxDeleteTempImageLists();
}

// --- CGdiObject -------------------------------------------------------------

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

static CGdiObject* NewTempGdiObject(HGDIOBJ h) {
    CGdiObject* p = new CGdiObject;
    p->m_hObject = h;
    return p;
}
static void ClearGdiObject(CGdiObject* p) { p->m_hObject = NULL; }

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
    return AfxGetHandleMaps()->gdi.FromHandle(hObject, &NewTempGdiObject);
}

void PASCAL CGdiObject::DeleteTempMap() { AfxGetHandleMaps()->gdi.DeleteTemp(&ClearGdiObject); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == NULL) return FALSE;
    if (m_hObject != NULL) DeleteObject();
    m_hObject = hObject;
    AfxGetHandleMaps()->gdi.SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL) AfxGetHandleMaps()->gdi.RemovePermanent(hObject, this);
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == NULL) return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int nIndex) {
    // Stock objects are not deleted; keep them out of the owning path.
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (h == NULL) return FALSE;
    if (m_hObject != NULL) DeleteObject();
    m_hObject = h;
    return TRUE;
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor)) AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor) {
    if (!CreateHatchBrush(nIndex, crColor)) AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap) {
    if (!CreatePatternBrush(pBitmap)) AfxThrowResourceException();
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return Attach(::CreatePatternBrush((HBITMAP)AfxGetSafeHandle(pBitmap)));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    lstrcpyn(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    HDC hDC = pDC != NULL ? pDC->m_hAttribDC : ::GetDC(NULL);
    LOGFONT lf = *lpLogFont;
    // lfHeight is in tenths of a point: to device units, then logical.
    POINT pt;
    pt.y = ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lf.lfHeight, 720);
    pt.x = 0;
    ::DPtoLP(hDC, &pt, 1);
    POINT ptOrg = {0, 0};
    ::DPtoLP(hDC, &ptOrg, 1);
    lf.lfHeight = -abs(pt.y - ptOrg.y);
    if (pDC == NULL) ::ReleaseDC(NULL, hDC);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmap(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(AfxGetSafeHdc(pDC))); }

// --- CDC --------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

static CDC* NewTempDC(HDC h) {
    CDC* p = new CDC;
    p->m_hDC = p->m_hAttribDC = h;
    return p;
}
static void ClearDC(CDC* p) { p->m_hDC = p->m_hAttribDC = NULL; }

CDC::~CDC() {
    if (m_hDC != NULL) DeleteDC();
}

CDC* PASCAL CDC::FromHandle(HDC hDC) { return AfxGetHandleMaps()->dc.FromHandle(hDC, &NewTempDC); }

void PASCAL CDC::DeleteTempMap() { AfxGetHandleMaps()->dc.DeleteTemp(&ClearDC); }

BOOL CDC::Attach(HDC hDC) {
    if (hDC == NULL) return FALSE;
    m_hDC = m_hAttribDC = hDC;
    AfxGetHandleMaps()->dc.SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC != NULL) AfxGetHandleMaps()->dc.RemovePermanent(hDC, this);
    m_hDC = m_hAttribDC = NULL;
    return hDC;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == NULL) return FALSE;
    return ::DeleteDC(Detach());
}

CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }

CGdiObject* CDC::SelectGdiObject(HGDIOBJ hObject) {
    if (hObject == NULL || m_hDC == NULL) return NULL;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    if (hOld == NULL || hOld == HGDI_ERROR) return NULL;
    return CGdiObject::FromHandle(hOld);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    COLORREF clrOld = ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
    ::SetBkColor(m_hDC, clrOld);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CBrush* PASCAL CDC::GetHalftoneBrush() {
    // One per process, never freed while the process runs.
    static CBrush* s_pBrush = NULL;
    if (s_pBrush == NULL) {
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++) grayPattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
        if (hBitmap == NULL) return NULL;
        CBrush* p = new CBrush;
        p->Attach(::CreatePatternBrush(hBitmap));
        ::DeleteObject(hBitmap);
        s_pBrush = p;
    }
    return s_pBrush;
}

// The outline of lpRect, size thick, as a region.
static void MakeOutlineRgn(CRgn& rgn, LPCRECT lpRect, SIZE size) {
    CRect rectInside = *lpRect;
    rectInside.InflateRect(-size.cx, -size.cy);
    rectInside.IntersectRect(rectInside, lpRect);
    CRgn rgnOutside, rgnInside;
    rgnOutside.CreateRectRgnIndirect(lpRect);
    rgnInside.CreateRectRgnIndirect(rectInside);
    rgn.CreateRectRgn(0, 0, 0, 0);
    rgn.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
}

// Inverts pRgn with pBrush (PATINVERT), so painting twice restores.
static void InvertRgnWith(CDC* pDC, CRgn* pRgn, CBrush* pBrush) {
    pDC->SelectClipRgn(pRgn);
    CRect rect;
    pDC->GetClipBox(&rect);
    CBrush* pBrushOld = pDC->SelectObject(pBrush);
    pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    if (pBrushOld != NULL) pDC->SelectObject(pBrushOld);
    pDC->SelectClipRgn(NULL);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
    if (pBrush == NULL) pBrush = CDC::GetHalftoneBrush();
    if (pBrushLast == NULL) pBrushLast = pBrush;
    if (pBrush == NULL) return;
    CRgn rgnNew;
    MakeOutlineRgn(rgnNew, lpRect, size);
    if (lpRectLast == NULL) {
        InvertRgnWith(this, &rgnNew, pBrush);
        return;
    }
    CRgn rgnLast;
    MakeOutlineRgn(rgnLast, lpRectLast, sizeLast);
    if (pBrush->m_hObject == pBrushLast->m_hObject) {
        // one step: where the outlines differ
        CRgn rgnUpdate;
        rgnUpdate.CreateRectRgn(0, 0, 0, 0);
        rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
        InvertRgnWith(this, &rgnUpdate, pBrush);
    } else {
        InvertRgnWith(this, &rgnLast, pBrushLast);
        InvertRgnWith(this, &rgnNew, pBrush);
    }
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd)) {
    if (!Attach(::BeginPaint(m_hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd)) {
    if (!Attach(::GetDC(m_hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(AfxGetSafeHwnd(pWnd)) {
    if (!Attach(::GetWindowDC(m_hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

// --- CMenu ------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMenu, CObject)

static CMenu* NewTempMenu(HMENU h) {
    CMenu* p = new CMenu;
    p->m_hMenu = h;
    return p;
}
static void ClearMenu(CMenu* p) { p->m_hMenu = NULL; }

CMenu::~CMenu() { DestroyMenu(); }

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu) {
    return AfxGetHandleMaps()->menu.FromHandle(hMenu, &NewTempMenu);
}

void PASCAL CMenu::DeleteTempMap() { AfxGetHandleMaps()->menu.DeleteTemp(&ClearMenu); }

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == NULL) return FALSE;
    m_hMenu = hMenu;
    AfxGetHandleMaps()->menu.SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL) AfxGetHandleMaps()->menu.RemovePermanent(hMenu, this);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == NULL) return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenu(hInst, lpszResourceName));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    int nLen = ::GetMenuString(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    nLen = ::GetMenuString(m_hMenu, nIDItem, rString.GetBuffer(nLen + 1), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return nLen;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
