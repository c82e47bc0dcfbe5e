// The colour bar on its own: which cell shows the selection, where the
// extra buttons and the document colours go, the palette, the tooltips and
// the fitting of the cells to a window.
#include "color_support.h"

#include <algorithm>
#include <string>

#include "ForcedBitsPerPixel.h"

using namespace colortest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
const COLORREF kOdd = RGB(1, 2, 3);
const COLORREF kNone = (COLORREF)-1;

CArray<COLORREF, COLORREF>& ThreeColors() {
    static CArray<COLORREF, COLORREF> colors;
    if (colors.GetSize() == 0) {
        colors.Add(kRed);
        colors.Add(kGreen);
        colors.Add(kBlue);
    }
    return colors;
}

// What a bar shows, as text: "A" automatic, "c" a cell, "d" a document
// cell, "L" the label, "O" the other button, "s" the swatch; upper case
// checked for cells, "-" for a button without a place.
std::string Describe(CSPColorBar& bar) {
    std::string s;
    for (CColorButton* p : Cells(bar)) {
        char c = p->m_bIsAutomatic ? 'a' : p->m_bIsOther ? 'o' : p->m_bIsLabel ? 'l'
                 : p->m_bIsOtherColor ? 's' : p->m_bIsDocument ? 'd' : 'c';
        if (p->m_bHighlight) c = (char)toupper(c);
        s += c;
        if (p->Rect().IsRectEmpty()) s += '-';
    }
    return s;
}

class ColorBarTest : public ColorTest {
protected:
    // A popup's bar as a child of the frame.
    CSPColorBar* Make(COLORREF selected, LPCTSTR lpszAuto, LPCTSTR lpszOther, LPCTSTR lpszDocs,
                      std::vector<COLORREF> docs, COLORREF automatic = kNone) {
        CList<COLORREF, COLORREF> lstDocs;
        for (COLORREF c : docs) lstDocs.AddTail(c);
        CSPColorBar* pBar = new CSPColorBar(ThreeColors(), selected, lpszAuto, lpszOther, lpszDocs, lstDocs, 3, -1, -1,
                                            automatic, ID_TEXT_COLOR, NULL);
        bars.push_back(pBar);
        if (!pBar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 100 + (UINT)bars.size())) return NULL;
        const CSize size = pBar->CalcSize(TRUE);
        pBar->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->AdjustLocations();
        return pBar;
    }
    std::vector<CSPColorBar*> bars;
    void TearDown() override {
        for (CSPColorBar* p : bars) {
            if (p->GetSafeHwnd() != NULL) p->DestroyWindow();
            delete p;
        }
        ColorTest::TearDown();
    }
};

TEST_F(ColorBarTest, SelectionShownInTheRightPlace) {
    struct Case {
        const char* name;
        COLORREF selected;
        LPCTSTR lpszAuto;
        std::vector<COLORREF> docs;
        const char* expected;
    } cases[] = {
        {"a cell", kGreen, NULL, {}, "cCcos-"},
        {"none of the cells: the swatch", kOdd, NULL, {}, "cccoS"},
        {"automatic with -1", kNone, _T("Automatic"), {}, "Acccos-"},
        {"automatic label, a cell", kBlue, _T("Automatic"), {}, "accCos-"},
        {"a document colour equal to a cell", kRed, NULL, {kRed, kOdd}, "Cccldd" "os-"},
        {"only a document colour", kOdd, NULL, {kRed, kOdd}, "cccldDos-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSPColorBar* pBar = Make(c.selected, c.lpszAuto, _T("More colours..."), _T("Document"), c.docs);
        ASSERT_NE(nullptr, pBar);
        EXPECT_EQ(std::string(c.expected), Describe(*pBar));
    }
}

TEST_F(ColorBarTest, ChoosingACellHidesTheSwatchAndLaysOutAgain) {
    CSPColorBar* pBar = Make(kOdd, NULL, _T("More colours..."), NULL, {});
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ("cccoS", Describe(*pBar));
    CColorButton* pOther = Cells(*pBar)[3];
    const int nOtherWidth = pOther->Rect().Width();
    pBar->SetColor(kBlue);
    EXPECT_EQ("ccCos-", Describe(*pBar));
    EXPECT_GT(pOther->Rect().Width(), nOtherWidth);  // the swatch's room goes to the other button
    pBar->SetColor(RGB(9, 9, 9));
    EXPECT_EQ("cccoS", Describe(*pBar));
    EXPECT_EQ(RGB(9, 9, 9), Cells(*pBar)[4]->m_Color);
}

TEST_F(ColorBarTest, EqualDocumentColoursDoNotRebuild) {
    CSPColorBar* pBar = Make(kRed, NULL, NULL, _T("Document"), {kGreen, kOdd});
    ASSERT_NE(nullptr, pBar);
    // a mark that a rebuilt button would not carry
    pBar->GetButton(0)->m_strTextCustom = _T("kept");
    CList<COLORREF, COLORREF> same;
    same.AddTail(kGreen);
    same.AddTail(kOdd);
    pBar->SetDocumentColors(_T("Document"), same, TRUE);
    EXPECT_EQ(CString("kept"), pBar->GetButton(0)->m_strTextCustom);
    same.AddTail(kBlue);
    pBar->SetDocumentColors(_T("Document"), same, TRUE);
    EXPECT_TRUE(pBar->GetButton(0)->m_strTextCustom.IsEmpty());
    EXPECT_EQ("Cccldd" "d", Describe(*pBar));
}

TEST_F(ColorBarTest, DocumentColoursOfADockedStandAloneBar) {
    CSPColorBar bar;
    ASSERT_TRUE(bar.CreateControl(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 120));
    CList<COLORREF, COLORREF> docs;
    docs.AddTail(kOdd);
    bar.SetDocumentColors(_T("Document"), docs, FALSE);
    bar.MoveWindow(0, 0, 300, 200);
    bar.AdjustLocations();
    EXPECT_TRUE(bar.IsTearOff());
    EXPECT_EQ(20, (int)Cells(bar).size() - 2);
    // docked: hidden, and no room taken for them
    EXPECT_TRUE(Cells(bar).back()->Rect().IsRectEmpty());
    const int nHeightHidden = bar.CalcSize(FALSE).cy;
    docs.AddTail(kRed);
    bar.SetDocumentColors(_T("Document"), docs, TRUE);
    bar.AdjustLocations();
    EXPECT_FALSE(Cells(bar).back()->Rect().IsRectEmpty());
    EXPECT_GT(bar.CalcSize(FALSE).cy, nHeightHidden);
    bar.DestroyWindow();
}

TEST_F(ColorBarTest, PalettesAndTheirBounds) {
    CArray<COLORREF, COLORREF> colors;
    EXPECT_EQ(20, CSPColorBar::ColorsFromPalette(NULL, colors));
    EXPECT_EQ(20, (int)colors.GetSize());

    CArray<COLORREF, COLORREF> many;
    for (int i = 0; i < 150; i++) many.Add(RGB(i, 255 - i, i / 2));
    CPalette palette;
    {
        ForcedBitsPerPixel bits(8);
        ASSERT_TRUE(CSPColorBar::CreatePalette(many, palette));
        EXPECT_EQ(100, palette.GetEntryCount());
        CArray<COLORREF, COLORREF> back;
        EXPECT_EQ(100, CSPColorBar::ColorsFromPalette(&palette, back));
        EXPECT_EQ(many[99], back[99]);
        CArray<COLORREF, COLORREF> none;
        EXPECT_FALSE(CSPColorBar::CreatePalette(none, palette));
        EXPECT_EQ(nullptr, palette.GetSafeHandle());
    }
    // Other depths have no palette.
    EXPECT_FALSE(CSPColorBar::CreatePalette(many, palette));
}

TEST_F(ColorBarTest, TooltipsAreHexUnlessNamed) {
    CColorButton cell(RGB(0, 128, 255));
    EXPECT_EQ(CString("Hex={00,80,FF}"), cell.GetTooltipText());
    CSPColorMenuButton::SetColorName(RGB(0, 128, 255), _T("Sky"));
    EXPECT_EQ(CString("Sky"), cell.GetTooltipText());
    CSPColorMenuButton::SetColorName(RGB(0, 128, 255), _T("Azure"));
    EXPECT_EQ(CString("Azure"), cell.GetTooltipText());
    CSPColorBar::ColorNames().RemoveKey(RGB(0, 128, 255));
    CColorButton automatic(kRed, TRUE, FALSE, _T("Automatic"));
    EXPECT_EQ(CString("Automatic"), automatic.GetTooltipText());

    CSPColorBar* pBar = Make(kRed, NULL, NULL, NULL, {});
    ASSERT_NE(nullptr, pBar);
    CString strTip;
    CColorButton* pGreen = Cells(*pBar)[1];
    EXPECT_TRUE(pBar->OnUserToolTip(pGreen, strTip));
    EXPECT_EQ(CString("Hex={00,FF,00}"), strTip);
    pGreen->m_nStyle |= TBBS_DISABLED;
    EXPECT_FALSE(pBar->OnUserToolTip(pGreen, strTip));
}

TEST_F(ColorBarTest, FittingEndsForEmptyAndTinyBars) {
    struct Case {
        const char* name;
        bool bEmpty;
        CSize sizeClient;
    } cases[] = {
        {"empty bar", true, CSize(200, 100)},
        {"tiny client area", false, CSize(3, 3)},
        {"no client area", false, CSize(0, 0)},
        {"roomy", false, CSize(300, 300)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CSPColorBar bar;
        if (c.bEmpty) {
            ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 130));
        } else {
            ASSERT_TRUE(bar.CreateControl(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 130));
        }
        bar.SetSPBarStyle(bar.GetSPBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
        bar.SetWindowPos(NULL, 0, 0, c.sizeClient.cx, c.sizeClient.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        bar.FitCellsToWindow(TRUE, TRUE);
        EXPECT_GE(bar.GetCellSize().cx, 1);
        EXPECT_EQ(bar.GetCellSize().cx, bar.GetCellSize().cy);
        if (c.name == std::string("roomy")) {
            CRect rectClient;
            bar.GetClientRect(rectClient);
            EXPECT_LE(bar.CalcSize(TRUE).cy, rectClient.Height());
            EXPECT_GT(bar.GetCellSize().cy, 16);
        }
        bar.DestroyWindow();
    }
}

TEST_F(ColorBarTest, CreateInRectFillsTheArea) {
    CSPColorBar bar;
    ASSERT_TRUE(bar.CreateInRect(frame, CRect(10, 10, 170, 110), 140));
    EXPECT_EQ(0u, bar.GetCommandID());
    CRect rectWindow;
    bar.GetWindowRect(rectWindow);
    EXPECT_EQ(CSize(160, 100), rectWindow.Size());
    // In a dialog area: neither gripper nor borders.
    EXPECT_EQ(0u, bar.GetControlBarStyle() & (CBRS_GRIPPER | CBRS_BORDER_ANY | CBRS_BORDER_3D));
    // what the visual managers read: a colour bar of its own, not a popup's
    const SPBarInfo info = SPClientHooks::GetBarInfo(&bar);
    EXPECT_TRUE(info.bColorBar);
    EXPECT_TRUE(info.bOnToolBar);
    CSPColorBar* pPopupBar = Make(kRed, NULL, NULL, NULL, {});
    ASSERT_NE(nullptr, pPopupBar);
    EXPECT_TRUE(SPClientHooks::GetBarInfo(pPopupBar).bColorBar);
    EXPECT_FALSE(SPClientHooks::GetBarInfo(pPopupBar).bOnToolBar);
    CRect rectClient;
    bar.GetClientRect(rectClient);
    const CSize size = bar.CalcSize(TRUE);
    EXPECT_LE(size.cx, rectClient.Width());
    EXPECT_LE(size.cy, rectClient.Height());
    // the cells sit centred
    EXPECT_NEAR((rectClient.Width() - size.cx) / 2, bar.GetCenteringOffset().x, 1);
    bar.DestroyWindow();
}

}  // namespace

namespace {

// The bar's record keeps its layout, labels, command and colours; a damaged
// colour count is refused before anything is allocated for it.
TEST_F(ColorBarTest, RecordRoundTripAndDamagedCount) {
    CSPColorBar* pBar = Make(kRed, _T("Automatic"), _T("More colours..."), NULL, {}, RGB(0, 0, 0));
    ASSERT_NE(nullptr, pBar);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pBar->Serialize(ar);
    }
    const ULONGLONG nLength = file.GetLength();
    file.SeekToBegin();
    CSPColorBar loaded;
    ASSERT_TRUE(loaded.Create(frame, WS_CHILD | CBRS_TOP, 150));
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ((UINT)ID_TEXT_COLOR, loaded.GetCommandID());
    EXPECT_FALSE(loaded.IsTearOff());
    // the selection is not stored: the automatic button shows it
    std::string kinds = Describe(loaded);
    kinds.erase(std::remove(kinds.begin(), kinds.end(), '-'), kinds.end());
    EXPECT_EQ("Acccos", kinds);

    // the colour count is the record's last number before the colours
    file.SetLength(nLength - 3 * sizeof(DWORD) - sizeof(int));
    file.SeekToEnd();
    const int nHuge = 0x7FFFFFF0;
    file.Write(&nHuge, sizeof(nHuge));
    file.SeekToBegin();
    bool bThrown = false;
    try {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    } catch (CException* e) {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    loaded.DestroyWindow();
}

}  // namespace
