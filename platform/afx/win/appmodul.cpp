// appmodul.cpp - the program entry of an application built on this library.
// The C runtime asks for WinMain only after the libraries were searched, so
// a program that wants this one links with -Wl,-u,WinMain (or defines its
// own WinMain calling AfxWinMain).
#include "afxwin.h"

extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
