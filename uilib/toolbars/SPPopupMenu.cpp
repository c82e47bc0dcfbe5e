#include "SPPopupMenu.h"

IMPLEMENT_DYNAMIC(CSPPopupMenu, CWnd)

CSPPopupMenu::CSPPopupMenu() : m_hwndParentButton(NULL), m_rectParentButton(0, 0, 0, 0) {}

CSPPopupMenu::~CSPPopupMenu() {}
