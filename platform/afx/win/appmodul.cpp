// appmodul.cpp - the program entry of an application built on this library.
// Linked only when the program defines no WinMain (or main) itself.
#include "afxwin.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
