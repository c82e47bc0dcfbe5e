// SPPopupMenuTracker.h - the modal tracking of a library popup menu, as the
// controls ask for it.
//
// The controls cannot name the popup menu classes above them. The
// context-menu manager implements this interface and registers itself for
// its lifetime; while none is registered, g_pSPPopupMenuTracker is NULL and
// a control falls back to the system's menus.
#pragma once
#include "afxwin.h"

class ISPPopupMenuTracker {
public:
    // Shows the menu at the screen point, owned by pWndOwner, and returns
    // when it closes: the chosen command, 0 when none was chosen.
    virtual UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner) = 0;

protected:
    ~ISPPopupMenuTracker() {}
};

extern ISPPopupMenuTracker* g_pSPPopupMenuTracker;
