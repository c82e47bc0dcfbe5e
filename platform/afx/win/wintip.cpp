// wintip.cpp - tooltips of child windows: OnToolHitTest and the filter that
// feeds the thread's tooltip control.
#include "afximpl.h"

void AFXAPI AfxDeleteTempImageLists() {}

INT_PTR CWnd::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
void CWnd::FilterToolTipMessage(MSG*) {}
void CWnd::CancelToolTips(BOOL) {}
