// What is customised in the sheet over an MDI frame survives a restart: a
// command dropped from the Commands page onto the toolbar, a key assigned
// on the Keyboard page, and a user image drawn in the image editor for a
// toolbar button (kept in the user-image file the workspace writes back).
// Also the Window menu's "Windows" dialog command in the catalogue.
#include "customize_support.h"

#include <algorithm>
#include <cstdlib>

#include "DialogScript.h"
#include "MemoryDC.h"
#include "SPButtonAppearanceDlg.h"
#include "SPButtonImages.h"
#include "SPCommandManager.h"
#include "SPCustomizePage.h"
#include "SPDrawEffects.h"
#include "SPImageEditDlg.h"
#include "SPKeyboardManager.h"
#include "SPMDIFrameWnd.h"
#include "SPWorkspace.h"
#include "TestRegistry.h"

using namespace custtest;

namespace {

const COLORREF clrDrawn = RGB(255, 0, 255);

class RestartTest : public ::testing::Test {
protected:
    CSPWorkspace workspace;
    std::unique_ptr<CSPKeyboardManager> keyboard;
    CSPMDIFrameWnd* frame = NULL;
    std::unique_ptr<CSPToolBar> bar;
    std::unique_ptr<CSPButtonImages> userImages;
    CString strImagesPath;

    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        workspace.SetRegistryBase(_T("RestartTest"));
        DeleteRegTree(workspace.GetRegSectionPath());
        char szDir[MAX_PATH] = "";
        ::GetTempPathA(sizeof(szDir), szDir);
        strImagesPath = CString(szDir) + _T("tw_customize_user_images.bmp");
        // The application's user images: one to start with.
        CSPButtonImages images;
        images.SetImageSize(CSize(16, 15));
        HBITMAP hbm = SPCreateScreenBitmap(16, 15);
        {
            CDC dc;
            dc.CreateCompatibleDC(NULL);
            HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
            dc.FillSolidRect(0, 0, 16, 15, RGB(0, 0, 255));
            ::SelectObject(dc.GetSafeHdc(), hOld);
        }
        ASSERT_EQ(0, images.AddImage(hbm));
        ::DeleteObject(hbm);
        ASSERT_TRUE(images.SaveToFile(strImagesPath));
    }
    void TearDown() override {
        DestroyFrame();
        keyboard.reset();
        DeleteRegTree(workspace.GetRegSectionPath());
        ::DeleteFileA(strImagesPath);
        ::OleUninitialize();
    }
    // A start of the program: the managers anew, the frame with its bars and
    // the user images from their file, then the stored state.
    void Start() {
        keyboard.reset(new CSPKeyboardManager);
        frame = new CSPMDIFrameWnd;
        ASSERT_TRUE(frame->LoadFrame(IDR_MDIFRAME, WS_OVERLAPPEDWINDOW));
        frame->EnableWindowsDialog(ID_T_WINDOWS, _T("&Windows..."), TRUE);
        bar.reset(new CSPToolBar);
        ASSERT_TRUE(bar->Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bar->LoadToolBar(IDR_TESTBAR));
        bar->SetWindowText(_T("Standard"));
        frame->SetWindowPos(NULL, 0, 0, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        frame->RecalcLayout();
        userImages.reset(new CSPButtonImages);
        userImages->SetImageSize(CSize(16, 15));
        ASSERT_TRUE(userImages->LoadFromFile(strImagesPath));
        ASSERT_TRUE(CSPToolBar::SetUserImages(userImages.get()));
        ASSERT_TRUE(workspace.LoadState(NULL, &frame->m_Impl));
        PumpPending();
    }
    // The program ends: the bars and the frame go, the command manager
    // forgets what it learnt.
    void DestroyFrame() {
        CSPToolBar::m_pUserImages = NULL;
        bar.reset();
        if (frame != NULL && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        frame = NULL;
        PumpPending();
        userImages.reset();
        SPGetCommandManager()->ClearAllCmdImages();
    }
    std::vector<ACCEL> FrameKeys() const {
        std::vector<ACCEL> keys;
        const int n = frame->m_hAccelTable != NULL ? ::CopyAcceleratorTable(frame->m_hAccelTable, NULL, 0) : 0;
        keys.resize(n > 0 ? n : 0);
        if (n > 0) ::CopyAcceleratorTable(frame->m_hAccelTable, keys.data(), n);
        return keys;
    }
    BOOL HasKey(WORD cmd, BYTE fVirt, WORD key) const {
        for (const ACCEL& a : FrameKeys())
            if (a.cmd == cmd && a.key == key && (a.fVirt & 0x1D) == fVirt) return TRUE;
        return FALSE;
    }
    // The pixels of the colour that the bar draws on its button.
    int DrawnOnButton(int iButton, COLORREF color) {
        CRect rectClient;
        bar->GetClientRect(rectClient);
        MemoryDC mem(rectClient.Width(), rectClient.Height());
        mem.Fill(rectClient, RGB(1, 2, 3));
        bar->DoPaint(&mem.dc);
        return mem.Count(bar->GetButton(iButton)->Rect(), color);
    }
    // A command of the Commands page dropped after the bar's last button.
    static void DropCommand(CSPToolbarCustomize* pSheet, LPCTSTR lpszCategory, LPCTSTR lpszCommand, CSPToolBar* pBar) {
        CSPCustomizePage* pPage = pSheet->GetCommandsPage();
        pPage->m_wndCategory.SetCurSel(pPage->m_wndCategory.FindStringExact(-1, lpszCategory));
        pPage->OnSelchangeCategory();
        const int iItem = pPage->m_wndTools.FindStringExact(-1, lpszCommand);
        ASSERT_GE(iItem, 0) << lpszCommand;
        CSPToolbarButton* pButton = (CSPToolbarButton*)pPage->m_wndTools.GetItemDataPtr(iItem);
        COleDataSource source;
        pButton->m_bDragFromCollection = TRUE;
        ASSERT_TRUE(pButton->PrepareDrag(source));
        pButton->m_bDragFromCollection = FALSE;
        const CRect rectLast = pBar->GetButton(pBar->GetCount() - 1)->Rect();
        const CPoint ptDrop(rectLast.right + 2, rectLast.CenterPoint().y);
        const DROPEFFECT dwEffect = pBar->OnDragEnter(source.GetDataObject(), 0, ptDrop);
        ASSERT_NE((DROPEFFECT)DROPEFFECT_NONE, dwEffect);
        ASSERT_TRUE(pBar->OnDrop(source.GetDataObject(), dwEffect, ptDrop));
    }
};

}  // namespace

TEST_F(RestartTest, CustomisationSurvivesARestart) {
    Start();
    const int nButtons = bar->GetCount();
    CSPToolbarCustomize* pSheet = new CSPToolbarCustomize(frame, TRUE);
    ASSERT_TRUE(pSheet->Create());
    pSheet->SetWindowPos(&CWnd::wndTop, 520, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpPending();

    // The Window menu holds the frame's "Windows" dialog command.
    CObList* pWindow = pSheet->GetCategoryButtons(_T("Window"));
    ASSERT_TRUE(pWindow != NULL);
    EXPECT_EQ((UINT)ID_T_WINDOWS, ((CSPToolbarButton*)pWindow->GetTail())->m_nID);
    EXPECT_STREQ("Windows...", ((CSPToolbarButton*)pWindow->GetTail())->m_strText);

    // A command onto the toolbar.
    DropCommand(pSheet, _T("Edit"), _T("Paste"), bar.get());
    ASSERT_EQ(nButtons + 1, bar->GetCount());
    EXPECT_EQ((UINT)ID_T_PASTE, bar->GetItemID(nButtons));

    // A key for Save.
    CSPKeyboardPage* pKeys = pSheet->GetKeyboardPage();
    pSheet->SetActivePage(pKeys);
    PumpPending();
    pKeys->m_wndCategoryList.SetCurSel(pKeys->m_wndCategoryList.FindStringExact(-1, _T("All Commands")));
    pKeys->OnSelchangeCategory();
    pKeys->m_wndCommandsList.SetCurSel(pKeys->m_wndCommandsList.FindStringExact(-1, _T("FileSave")));
    pKeys->OnSelchangeCommandsList();
    Arm(pKeys->m_wndNewKey);
    Press(pKeys->m_wndNewKey, {VK_CONTROL, VK_SHIFT, 'S'});
    pKeys->OnUpdateNewShortcutKey();
    ASSERT_TRUE(pKeys->m_wndAssignButton.IsWindowEnabled());
    pKeys->OnAssign();
    EXPECT_TRUE(HasKey(ID_T_SAVE, FVIRTKEY | FCONTROL | FSHIFT, 'S'));

    // A new user image for the first button, drawn in the editor from the
    // button's "Button Appearance...".
    EXPECT_EQ(0, DrawnOnButton(0, clrDrawn));
    DialogScript script;
    script
        .Then([](HWND hDlg) {
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_USER_IMAGE);
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE);
            ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        })
        .Then([](HWND hDlg) {
            CSPImageEditDlg* pEditor = DYNAMIC_DOWNCAST(CSPImageEditDlg, CWnd::FromHandlePermanent(hDlg));
            ASSERT_TRUE(pEditor != NULL);
            CSPImageEditArea& area = pEditor->GetArea();
            area.SetColor(clrDrawn);
            ::SendMessageA(hDlg, WM_COMMAND, SP_ID_IMAGE_EDIT_LINE, 0);
            const CPoint from = area.BitmapToClient(CPoint(2, 7)), to = area.BitmapToClient(CPoint(4, 7));
            area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
            area.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
            area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
            ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        });
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1000, 5));
    bar->OnChangeHot(0);
    ASSERT_EQ(0, bar->GetSelectedIndex());
    bar->SendMessage(WM_COMMAND, SP_IDC_APPEARANCE);
    PumpPending();
    EXPECT_EQ(0, script.nUnexpected);
    EXPECT_EQ(0u, script.StepsLeft());
    ASSERT_EQ(2, userImages->GetCount());
    EXPECT_TRUE(bar->GetButton(0)->m_bUserButton);
    EXPECT_EQ(1, bar->GetButton(0)->GetImage());
    EXPECT_EQ(3, DrawnOnButton(0, clrDrawn)) << "the bar shows the new image";

    pSheet->SendMessage(WM_COMMAND, IDCANCEL);
    PumpPending();
    ASSERT_TRUE(workspace.SaveState(NULL, &frame->m_Impl));
    DestroyFrame();

    Start();
    ASSERT_EQ(2, userImages->GetCount()) << "the new image came back from the file";
    EXPECT_EQ(nButtons + 1, bar->GetCount());
    EXPECT_EQ((UINT)ID_T_PASTE, bar->GetItemID(nButtons));
    EXPECT_TRUE(HasKey(ID_T_SAVE, FVIRTKEY | FCONTROL | FSHIFT, 'S'));
    EXPECT_TRUE(HasKey(ID_T_NEW, FVIRTKEY | FCONTROL, 'N')) << "the resource's key too";
    EXPECT_TRUE(bar->GetButton(0)->m_bUserButton);
    EXPECT_EQ(1, bar->GetButton(0)->GetImage());
    EXPECT_EQ(3, DrawnOnButton(0, clrDrawn));
}
