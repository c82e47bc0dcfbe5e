// TomewiseMain.cpp - the entry point of tomewise.exe: the class library's
// start-up runs the one application object (TomewiseApp.cpp, which the
// reference below brings into the program).
#include "TomewiseApp.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    if (AfxGetApp() != &theApp) return -1;
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
