#include "SPMenuImages.h"
#include "SPGlobalData.h"

namespace {
// The four collections, made on first use so that they exist whenever the
// global UI data (built at static start-up) asks for a clean-up.
struct MenuImageSet {
    CSPButtonImages images[4];  // black (base), grey, light grey, white
};
MenuImageSet* s_pSet = NULL;

struct MenuImageSetCleanUp {
    ~MenuImageSetCleanUp() {
        delete s_pSet;
        s_pSet = NULL;
    }
} s_setCleanUp;

MenuImageSet& Set() {
    if (s_pSet == NULL) s_pSet = new MenuImageSet;
    return *s_pSet;
}
}  // namespace

CSPButtonImages& CSPMenuImages::GetImages(int state) {
    if (state < ImageBlack || state > ImageWhite) state = ImageWhite;
    return Set().images[state];
}

BOOL CSPMenuImages::Initialize() {
    CSPButtonImages& base = GetImages(ImageBlack);
    if (base.GetImageWell() != NULL) return TRUE;

    CSPResourceScope scope;
    base.SetImageSize(CSize(9, 9));
    if (!base.Load(IDB_SP_MENU_IMAGES)) return FALSE;
    base.SetTransparentColor(RGB(255, 0, 255));

    static const COLORREF clrCopies[3] = {RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};
    for (int i = 0; i < 3; i++) {
        CSPButtonImages& copy = GetImages(ImageGray + i);
        base.CopyTo(copy);
        copy.MapTo3dColors(FALSE, RGB(0, 0, 0), clrCopies[i]);
    }
    for (int i = ImageBlack; i <= ImageWhite; i++) GetImages(i).MapTo3dColors(FALSE);
    return TRUE;
}

void CSPMenuImages::Draw(CDC* pDC, int id, const CPoint& ptImage, int state, const CSize& sizeImage) {
    if (pDC == NULL || !Initialize()) return;
    CSPButtonImages& images = GetImages(state);
    CSPDrawState ds;
    if (!images.PrepareDraw(ds, sizeImage)) return;
    images.Draw(pDC, ptImage.x, ptImage.y, id);
    images.EndDraw(ds);
}

int CSPMenuImages::s_nGlyphFont = -1;

BOOL CSPMenuImages::IsGlyphFontAvailable() {
    if (s_nGlyphFont < 0) {
        HDC hdc = ::GetDC(NULL);
        HGDIOBJ hOld = ::SelectObject(hdc, spGlobalData.fontMarlett.GetSafeHandle());
        char szFace[LF_FACESIZE] = {0};
        ::GetTextFaceA(hdc, sizeof(szFace), szFace);
        ::SelectObject(hdc, hOld);
        ::ReleaseDC(NULL, hdc);
        s_nGlyphFont = spGlobalData.fontMarlett.GetSafeHandle() != NULL && lstrcmpiA(szFace, strMarlettFont) == 0 ? 1 : 0;
    }
    return s_nGlyphFont == 1;
}

void CSPMenuImages::DrawGlyph(CDC* pDC, LPCTSTR lpszMarlett, int id, const CRect& rect, COLORREF clrText, int state) {
    if (pDC == NULL) return;
    if (IsGlyphFontAvailable()) {
        CFont* pOldFont = pDC->SelectObject(&spGlobalData.fontMarlett);
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rectText = rect;
        pDC->DrawText(lpszMarlett, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOld);
        pDC->SelectObject(pOldFont);
        return;
    }
    const CSize size = Size();
    Draw(pDC, id, CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2), state);
}

void CSPMenuImages::CleanUp() {
    if (s_pSet == NULL) return;
    if (GetImages(ImageBlack).GetCount() > 0) {
        for (int i = ImageBlack; i <= ImageWhite; i++) GetImages(i).Clear();
    }
}
