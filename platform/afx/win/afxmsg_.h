// afxmsg_.h - message-map entries.
//
// A message map is a static table of AFX_MSGMAP_ENTRY per class, chained to
// the base class's table. Each entry names the message (or command and
// notification code and id range), the handler as a member pointer and a thunk
// that unpacks WPARAM/LPARAM into the handler's arguments. The handler's type
// is checked where the entry is written: a handler with the wrong signature
// does not compile.
//
//   BEGIN_MESSAGE_MAP(CMyWnd, CWnd)
//       ON_WM_CREATE()
//       ON_COMMAND(ID_APP_ABOUT, OnAbout)
//   END_MESSAGE_MAP()
#pragma once

// The handler kinds (the thunks in wincore.cpp).
#define AFX_THUNK(name) LRESULT AFXAPI AfxThunk_##name(CCmdTarget*, AFX_PMSG, AFX_CALL&)
AFX_THUNK(cmd_v);        // void ()                     ON_COMMAND, ON_CONTROL, ON_CONTROL_REFLECT
AFX_THUNK(cmd_bw);       // BOOL (UINT id)              ON_COMMAND_EX
AFX_THUNK(cmd_vw);       // void (UINT id)              ON_COMMAND_RANGE, ON_CONTROL_RANGE
AFX_THUNK(cmd_b);        // BOOL ()                     ON_CONTROL_REFLECT_EX
AFX_THUNK(cmd_ui);       // void (CCmdUI*)              ON_UPDATE_COMMAND_UI(_RANGE)
AFX_THUNK(cmd_notify);   // void (NMHDR*, LRESULT*)     ON_NOTIFY, ON_NOTIFY_REFLECT
AFX_THUNK(cmd_notify_b); // BOOL (NMHDR*, LRESULT*)     ON_NOTIFY_REFLECT_EX
AFX_THUNK(cmd_notify_ex);// BOOL (UINT, NMHDR*, LRESULT*) ON_NOTIFY_EX, ON_NOTIFY_EX_RANGE
AFX_THUNK(cmd_notify_r); // void (UINT, NMHDR*, LRESULT*) ON_NOTIFY_RANGE
AFX_THUNK(lwl);      // LRESULT (WPARAM, LPARAM)
AFX_THUNK(vv);       // void ()
AFX_THUNK(bv);       // BOOL ()
AFX_THUNK(wv);       // UINT ()
AFX_THUNK(is);       // int (LPCREATESTRUCT)
AFX_THUNK(bs);       // BOOL (LPCREATESTRUCT)
AFX_THUNK(bD);       // BOOL (CDC*)
AFX_THUNK(vwii);     // void (UINT, int, int)          WM_SIZE
AFX_THUNK(vii);      // void (int, int)                WM_MOVE
AFX_THUNK(vwr);      // void (UINT, LPRECT)            WM_SIZING, WM_MOVING
AFX_THUNK(vMMI);     // void (MINMAXINFO*)
AFX_THUNK(vPOS);     // void (WINDOWPOS*)
AFX_THUNK(vCALC);    // void (BOOL, NCCALCSIZE_PARAMS*)
AFX_THUNK(lp);       // LRESULT (CPoint)               WM_NCHITTEST (screen point)
AFX_THUNK(bb);       // BOOL (BOOL)
AFX_THUNK(vb);       // void (BOOL)
AFX_THUNK(vbw);      // void (BOOL, UINT)              WM_SHOWWINDOW
AFX_THUNK(vwWb);     // void (UINT, CWnd*, BOOL)       WM_ACTIVATE
AFX_THUNK(vbd);      // void (BOOL, DWORD)             WM_ACTIVATEAPP
AFX_THUNK(iWww);     // int (CWnd*, UINT, UINT)        WM_MOUSEACTIVATE
AFX_THUNK(bWww);     // BOOL (CWnd*, UINT, UINT)       WM_SETCURSOR
AFX_THUNK(vbWW);     // void (BOOL, CWnd*, CWnd*)      WM_MDIACTIVATE
AFX_THUNK(vwp);      // void (UINT, CPoint)            mouse messages
AFX_THUNK(bwsp);     // BOOL (UINT, short, CPoint)     WM_MOUSEWHEEL
AFX_THUNK(vwww);     // void (UINT, UINT, UINT)        key messages
AFX_THUNK(vW);       // void (CWnd*)
AFX_THUNK(vt);       // void (UINT_PTR)                WM_TIMER
AFX_THUNK(vwwS);     // void (UINT, UINT, CScrollBar*) WM_HSCROLL, WM_VSCROLL
AFX_THUNK(vww);      // void (UINT, UINT)              reflected scrolling
AFX_THUNK(vWp);      // void (CWnd*, CPoint)           WM_CONTEXTMENU
AFX_THUNK(vwl);      // void (UINT, LPARAM)            WM_SYSCOMMAND
AFX_THUNK(lwwM);     // LRESULT (UINT, UINT, CMenu*)   WM_MENUCHAR
AFX_THUNK(vMwb);     // void (CMenu*, UINT, BOOL)      WM_INITMENUPOPUP
AFX_THUNK(vwwh);     // void (UINT, UINT, HMENU)       WM_MENUSELECT
AFX_THUNK(vws);      // void (UINT, LPCTSTR)           WM_SETTINGCHANGE
AFX_THUNK(viSS);     // void (int, LPSTYLESTRUCT)      WM_STYLECHANGED/ING
AFX_THUNK(hDWw);     // HBRUSH (CDC*, CWnd*, UINT)     WM_CTLCOLOR*
AFX_THUNK(hDw);      // HBRUSH (CDC*, UINT)            reflected WM_CTLCOLOR*
AFX_THUNK(viDIS);    // void (int, LPDRAWITEMSTRUCT)
AFX_THUNK(viMIS);    // void (int, LPMEASUREITEMSTRUCT)
AFX_THUNK(bHELP);    // BOOL (HELPINFO*)
#undef AFX_THUNK

// A member pointer of the handler's exact type, then stored as AFX_PMSG.
#define AFX_PMSG_OF(member, ...) \
    reinterpret_cast<AFX_PMSG>(static_cast<__VA_ARGS__>(&ThisClass::member))

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                    \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        (void)sizeof(ThisClass);                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                       \
            {0, 0, 0, 0, NULL, NULL, NULL}                                      \
        };                                                                      \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                     \
    }

// --- commands and notifications --------------------------------------------

#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), &AfxThunk_cmd_v, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)()), NULL},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), &AfxThunk_cmd_bw, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)(UINT)), NULL},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_vw, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(UINT)), NULL},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_bw, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)(UINT)), NULL},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), &AfxThunk_cmd_ui, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(CCmdUI*)), NULL},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_ui, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(CCmdUI*)), NULL},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), &AfxThunk_cmd_v, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)()), NULL},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_vw, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(UINT)), NULL},
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), &AfxThunk_cmd_notify, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(NMHDR*, LRESULT*)), NULL},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_notify_r, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)), NULL},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), &AfxThunk_cmd_notify_ex, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)), NULL},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), &AfxThunk_cmd_notify_ex, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)), NULL},

// reflected to the control that sent them
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, &AfxThunk_cmd_v, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)()), NULL},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, &AfxThunk_cmd_b, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)()), NULL},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, &AfxThunk_cmd_notify, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(NMHDR*, LRESULT*)), NULL},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, &AfxThunk_cmd_notify_b, AFX_PMSG_OF(memberFxn, BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)), NULL},
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)CN_UPDATE_COMMAND_UI, 0, 0, &AfxThunk_cmd_ui, AFX_PMSG_OF(memberFxn, void (CCmdTarget::*)(CCmdUI*)), NULL},
#define ON_WM_CTLCOLOR_REFLECT() \
    {WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, &AfxThunk_hDw, AFX_PMSG_OF(CtlColor, HBRUSH (CWnd::*)(CDC*, UINT)), NULL},
#define ON_WM_HSCROLL_REFLECT() \
    {WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, &AfxThunk_vww, AFX_PMSG_OF(HScroll, void (CWnd::*)(UINT, UINT)), NULL},
#define ON_WM_VSCROLL_REFLECT() \
    {WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, &AfxThunk_vww, AFX_PMSG_OF(VScroll, void (CWnd::*)(UINT, UINT)), NULL},

// control notifications
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)

// --- window messages --------------------------------------------------------

#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, &AfxThunk_lwl, AFX_PMSG_OF(memberFxn, LRESULT (CWnd::*)(WPARAM, LPARAM)), NULL},
// nMessageVariable: a UINT holding the RegisterWindowMessage value.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, &AfxThunk_lwl, AFX_PMSG_OF(memberFxn, LRESULT (CWnd::*)(WPARAM, LPARAM)), &(nMessageVariable)},

#define AFX_ON_WM(msg, thunk, fn, ...) {msg, 0, 0, 0, &AfxThunk_##thunk, AFX_PMSG_OF(fn, __VA_ARGS__), NULL},
#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, is, OnCreate, int (CWnd::*)(LPCREATESTRUCT))
#define ON_WM_NCCREATE() AFX_ON_WM(WM_NCCREATE, bs, OnNcCreate, BOOL (CWnd::*)(LPCREATESTRUCT))
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, vv, OnDestroy, void (CWnd::*)())
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, vv, OnNcDestroy, void (CWnd::*)())
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, vv, OnClose, void (CWnd::*)())
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, vv, OnPaint, void (CWnd::*)())
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, vv, OnNcPaint, void (CWnd::*)())
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, bD, OnEraseBkgnd, BOOL (CWnd::*)(CDC*))
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, vwii, OnSize, void (CWnd::*)(UINT, int, int))
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, vii, OnMove, void (CWnd::*)(int, int))
#define ON_WM_SIZING() AFX_ON_WM(WM_SIZING, vwr, OnSizing, void (CWnd::*)(UINT, LPRECT))
#define ON_WM_MOVING() AFX_ON_WM(WM_MOVING, vwr, OnMoving, void (CWnd::*)(UINT, LPRECT))
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, vMMI, OnGetMinMaxInfo, void (CWnd::*)(MINMAXINFO*))
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, vPOS, OnWindowPosChanging, void (CWnd::*)(WINDOWPOS*))
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, vPOS, OnWindowPosChanged, void (CWnd::*)(WINDOWPOS*))
#define ON_WM_EXITSIZEMOVE() AFX_ON_WM(WM_EXITSIZEMOVE, vv, OnExitSizeMove, void (CWnd::*)())
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, vCALC, OnNcCalcSize, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*))
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, lp, OnNcHitTest, LRESULT (CWnd::*)(CPoint))
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, bb, OnNcActivate, BOOL (CWnd::*)(BOOL))
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, vwWb, OnActivate, void (CWnd::*)(UINT, CWnd*, BOOL))
#define ON_WM_ACTIVATEAPP() AFX_ON_WM(WM_ACTIVATEAPP, vbd, OnActivateApp, void (CWnd::*)(BOOL, DWORD))
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, iWww, OnMouseActivate, int (CWnd::*)(CWnd*, UINT, UINT))
#define ON_WM_MDIACTIVATE() AFX_ON_WM(WM_MDIACTIVATE, vbWW, OnMDIActivate, void (CWnd::*)(BOOL, CWnd*, CWnd*))
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, vbw, OnShowWindow, void (CWnd::*)(BOOL, UINT))
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, vwp, OnNcLButtonDown, void (CWnd::*)(UINT, CPoint))
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, vwp, OnNcLButtonUp, void (CWnd::*)(UINT, CPoint))
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, vwp, OnNcLButtonDblClk, void (CWnd::*)(UINT, CPoint))
#define ON_WM_NCRBUTTONDOWN() AFX_ON_WM(WM_NCRBUTTONDOWN, vwp, OnNcRButtonDown, void (CWnd::*)(UINT, CPoint))
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, vwp, OnNcMouseMove, void (CWnd::*)(UINT, CPoint))
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, bWww, OnSetCursor, BOOL (CWnd::*)(CWnd*, UINT, UINT))
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, vwp, OnMouseMove, void (CWnd::*)(UINT, CPoint))
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, vwp, OnLButtonDown, void (CWnd::*)(UINT, CPoint))
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, vwp, OnLButtonUp, void (CWnd::*)(UINT, CPoint))
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, vwp, OnLButtonDblClk, void (CWnd::*)(UINT, CPoint))
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, vwp, OnRButtonDown, void (CWnd::*)(UINT, CPoint))
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, vwp, OnRButtonUp, void (CWnd::*)(UINT, CPoint))
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, vwp, OnRButtonDblClk, void (CWnd::*)(UINT, CPoint))
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, vwp, OnMButtonDown, void (CWnd::*)(UINT, CPoint))
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, vwp, OnMButtonUp, void (CWnd::*)(UINT, CPoint))
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, bwsp, OnMouseWheel, BOOL (CWnd::*)(UINT, short, CPoint))
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, vv, OnCancelMode, void (CWnd::*)())
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, vW, OnCaptureChanged, void (CWnd::*)(CWnd*))
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, vwww, OnKeyDown, void (CWnd::*)(UINT, UINT, UINT))
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, vwww, OnKeyUp, void (CWnd::*)(UINT, UINT, UINT))
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, vwww, OnSysKeyDown, void (CWnd::*)(UINT, UINT, UINT))
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, vwww, OnChar, void (CWnd::*)(UINT, UINT, UINT))
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, wv, OnGetDlgCode, UINT (CWnd::*)())
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, vW, OnSetFocus, void (CWnd::*)(CWnd*))
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, vW, OnKillFocus, void (CWnd::*)(CWnd*))
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, vb, OnEnable, void (CWnd::*)(BOOL))
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, vt, OnTimer, void (CWnd::*)(UINT_PTR))
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, vwwS, OnHScroll, void (CWnd::*)(UINT, UINT, CScrollBar*))
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, vwwS, OnVScroll, void (CWnd::*)(UINT, UINT, CScrollBar*))
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, vWp, OnContextMenu, void (CWnd::*)(CWnd*, CPoint))
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, vwl, OnSysCommand, void (CWnd::*)(UINT, LPARAM))
#define ON_WM_MENUCHAR() AFX_ON_WM(WM_MENUCHAR, lwwM, OnMenuChar, LRESULT (CWnd::*)(UINT, UINT, CMenu*))
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, vMwb, OnInitMenuPopup, void (CWnd::*)(CMenu*, UINT, BOOL))
#define ON_WM_MENUSELECT() AFX_ON_WM(WM_MENUSELECT, vwwh, OnMenuSelect, void (CWnd::*)(UINT, UINT, HMENU))
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, vv, OnSysColorChange, void (CWnd::*)())
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, vws, OnSettingChange, void (CWnd::*)(UINT, LPCTSTR))
#define ON_WM_STYLECHANGED() AFX_ON_WM(WM_STYLECHANGED, viSS, OnStyleChanged, void (CWnd::*)(int, LPSTYLESTRUCT))
#define ON_WM_STYLECHANGING() AFX_ON_WM(WM_STYLECHANGING, viSS, OnStyleChanging, void (CWnd::*)(int, LPSTYLESTRUCT))
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, hDWw, OnCtlColor, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, viDIS, OnDrawItem, void (CWnd::*)(int, LPDRAWITEMSTRUCT))
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, viMIS, OnMeasureItem, void (CWnd::*)(int, LPMEASUREITEMSTRUCT))
#define ON_WM_HELPINFO() AFX_ON_WM(WM_HELPINFO, bHELP, OnHelpInfo, BOOL (CWnd::*)(HELPINFO*))
#define ON_WM_QUERYNEWPALETTE() AFX_ON_WM(WM_QUERYNEWPALETTE, bv, OnQueryNewPalette, BOOL (CWnd::*)())
#define ON_WM_PALETTECHANGED() AFX_ON_WM(WM_PALETTECHANGED, vW, OnPaletteChanged, void (CWnd::*)(CWnd*))
