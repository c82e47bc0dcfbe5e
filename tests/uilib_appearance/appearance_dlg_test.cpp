// The button appearance dialog, run modally as a toolbar runs it: the text
// before a tab edited and the shortcut kept, user tools, the user-image
// choice and its messages, new and edited images drawn in the editor, the
// choice written into the button on OK only and kept in the bar's saved
// state; and the pictures of the dialog and the editor.
#include "afxwin.h"
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DialogScript.h"
#include "MessageBoxRecorder.h"
#include "SPButtonAppearanceDlg.h"
#include "SPGlobalData.h"
#include "SPImageEditDlg.h"
#include "SPToolbarButton.h"
#include "SPUserTool.h"
#include "SPUserToolsManager.h"
#include "WindowPicture.h"
#include "appearance_support.h"

using namespace apptest;

namespace {

class AppearanceDlgTest : public AppearanceTest {
protected:
    DialogScript script;

    // The dialog object behind a window the script was given.
    static CSPButtonAppearanceDlg* Dlg(HWND hDlg) {
        return DYNAMIC_DOWNCAST(CSPButtonAppearanceDlg, CWnd::FromHandlePermanent(hDlg));
    }
    static CSPImageEditDlg* Editor(HWND hDlg) {
        return DYNAMIC_DOWNCAST(CSPImageEditDlg, CWnd::FromHandlePermanent(hDlg));
    }
    static BOOL Enabled(HWND hDlg, int nID) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)); }
    static BOOL Checked(HWND hDlg, int nID) { return ::IsDlgButtonChecked(hDlg, nID) == BST_CHECKED; }
    static std::string Text(HWND hDlg, int nID) {
        char sz[256] = "";
        ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
        return sz;
    }
    // A step of the editor: one pixel of the colour at the point, then OK
    // (or Cancel).
    static DialogScript::Step DrawPixel(COLORREF color, CPoint ptImage, int nEnd = IDOK) {
        return [=](HWND hDlg) {
            CSPImageEditDlg* pEditor = Editor(hDlg);
            ASSERT_TRUE(pEditor != NULL);
            CSPImageEditArea& area = pEditor->GetArea();
            area.SetColor(color);
            area.SetMode(CSPImageEditArea::Pencil);
            const CPoint pt = area.BitmapToClient(ptImage);
            area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
            area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            ::SendMessageA(hDlg, WM_COMMAND, nEnd, 0);
        };
    }
    INT_PTR Run(CSPToolbarButton& button, BOOL bMenuMode = FALSE, CSPButtonImages* pImages = (CSPButtonImages*)-1) {
        CSPButtonAppearanceDlg dlg(&button, pImages == (CSPButtonImages*)-1 ? &userImages : pImages, bar.get(), 0,
                                   bMenuMode);
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_EQ(0, script.nUnexpected);
        EXPECT_EQ(0u, script.StepsLeft());
        return nResult;
    }
};

}  // namespace

// A menu item's text: only the part before the tab is edited, the shortcut
// part comes back after OK; the description is the command's prompt.
TEST_F(AppearanceDlgTest, MenuTextKeepsItsShortcut) {
    CSPToolbarButton button(ID_A_NEW, 0, _T("&New\tCtrl+N"));
    button.m_bText = TRUE;
    script.Then([](HWND hDlg) {
        EXPECT_EQ("&New", Text(hDlg, SP_IDC_APPEARANCE_TEXT));
        EXPECT_EQ("Ctrl+N", std::string(Dlg(hDlg)->GetAcceleratorText()));
        EXPECT_EQ("Makes a new book", Text(hDlg, SP_IDC_APPEARANCE_DESCRIPTION));
        // In menu mode the text is always shown: "Image only" is off.
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_IMAGE_ONLY));
        EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_IMAGE_AND_TEXT));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGES)) << "no user images in menus";
        ::SetDlgItemTextA(hDlg, SP_IDC_APPEARANCE_TEXT, "Brand &new");
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, Run(button, TRUE));
    EXPECT_STREQ("Brand &new\tCtrl+N", button.m_strText);
    EXPECT_TRUE(button.m_bText);
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(0, button.GetImage());
}

// Cancel leaves the button as it was, whatever was chosen.
TEST_F(AppearanceDlgTest, CancelChangesNothing) {
    CSPToolbarButton button(ID_A_OPEN, 1, _T("Open"));
    script.Then([](HWND hDlg) {
        DialogScript::Click(hDlg, SP_IDC_APPEARANCE_TEXT_ONLY);
        ::SetDlgItemTextA(hDlg, SP_IDC_APPEARANCE_TEXT, "Other");
        DialogScript::Click(hDlg, SP_IDC_APPEARANCE_USER_IMAGE);
        ::SendMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    ASSERT_EQ(IDCANCEL, Run(button));
    EXPECT_STREQ("Open", button.m_strText);
    EXPECT_TRUE(button.m_bImage);
    EXPECT_FALSE(button.m_bText);
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(1, button.GetImage());
}

// Choosing "Select User-defined Image" clears the selection: OK with the
// image on asks for one; a text shown asks for a text; then a grid choice
// goes into the button and into the bar's saved state.
TEST_F(AppearanceDlgTest, UserImageChoiceAndItsMessages) {
    bar->SetButtonText(2, _T("Save"));
    CSPToolbarButton* pButton = bar->GetButton(2);
    ASSERT_EQ((UINT)ID_A_SAVE, pButton->m_nID);
    MessageBoxRecorder boxes;
    script.Then([](HWND hDlg) {
        CSPButtonAppearanceDlg* pDlg = Dlg(hDlg);
        EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_DEFAULT_IMAGE));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGES)) << "the default image is in use";
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_TEXT)) << "image only";
        EXPECT_EQ(3, pDlg->m_wndButtonList.GetCount());

        DialogScript::Click(hDlg, SP_IDC_APPEARANCE_USER_IMAGE);
        EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_USER_IMAGE));
        EXPECT_FALSE(Checked(hDlg, SP_IDC_APPEARANCE_DEFAULT_IMAGE));
        EXPECT_TRUE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGES));
        EXPECT_TRUE(Enabled(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_EDIT_IMAGE));
        EXPECT_TRUE(pDlg->m_wndButtonList.GetSelectedButton() == NULL);
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindowVisible(hDlg) || ::IsWindow(hDlg)) << "the dialog stays";

        DialogScript::Click(hDlg, SP_IDC_APPEARANCE_IMAGE_AND_TEXT);
        ::SetDlgItemTextA(hDlg, SP_IDC_APPEARANCE_TEXT, "");
        pDlg->m_wndButtonList.SelectButton(2);
        EXPECT_EQ(2, pDlg->GetSelectedImage());
        EXPECT_TRUE(Enabled(hDlg, SP_IDC_APPEARANCE_EDIT_IMAGE));
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);

        ::SetDlgItemTextA(hDlg, SP_IDC_APPEARANCE_TEXT, "Keep");
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, Run(*pButton));
    EXPECT_EQ((std::vector<std::string>{"You should select an image!", "You should enter a text!"}), boxes.texts);
    EXPECT_TRUE(pButton->m_bUserButton);
    EXPECT_EQ(2, pButton->GetImage());
    EXPECT_TRUE(pButton->m_bImage);
    EXPECT_TRUE(pButton->m_bText);
    EXPECT_STREQ("Keep", pButton->m_strText);

    // Saved with the bar and loaded into a new one.
    ASSERT_TRUE(bar->SaveState(_T("AppearanceTest")));
    CSPToolBar barLoaded;
    ASSERT_TRUE(barLoaded.Create(frame, WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(barLoaded.LoadToolBar(IDR_APPBAR));
    ASSERT_TRUE(barLoaded.LoadState(_T("AppearanceTest")));
    CSPToolbarButton* pLoaded = barLoaded.GetButton(barLoaded.CommandToIndex(ID_A_SAVE));
    ASSERT_TRUE(pLoaded != NULL);
    EXPECT_TRUE(pLoaded->m_bUserButton);
    EXPECT_EQ(2, pLoaded->GetImage());
    EXPECT_STREQ("Keep", pLoaded->m_strText);
    barLoaded.DestroyWindow();
}

// New: the editor on a new image of the face; OK adds it to the user
// images and selects it. Edit: the selected image redrawn in place. The
// editor's Cancel changes nothing.
TEST_F(AppearanceDlgTest, NewAndEditedImagesComeFromTheEditor) {
    CSPToolbarButton button(ID_A_NOIMAGE, -1, _T("No image"));
    button.m_bText = TRUE;
    button.m_bImage = FALSE;
    script.Then([](HWND hDlg) {
                CSPButtonAppearanceDlg* pDlg = Dlg(hDlg);
                EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_TEXT_ONLY));
                EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_USER_IMAGE)) << "no default image";
                EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_DEFAULT_IMAGE));
                DialogScript::Click(hDlg, SP_IDC_APPEARANCE_IMAGE_ONLY);
                EXPECT_TRUE(Enabled(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE));

                DialogScript::Click(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE);  // the editor, cancelled
                EXPECT_EQ(3, pDlg->m_wndButtonList.GetCount());
                DialogScript::Click(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE);  // the editor, OK
                EXPECT_EQ(4, pDlg->m_wndButtonList.GetCount());
                EXPECT_EQ(3, pDlg->GetSelectedImage()) << "the new image is selected";
                DialogScript::Click(hDlg, SP_IDC_APPEARANCE_EDIT_IMAGE);
                ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
            })
        .Then([](HWND hDlg) {
            CSPImageEditDlg* pEditor = Editor(hDlg);
            ASSERT_TRUE(pEditor != NULL);
            EXPECT_EQ(CSize(16, 15), pEditor->GetImageSize());
            DrawPixel(RGB(255, 0, 255), CPoint(0, 0), IDCANCEL)(hDlg);
        })
        .Then(DrawPixel(RGB(255, 0, 255), CPoint(3, 4)))
        .Then([](HWND hDlg) {
            // The selected image as it is now, on the face.
            CSPImageEditArea& area = Editor(hDlg)->GetArea();
            EXPECT_EQ(RGB(255, 0, 255), area.GetPixelColor(CPoint(3, 4)));
            EXPECT_EQ(RGB(192, 192, 192), area.GetPixelColor(CPoint(0, 0)));
            DrawPixel(RGB(0, 0, 255), CPoint(0, 0))(hDlg);
        });
    ASSERT_EQ(IDOK, Run(button));
    EXPECT_EQ((std::vector<std::string>{"Button Appearance", "Edit Button Image", "Edit Button Image",
                                        "Edit Button Image"}),
              script.opened);
    ASSERT_EQ(4, userImages.GetCount());
    EXPECT_EQ(RGB(255, 0, 255), UserPixel(3, 3, 4));
    EXPECT_EQ(clrBlue, UserPixel(3, 0, 0));
    EXPECT_EQ(spGlobalData.clrBtnFace, UserPixel(3, 1, 0));
    EXPECT_TRUE(button.m_bUserButton);
    EXPECT_EQ(3, button.GetImage());
    EXPECT_TRUE(button.m_bImage);
    EXPECT_FALSE(button.m_bText);
}

// A user tool always offers its default image (the tool's icon, image 0).
TEST_F(AppearanceDlgTest, UserToolsKeepTheirIcon) {
    const UINT uiToolCmd = 7500;
    CSPUserToolsManager tools(7499, uiToolCmd, uiToolCmd + 4);
    CSPUserTool* pTool = tools.CreateNewTool();
    ASSERT_TRUE(pTool != NULL);
    pTool->m_strLabel = _T("Notes");
    CSPToolbarButton button(uiToolCmd, -1, _T("Notes"));
    button.m_bUserButton = TRUE;  // as if it had had a user image
    button.m_iUserImage = 1;
    script.Then([](HWND hDlg) {
        EXPECT_TRUE(Enabled(hDlg, SP_IDC_APPEARANCE_DEFAULT_IMAGE));
        DialogScript::Click(hDlg, SP_IDC_APPEARANCE_DEFAULT_IMAGE);
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGES));
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, Run(button));
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(0, button.GetImage());
}

// Without user images the grid and its radio are off; a command that has
// no image then cannot be shown with one.
TEST_F(AppearanceDlgTest, NoUserImages) {
    CSPToolbarButton button(ID_A_NOIMAGE, -1, _T("No image"));
    script.Then([](HWND hDlg) {
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGES));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_USER_IMAGE));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_IMAGE_ONLY));
        EXPECT_FALSE(Enabled(hDlg, SP_IDC_APPEARANCE_IMAGE_AND_TEXT));
        EXPECT_TRUE(Checked(hDlg, SP_IDC_APPEARANCE_TEXT_ONLY));
        ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    ASSERT_EQ(IDOK, Run(button, FALSE, NULL));
    EXPECT_TRUE(button.m_bText);
    EXPECT_FALSE(button.m_bImage);
}

// The toolbar's "Button Appearance..." of a selected button opens the
// dialog; OK re-lays the bar. Also the pictures for the docs.
TEST_F(AppearanceDlgTest, TheToolbarOpensItAndThePictures) {
    frame->SetWindowPos(NULL, 0, 0, 520, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    const char* lpszOut = getenv("TW_APPEARANCE_SCREENSHOT");
    const std::string strOut = lpszOut != NULL ? lpszOut : "";
    auto Picture = [&](HWND hDlg, const char* lpszSuffix) {
        ::SetWindowPos(hDlg, HWND_TOP, 60, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::RedrawWindow(hDlg, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        PumpPending();
        if (!strOut.empty()) {
            EXPECT_TRUE(WriteWindowBitmap(hDlg, (strOut + lpszSuffix).c_str(), TRUE));
        }
    };
    script
        .Then([&](HWND hDlg) {
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_USER_IMAGE);
            Dlg(hDlg)->m_wndButtonList.SelectButton(1);
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_IMAGE_AND_TEXT);
            ::SetDlgItemTextA(hDlg, SP_IDC_APPEARANCE_TEXT, "Open book");
            Picture(hDlg, "-dialog.bmp");
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_EDIT_IMAGE);
            ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        })
        .Then([&](HWND hDlg) {
            CSPImageEditArea& area = Editor(hDlg)->GetArea();
            area.SetMode(CSPImageEditArea::Rect);
            area.SetColor(RGB(0, 0, 0));
            const CPoint from = area.BitmapToClient(CPoint(2, 2)), to = area.BitmapToClient(CPoint(13, 12));
            area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
            area.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
            area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
            area.SetMode(CSPImageEditArea::Ellipse);
            area.SetColor(RGB(255, 255, 0));
            const CPoint from2 = area.BitmapToClient(CPoint(4, 4)), to2 = area.BitmapToClient(CPoint(11, 10));
            area.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from2.x, from2.y));
            area.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to2.x, to2.y));
            area.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to2.x, to2.y));
            ::SendMessageA(hDlg, WM_COMMAND, SP_ID_IMAGE_EDIT_ELLIPSE, 0);
            ::SendMessageA(hDlg, WM_KICKIDLE, 0, 0);
            Picture(hDlg, "-editor.bmp");
            ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        });

    // Selected as the customisation selects it (a press that starts no drag).
    CSPToolBar::SetCustomizeMode(TRUE);
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1000, 5));
    bar->OnChangeHot(1);
    ASSERT_EQ(1, bar->GetSelectedIndex());
    bar->SendMessage(WM_COMMAND, SP_IDC_APPEARANCE);
    CSPToolBar::SetCustomizeMode(FALSE);
    PumpPending();
    EXPECT_EQ(0, script.nUnexpected);
    EXPECT_EQ(0u, script.StepsLeft());

    CSPToolbarButton* pButton = bar->GetButton(1);
    EXPECT_TRUE(pButton->m_bUserButton);
    EXPECT_EQ(1, pButton->GetImage());
    EXPECT_STREQ("Open book", pButton->m_strText);
    EXPECT_TRUE(pButton->m_bText);
    EXPECT_EQ(RGB(0, 0, 0), SPMapFromSysColor(UserPixel(1, 2, 2)));
    EXPECT_EQ(clrGreen, UserPixel(1, 0, 0));
}

// A collection of another image size draws new images of its own size; a
// negative first image lists them all.
TEST_F(AppearanceDlgTest, UserImagesOfAnotherSize) {
    CSPButtonImages bigImages;
    bigImages.SetImageSize(CSize(32, 32));
    HBITMAP hbm = SolidBitmap(32, 32, clrGreen);
    bigImages.AddImage(hbm);
    ::DeleteObject(hbm);
    CSPToolbarButton button(ID_A_NOIMAGE, -1, _T("No image"));
    script
        .Then([](HWND hDlg) {
            CSPButtonAppearanceDlg* pDlg = Dlg(hDlg);
            EXPECT_EQ(1, pDlg->m_wndButtonList.GetCount());
            EXPECT_EQ(CSize(38, 39), pDlg->m_wndButtonList.GetCellSize());
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_IMAGE_ONLY);
            DialogScript::Click(hDlg, SP_IDC_APPEARANCE_NEW_IMAGE);
            EXPECT_EQ(2, pDlg->m_wndButtonList.GetCount());
            ::SendMessageA(hDlg, WM_COMMAND, IDOK, 0);
        })
        .Then([](HWND hDlg) {
            EXPECT_EQ(CSize(32, 32), Editor(hDlg)->GetImageSize());
            DrawPixel(clrRed, CPoint(31, 31))(hDlg);
        });
    CSPButtonAppearanceDlg dlg(&button, &bigImages, bar.get(), -5);
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(0u, script.StepsLeft());
    ASSERT_EQ(2, bigImages.GetCount());
    EXPECT_EQ(clrRed, PixelOf(bigImages.GetImageWell(), 32 + 31, 31));
    EXPECT_EQ(1, button.GetImage());
}
