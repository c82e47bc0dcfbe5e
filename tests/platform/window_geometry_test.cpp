// The test runner gives every window test a Wine virtual desktop, so a
// window's geometry is what the program asked for, not what a window manager
// decided. Later window tests rely on this.
#include <windows.h>
#include <gtest/gtest.h>

namespace {

HWND CreateTestWindow(DWORD style, int x, int y, int cx, int cy) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TwGeometryTest";
  RegisterClassA(&wc);  // fails harmlessly when already registered
  return CreateWindowExA(0, wc.lpszClassName, "geometry", style, x, y, cx, cy,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

TEST(WindowGeometry, OverlappedWindowKeepsRequestedSize) {
  // Sizes stay above the minimum tracking size of a sizable window, which
  // Windows enforces too.
  const struct { int x, y, cx, cy; } cases[] = {
      {10, 20, 160, 120}, {50, 60, 640, 480}, {0, 0, 321, 123}};
  for (const auto& c : cases) {
    HWND hwnd = CreateTestWindow(WS_OVERLAPPEDWINDOW, c.x, c.y, c.cx, c.cy);
    ASSERT_NE(hwnd, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    RECT rc;
    ASSERT_TRUE(GetWindowRect(hwnd, &rc));
    EXPECT_EQ(rc.left, c.x);
    EXPECT_EQ(rc.top, c.y);
    EXPECT_EQ(rc.right - rc.left, c.cx);
    EXPECT_EQ(rc.bottom - rc.top, c.cy);
    DestroyWindow(hwnd);
  }
}

TEST(WindowGeometry, PopupClientAreaIsWholeWindow) {
  HWND hwnd = CreateTestWindow(WS_POPUP | WS_VISIBLE, 30, 40, 200, 150);
  ASSERT_NE(hwnd, nullptr);
  RECT rc;
  GetClientRect(hwnd, &rc);
  EXPECT_EQ(rc.right, 200);
  EXPECT_EQ(rc.bottom, 150);
  DestroyWindow(hwnd);
}

}  // namespace
