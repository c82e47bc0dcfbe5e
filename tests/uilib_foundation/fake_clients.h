// Stand-ins for the bar, tab and task classes of the folders above the
// foundation: plain windows and records whose runtime-class names are those
// the visual managers test for, answered through the client interfaces and
// the hooks left.
#pragma once
#include "afxwin.h"
#include "SPClientHooks.h"

struct FakeClass {
    CRuntimeClass rc;
    FakeClass(LPCSTR name, const CRuntimeClass* pBase) {
        rc.m_lpszClassName = name;
        rc.m_nObjectSize = (int)sizeof(CWnd);
        rc.m_wSchema = 0xFFFF;
        rc.m_pfnCreateObject = NULL;
        rc.m_pBaseClass = (CRuntimeClass*)pBase;
    }
};

inline const CRuntimeClass* FakeBarClass(LPCSTR name) {
    static FakeClass base("CSPBaseControlBar", RUNTIME_CLASS(CWnd));
    static FakeClass control("CSPControlBar", &base.rc);
    static FakeClass toolbar("CSPToolBar", &control.rc);
    static FakeClass popupBar("CSPPopupMenuBar", &toolbar.rc);
    static FakeClass menuBar("CSPMenuBar", &toolbar.rc);
    static FakeClass docking("CSPDockingControlBar", &control.rc);
    static FakeClass caption("CSPCaptionBar", &control.rc);
    const FakeClass* all[] = {&base, &control, &toolbar, &popupBar, &menuBar, &docking, &caption};
    for (const FakeClass* p : all)
        if (lstrcmpA(p->rc.m_lpszClassName, name) == 0) return &p->rc;
    return RUNTIME_CLASS(CWnd);
}

// A bar: a window object (it need not have a window) of a chosen class name,
// describing itself as the library's bars do.
class FakeBar : public CWnd, public ISPVisualBar {
public:
    const CRuntimeClass* m_pClass;
    DWORD m_dwBarStyle = 0;
    BOOL m_bFloatingOrVertical = FALSE;
    COLORREF m_clrCaption = (COLORREF)-1;

    explicit FakeBar(LPCSTR className) : m_pClass(FakeBarClass(className)) {}
    CRuntimeClass* GetRuntimeClass() const override { return (CRuntimeClass*)m_pClass; }
    CSPBaseControlBar* AsBar() { return reinterpret_cast<CSPBaseControlBar*>(this); }

    void GetVisualInfo(SPBarInfo& info) override {
        info.pWnd = this;
        info.bCaptionBar = lstrcmpA(m_pClass->m_lpszClassName, "CSPCaptionBar") == 0;
        info.dwStyle = m_dwBarStyle;
        info.bFloatingOrVertical = m_bFloatingOrVertical;
        info.clrCaptionBack = m_clrCaption;
        info.bToolBar = SPIsKindOf(this, "CSPToolBar");
        info.bMenuBar = SPIsKindOf(this, "CSPMenuBar");
        info.bDockingPane = SPIsKindOf(this, "CSPDockingControlBar");
    }
};

// A tab window: the record it describes itself with.
class FakeTabs : public CObject, public ISPVisualTabWnd {
public:
    SPTabInfo info;
    CSPBaseTabWnd* AsTabWnd() { return reinterpret_cast<CSPBaseTabWnd*>(static_cast<CObject*>(this)); }
    void GetTabVisualInfo(int, SPTabInfo& out) override { out = info; }
};

struct FakeTask {
    SPTaskInfo info;
    CSPTask* AsTask() { return reinterpret_cast<CSPTask*>(this); }
};
struct FakeGroup {
    SPTasksGroupInfo info;
    CSPTasksGroup* AsGroup() { return reinterpret_cast<CSPTasksGroup*>(this); }
};
inline void InstallTaskHooks() {
    SPClientHooks::pfnGetTaskInfo = [](CSPTask* p, SPTaskInfo& info) { info = reinterpret_cast<FakeTask*>(p)->info; };
    SPClientHooks::pfnGetTasksGroupInfo = [](CSPTasksGroup* p, SPTasksGroupInfo& info) {
        info = reinterpret_cast<FakeGroup*>(p)->info;
    };
}
