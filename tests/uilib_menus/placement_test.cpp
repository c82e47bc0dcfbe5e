// Fitting popup menus into the work area, and the bounds of the values a
// popup menu takes from settings.
#include "afxwin.h"
#include <gtest/gtest.h>

#include "SPPopupMenu.h"

namespace {

const CRect kWork(0, 0, 1024, 740);  // a task bar below

struct PlacementCase {
    const char* name;
    CPoint pt;
    CSize size;
    BOOL bSubMenu;
    CRect rectParentPopup;
    BOOL bButtonOnBar;
    CRect rectButton;
    CPoint ptExpected;
    int cyExpected;
    int nDirection;
    BOOL bScrollable;
};

const PlacementCase kCases[] = {
    {"fits", {100, 100}, {150, 200}, FALSE, {}, FALSE, {}, {100, 100}, 200, SP_DROP_DEFAULT, FALSE},
    {"right edge ends 1 pixel inside", {950, 100}, {150, 200}, FALSE, {}, TRUE, {950, 80, 990, 100},
     {1024 - 150 - 1, 100}, 200, SP_DROP_DEFAULT, FALSE},
    {"beyond the work area is clamped first", {2000, -50}, {150, 200}, FALSE, {}, FALSE, {}, {1024 - 151, 0}, 200,
     SP_DROP_DEFAULT, FALSE},
    {"submenu turns left", {1000, 300}, {150, 200}, TRUE, {850, 280, 1000, 500}, FALSE, {}, {700, 300}, 200,
     SP_DROP_LEFT, FALSE},
    {"submenu turned left at the left edge", {100, 300}, {1000, 200}, TRUE, {50, 280, 100, 500}, FALSE, {}, {0, 300},
     200, SP_DROP_DEFAULT, FALSE},
    {"button menu opens above", {300, 620}, {150, 300}, FALSE, {}, TRUE, {300, 600, 340, 620}, {300, 300}, 300,
     SP_DROP_ABOVE, FALSE},
    {"tall menu scrolls above the button", {300, 620}, {150, 700}, FALSE, {}, TRUE, {300, 600, 340, 620}, {300, 0},
     600, SP_DROP_DEFAULT, TRUE},
    {"tall menu scrolls below the button", {300, 120}, {150, 700}, FALSE, {}, TRUE, {300, 100, 340, 120},
     {300, 120}, 620, SP_DROP_DEFAULT, TRUE},
    {"submenu moves up to line up its last item", {300, 650}, {150, 200}, TRUE, {100, 400, 300, 700}, FALSE, {},
     {300, 650 - 200 + 20 + 4}, 200, SP_DROP_DEFAULT, FALSE},
    {"submenu never above the work area", {300, 650}, {150, 900}, TRUE, {100, 400, 300, 700}, FALSE, {}, {300, 0},
     740, SP_DROP_DEFAULT, TRUE},
    {"context menu at the bottom corner", {1024, 740}, {150, 200}, FALSE, {}, FALSE, {}, {1024 - 151, 540}, 200,
     SP_DROP_DEFAULT, FALSE},
    {"context menu at the top left corner", {0, 0}, {150, 200}, FALSE, {}, FALSE, {}, {0, 0}, 200, SP_DROP_DEFAULT,
     FALSE},
};

TEST(PopupPlacement, TableOfEdgesAndCorners) {
    for (const PlacementCase& c : kCases) {
        SPPopupPlacement p;
        p.rectWork = kWork;
        p.pt = c.pt;
        p.size = c.size;
        p.bSubMenu = c.bSubMenu;
        p.rectParentPopup = c.rectParentPopup;
        p.bButtonOnBar = c.bButtonOnBar;
        p.rectButton = c.rectButton;
        p.nRowHeight = 20;
        SPFitPopupMenu(p);
        EXPECT_EQ(c.ptExpected.x, p.pt.x) << c.name;
        EXPECT_EQ(c.ptExpected.y, p.pt.y) << c.name;
        EXPECT_EQ(c.cyExpected, p.size.cy) << c.name;
        EXPECT_EQ(c.nDirection, p.nDropDirection) << c.name;
        EXPECT_EQ(c.bScrollable, p.bScrollable) << c.name;
        EXPECT_GE(p.pt.x, kWork.left) << c.name;
        EXPECT_LE(p.pt.y + p.size.cy, kWork.bottom) << c.name;
    }
}

TEST(PopupSettings, AnimationSpeedAcceptsOneTo200) {
    const UINT nOld = CSPPopupMenu::GetAnimationSpeed();
    CSPPopupMenu::SetAnimationSpeed(0);
    EXPECT_EQ(nOld, CSPPopupMenu::GetAnimationSpeed());
    CSPPopupMenu::SetAnimationSpeed(201);
    EXPECT_EQ(nOld, CSPPopupMenu::GetAnimationSpeed());
    CSPPopupMenu::SetAnimationSpeed(200);
    EXPECT_EQ(200u, CSPPopupMenu::GetAnimationSpeed());
    CSPPopupMenu::SetAnimationSpeed(1);
    EXPECT_EQ(1u, CSPPopupMenu::GetAnimationSpeed());
    CSPPopupMenu::SetAnimationSpeed(nOld);
}

TEST(PopupSettings, MenuShowDelayValues) {
    struct {
        const char* value;
        UINT expected;
    } cases[] = {{NULL, 500}, {"400", 400}, {"5000", 5000}, {"5001", 5000}, {"99999999", 5000}, {"-1", 5000},
                 {"-400", 5000}, {"0", 0}, {"soon", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CSPPopupMenuBar::ParseMenuShowDelay(c.value)) << (c.value ? c.value : "missing");
}

// The value as the desktop settings hold it, read by the first bar.
TEST(PopupSettings, MenuShowDelayFromTheRegistry) {
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, NULL, 0,
                                               KEY_READ | KEY_WRITE, NULL, &hKey, NULL));
    char szOld[64] = {0};
    DWORD cbOld = sizeof(szOld) - 1, dwType = 0;
    const BOOL bHadValue =
        ::RegQueryValueExA(hKey, "MenuShowDelay", NULL, &dwType, (LPBYTE)szOld, &cbOld) == ERROR_SUCCESS;
    struct {
        const char* value;
        UINT expected;
    } cases[] = {{"250", 250}, {"-5", 5000}, {NULL, 500}};
    for (const auto& c : cases) {
        if (c.value != NULL)
            ::RegSetValueExA(hKey, "MenuShowDelay", 0, REG_SZ, (const BYTE*)c.value, (DWORD)strlen(c.value) + 1);
        else
            ::RegDeleteValueA(hKey, "MenuShowDelay");
        CSPPopupMenuBar::ResetSubMenuDelay();
        EXPECT_EQ(c.expected, CSPPopupMenuBar::GetSubMenuDelay()) << (c.value ? c.value : "missing");
    }
    if (bHadValue) ::RegSetValueExA(hKey, "MenuShowDelay", 0, dwType, (const BYTE*)szOld, cbOld);
    ::RegCloseKey(hKey);
    CSPPopupMenuBar::ResetSubMenuDelay();
}

}  // namespace
