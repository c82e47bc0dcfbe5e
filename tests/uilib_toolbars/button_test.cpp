// The button object: measuring, editable ranges, its record and drag data.
#include "toolbar_support.h"

#include "MemoryDC.h"
#include "SPColorMenuButton.h"
#include "SPCommandManager.h"
#include "SPGlobalData.h"
#include "SPToolbarComboBoxButton.h"
#include "SPToolbarEditBoxButton.h"
#include "SPToolbarMenuButton.h"
#include "SPVisualManager.h"

using namespace tbtest;

namespace {

class ToolbarButtonTest : public ::testing::Test {
protected:
    void SetUp() override { SPGetCommandManager()->ClearAllCmdImages(); }
    void TearDown() override { SPGetCommandManager()->ClearAllCmdImages(); }
};

// Drag data of a class and raw record bytes, as another program might send.
HGLOBAL DragDataOf(const CRuntimeClass* pClass, const void* pRecord, UINT cbRecord) {
    CSharedFile file;
    CArchive ar(&file, CArchive::store);
    ar.WriteClass(pClass);
    ar.Write(pRecord, cbRecord);
    ar.Close();
    return file.Detach();
}

}  // namespace

TEST_F(ToolbarButtonTest, SeparatorsAndTextsAreMeasured) {
    MemoryDC mem(50, 50);
    CFont* pOld = mem.dc.SelectObject(&spGlobalData.fontRegular);
    CSPToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.SetImage(0);
    EXPECT_EQ(CSize(8, 22), CSize(separator.OnCalculateSize(&mem.dc, CSize(23, 22), TRUE)));
    EXPECT_EQ(CSize(23, 8), CSize(separator.OnCalculateSize(&mem.dc, CSize(23, 22), FALSE)));
    separator.SetImage(12);
    EXPECT_EQ(12, separator.OnCalculateSize(&mem.dc, CSize(23, 22), TRUE).cx);

    // "&&" is one literal ampersand, a lone "&" marks the mnemonic.
    EXPECT_EQ(CString("Save & Close"), CSPToolbarButton::StripMnemonics("&Save && Close"));
    CSPToolbarButton text(ID_SAVE, 3, "&Save && Close");
    text.m_bText = TRUE;
    const int nExtent = mem.dc.GetTextExtent("Save & Close").cx;
    EXPECT_EQ(23 + nExtent + 9, text.OnCalculateSize(&mem.dc, CSize(23, 22), TRUE).cx);
    EXPECT_EQ(22 + nExtent + 9, text.OnCalculateSize(&mem.dc, CSize(23, 22), FALSE).cy);
    mem.dc.SelectObject(pOld);
}

TEST_F(ToolbarButtonTest, ImageComesFromTheCommandManager) {
    SPGetCommandManager()->SetCmdImage(ID_OPEN, 4, FALSE);
    CSPToolbarButton known(ID_OPEN, -1);
    EXPECT_EQ(4, known.GetImage());
    EXPECT_TRUE(known.m_bImage);
    CSPToolbarButton unknown(ID_PRINT, -1);
    EXPECT_LT(unknown.GetImage(), 0);
    EXPECT_FALSE(unknown.m_bImage);
    EXPECT_TRUE(unknown.m_bText);
    // A locked button keeps its image to itself.
    CSPToolbarButton locked(ID_SAVE, 7, NULL, FALSE, TRUE);
    EXPECT_EQ(-1, SPGetCommandManager()->GetCmdImage(ID_SAVE, FALSE));
}

TEST_F(ToolbarButtonTest, EditableRanges) {
    const struct {
        UINT id;
        BOOL editable;
    } cases[] = {{0xE110, FALSE}, {0xE11F, FALSE}, {0xE120, TRUE},  {0xF000, FALSE}, {0xF1EF, FALSE},
                 {0xF1F0, TRUE},  {0xE210, FALSE}, {0xFF00, FALSE}, {0x80000000, TRUE}, {ID_OPEN, TRUE}};
    for (const auto& c : cases) {
        CSPToolbarButton button(c.id, 0, NULL, FALSE, TRUE);
        EXPECT_EQ(c.editable, button.IsEditable()) << std::hex << c.id;
    }
    CList<UINT, UINT> protectedIds;
    protectedIds.AddTail(ID_OPEN);
    CSPToolbarButton::SetProtectedCommands(protectedIds);
    EXPECT_FALSE(CSPToolbarButton(ID_OPEN, 0, NULL, FALSE, TRUE).IsEditable());
    protectedIds.RemoveAll();
    CSPToolbarButton::SetProtectedCommands(protectedIds);
}

TEST_F(ToolbarButtonTest, DragDataRoundTrip) {
    CSPToolbarButton button(ID_SAVE, 5, "&Save");
    button.m_nStyle = TBBS_CHECKBOX | TBBS_CHECKED;
    button.m_bText = TRUE;
    button.m_strTextCustom = "not carried";
    button.SetRect(CRect(1, 2, 3, 4));
    HGLOBAL hData = button.PrepareDragData();
    ASSERT_TRUE(hData != NULL);
    std::unique_ptr<CSPToolbarButton> copy(CSPToolbarButton::CreateFromDragData(hData));
    ::GlobalFree(hData);
    ASSERT_TRUE(copy != NULL);
    EXPECT_EQ(RUNTIME_CLASS(CSPToolbarButton), copy->GetRuntimeClass());
    EXPECT_EQ((UINT)ID_SAVE, copy->m_nID);
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), copy->m_nStyle);
    EXPECT_EQ(5, copy->GetImage());
    EXPECT_EQ(CString("&Save"), copy->m_strText);
    EXPECT_TRUE(copy->m_bText);
    EXPECT_TRUE(copy->m_bImage);
    EXPECT_TRUE(copy->m_strTextCustom.IsEmpty());
    EXPECT_TRUE(copy->Rect().IsRectNull());

    // A derived kind comes back as that kind.
    CSPToolbarMenuButton menuButton;
    hData = menuButton.PrepareDragData();
    std::unique_ptr<CSPToolbarButton> menuCopy(CSPToolbarButton::CreateFromDragData(hData));
    ::GlobalFree(hData);
    ASSERT_TRUE(menuCopy != NULL);
    EXPECT_TRUE(menuCopy->IsKindOf(RUNTIME_CLASS(CSPToolbarMenuButton)));
}

TEST_F(ToolbarButtonTest, BadDragDataGivesNoButton) {
    EXPECT_EQ(NULL, CSPToolbarButton::CreateFromDragData(NULL));

    // Cut short inside the record.
    CSPToolbarButton button(ID_SAVE, 5, "Save");
    HGLOBAL hData = button.PrepareDragData();
    ASSERT_TRUE(hData != NULL);
    CMemFile whole;
    {
        BYTE* p = (BYTE*)::GlobalLock(hData);
        whole.Write(p, (UINT)::GlobalSize(hData));
        ::GlobalUnlock(hData);
    }
    ::GlobalFree(hData);
    BYTE* pWhole = whole.Detach();
    // The record is 55 bytes: class tag 22, then id, style, image, text, flags.
    for (DWORD cb : {(DWORD)1, (DWORD)6, (DWORD)30, (DWORD)50}) {
        HGLOBAL hShort = ::GlobalAlloc(GMEM_MOVEABLE, cb);
        memcpy(::GlobalLock(hShort), pWhole, cb);
        ::GlobalUnlock(hShort);
        EXPECT_EQ(NULL, CSPToolbarButton::CreateFromDragData(hShort)) << cb;
        ::GlobalFree(hShort);
    }
    free(pWhole);

    // A class that is no button (a toolbar would be a window), and a name
    // that this program does not know.
    const DWORD record[8] = {ID_SAVE, 0, 0, 0, 0, 0, 0, 1};
    HGLOBAL hBar = DragDataOf(RUNTIME_CLASS(CSPToolBar), record, sizeof(record));
    EXPECT_EQ(NULL, CSPToolbarButton::CreateFromDragData(hBar));
    ::GlobalFree(hBar);
    const BYTE foreign[] = {0xFF, 0xFF, 1, 0, 7, 0, 'C', 'F', 'o', 'r', 'e', 'i', 'g', 0, 0, 0, 0};
    HGLOBAL hForeign = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(foreign));
    memcpy(::GlobalLock(hForeign), foreign, sizeof(foreign));
    ::GlobalUnlock(hForeign);
    EXPECT_EQ(NULL, CSPToolbarButton::CreateFromDragData(hForeign));
    ::GlobalFree(hForeign);
}

TEST_F(ToolbarButtonTest, DragDataThroughAnOleDataObject) {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    auto offer = [](UINT cf, HGLOBAL hData) {
        ASSERT_TRUE(::OpenClipboard(NULL));
        ::EmptyClipboard();
        ASSERT_TRUE(::SetClipboardData(cf, hData) != NULL);
        ::CloseClipboard();
    };
    auto read = []() {
        IDataObject* pData = NULL;
        EXPECT_EQ(S_OK, ::OleGetClipboard(&pData));
        CSPToolbarButton* pButton = CSPToolbarButton::CreateFromOleData(pData);
        if (pData != NULL) pData->Release();
        return std::unique_ptr<CSPToolbarButton>(pButton);
    };

    CSPToolbarButton button(ID_PRINT, 2, "Print");
    button.m_bText = TRUE;
    offer(CSPToolbarButton::GetClipboardFormat(), button.PrepareDragData());
    std::unique_ptr<CSPToolbarButton> copy = read();
    ASSERT_TRUE(copy != NULL);
    EXPECT_EQ((UINT)ID_PRINT, copy->m_nID);
    EXPECT_EQ(CString("Print"), copy->m_strText);
    EXPECT_EQ(2, copy->GetImage());

    // A data object without button data.
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 2);
    memcpy(::GlobalLock(hText), "x", 2);
    ::GlobalUnlock(hText);
    offer(CF_TEXT, hText);
    EXPECT_TRUE(read() == NULL);
    EXPECT_EQ(NULL, CSPToolbarButton::CreateFromOleData((IDataObject*)NULL));
    ::OleUninitialize();
}

TEST_F(ToolbarButtonTest, ClipboardFormatIsRegisteredOnce) {
    const UINT cf = CSPToolbarButton::GetClipboardFormat();
    EXPECT_NE(0u, cf);
    EXPECT_EQ(cf, CSPToolbarButton::GetClipboardFormat());
    char name[64] = {0};
    ::GetClipboardFormatNameA(cf, name, sizeof(name));
    CString expected;
    expected.Format("SToolbarButton%lx", (long)(LONG_PTR)AfxGetInstanceHandle());
    EXPECT_EQ(expected, CString(name));
}

TEST(ToolbarDropSourceTest, CursorsAndDragDecisions) {
    CSPToolbarDropSource& source = CSPToolBar::m_DropSource;
    EXPECT_TRUE(source.m_bDeleteOnDrop);
    ASSERT_TRUE(source.OnBeginDrag(NULL));
    EXPECT_TRUE(source.m_bDragStarted);
    ASSERT_TRUE(source.m_hcurCopy != NULL);
    ASSERT_TRUE(source.m_hcurMove != NULL);
    ASSERT_TRUE(source.m_hcurDelete != NULL);
    EXPECT_NE(source.m_hcurCopy, source.m_hcurMove);

    const struct {
        DWORD effect;
        HCURSOR cursor;
    } feedback[] = {{DROPEFFECT_COPY, source.m_hcurCopy},
                    {DROPEFFECT_MOVE, source.m_hcurMove},
                    {DROPEFFECT_NONE, source.m_hcurDelete}};
    for (const auto& f : feedback) {
        EXPECT_EQ(S_OK, source.GiveFeedback(f.effect)) << f.effect;
        EXPECT_EQ(f.cursor, ::GetCursor()) << f.effect;
    }

    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON));
    EXPECT_EQ(DRAGDROP_S_DROP, source.QueryContinueDrag(FALSE, 0));
    EXPECT_EQ(S_OK, source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ((DWORD)(MK_LBUTTON | MK_CONTROL), source.m_dwKeyState);
}

// A line of the customisation commands list as each kind draws it: the
// text after the image cell, a menu's arrow and divider at the right end
// (a colour button counts as a menu), a combo box and an edit box painted
// in the width left, the selected line filled from after the image.
TEST_F(ToolbarButtonTest, CustomizeListLinesOfEachKind) {
    CSPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSPVisualManager));
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const CRect rectLine(0, 0, 220, 22);
    const int cxCell = CSPToolBar::m_sizeImage.cx + 6;
    HMENU hItems = ::CreatePopupMenu();
    ::AppendMenuA(hItems, MF_STRING, 901, "Inner");

    CSPToolbarButton plain(901, -1, _T("Plain"));
    CSPToolbarMenuButton menu(0, hItems, -1, _T("Menu"));
    CSPToolbarMenuButton command(902, NULL, -1, _T("Command"));
    CSPColorMenuButton colour(903, _T("Colour"));
    CSPToolbarComboBoxButton combo(904, -1);
    combo.m_strText = _T("Combo");
    CSPToolbarEditBoxButton edit(905, -1);
    edit.m_strText = _T("Edit");
    const struct {
        const char* name;
        CSPToolbarButton* pButton;
        bool bArrow;
        bool bField;
    } cases[] = {{"plain", &plain, false, false},   {"menu", &menu, true, false},
                 {"command", &command, false, false}, {"colour", &colour, true, false},
                 {"combo", &combo, false, true},    {"edit", &edit, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDC mem(rectLine.Width(), rectLine.Height());
        mem.Fill(rectLine, RGB(1, 2, 3));
        CFont* pOld = mem.dc.SelectObject(&spGlobalData.fontRegular);
        const int nWidth = c.pButton->OnDrawOnCustomizeList(&mem.dc, rectLine, FALSE);
        mem.dc.SelectObject(pOld);
        EXPECT_GT(nWidth, cxCell) << "image cell and text";
        EXPECT_LT(nWidth, cxCell + 60);
        EXPECT_EQ(0, mem.Count(rectLine, RGB(1, 2, 3))) << "the whole line filled";
        EXPECT_GT(mem.Count(CRect(cxCell, 0, nWidth, 22), spGlobalData.clrBtnText), 5) << "the text";
        const CRect rectEnd(rectLine.right - 16, 0, rectLine.right, 22);
        EXPECT_EQ(c.bField, mem.Count(CRect(nWidth, 0, rectLine.right, 22), clrWindow) > 100) << "the field";
        if (c.bField) continue;  // a field's frame lies where a menu's arrow would
        EXPECT_EQ(c.bArrow, mem.Count(rectEnd, spGlobalData.clrBtnText) > 3) << "the arrow";
        EXPECT_EQ(c.bArrow,
                  mem.Count(CRect(rectLine.right - 20, 0, rectLine.right - 16, 22), spGlobalData.clrBtnShadow) > 3)
            << "the divider";
    }

    // Selected: the line right of the image cell in the selection colour.
    MemoryDC mem(rectLine.Width(), rectLine.Height());
    CFont* pOld = mem.dc.SelectObject(&spGlobalData.fontRegular);
    plain.OnDrawOnCustomizeList(&mem.dc, rectLine, TRUE);
    EXPECT_GT(mem.Count(CRect(cxCell, 0, rectLine.right, 22), ::GetSysColor(COLOR_HIGHLIGHT)), 1000);
    mem.dc.SelectObject(pOld);
    ::DestroyMenu(hItems);
    CSPVisualManager::SetDefaultManager(NULL);
}
