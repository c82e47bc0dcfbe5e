// OLE drag and drop on the receiving side: a data object over a data
// source's formats, and a drop target whose IDropTarget calls (made here
// directly, as OLE would make them during a drag) reach its overridables
// with client points, filtered effects and the drag's data.
#include "test_app.h"
#include "afxole.h"
#include <gtest/gtest.h>

namespace {

HGLOBAL GlobalText(const char* psz) {
    const size_t cb = strlen(psz) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    memcpy(::GlobalLock(h), psz, cb);
    ::GlobalUnlock(h);
    return h;
}

const CLIPFORMAT cfPrivate = (CLIPFORMAT)::RegisterClipboardFormatA("TomewiseOleTestFormat");

TEST(OleDataObject, ReadsWhatTheSourceOffersAsMemoryAndAsAFile) {
    COleDataSource source;
    source.CacheGlobalData(cfPrivate, GlobalText("button record"));
    COleDataObject data;
    EXPECT_FALSE(data.IsDataAvailable(cfPrivate));
    EXPECT_EQ(NULL, data.GetGlobalData(cfPrivate));
    EXPECT_EQ(NULL, data.GetFileData(cfPrivate));

    data.Attach(source.GetDataObject(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(cfPrivate));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(NULL, data.GetGlobalData(CF_TEXT));
    EXPECT_EQ(NULL, data.GetFileData(CF_TEXT));

    // A copy of the caller's own: changing it leaves the source's data.
    HGLOBAL h = data.GetGlobalData(cfPrivate);
    ASSERT_NE((HGLOBAL)NULL, h);
    char* p = (char*)::GlobalLock(h);
    EXPECT_STREQ("button record", p);
    p[0] = 'X';
    ::GlobalUnlock(h);
    ::GlobalFree(h);

    CFile* pFile = data.GetFileData(cfPrivate);
    ASSERT_NE((CFile*)NULL, pFile);
    char buffer[32] = {};
    EXPECT_EQ(14u, pFile->Read(buffer, sizeof(buffer)));
    EXPECT_STREQ("button record", buffer);
    delete pFile;

    EXPECT_EQ(source.GetDataObject(), data.Detach());
    EXPECT_FALSE(data.IsAttached());
}

// Each plain OLE object answers its own interface and IUnknown with the same
// pointer, a reference counted for each answer, and refuses anything else.
TEST(OleObjects, AnswerTheirOwnInterfaceAndIUnknownOnly) {
    COleDropSource dropSource;
    COleDataSource dataSource;
    COleDropTarget dropTarget;
    struct Case {
        const char* name;
        IUnknown* pUnk;
        REFIID iid;
    };
    const Case cases[] = {{"drop source", &dropSource, IID_IDropSource},
                          {"data source", dataSource.GetDataObject(), IID_IDataObject},
                          {"drop target", &dropTarget, IID_IDropTarget}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        void* pv = NULL;
        ASSERT_EQ(S_OK, c.pUnk->QueryInterface(c.iid, &pv));
        EXPECT_EQ((void*)c.pUnk, pv);
        pv = NULL;
        ASSERT_EQ(S_OK, c.pUnk->QueryInterface(IID_IUnknown, &pv));
        EXPECT_EQ((void*)c.pUnk, pv);
        // The two answers hold two references; the objects never delete
        // themselves, whatever the count.
        EXPECT_EQ(3u, c.pUnk->AddRef());
        EXPECT_EQ(2u, c.pUnk->Release());
        EXPECT_EQ(1u, c.pUnk->Release());
        EXPECT_EQ(0u, c.pUnk->Release());

        for (REFIID iidOther : {IID_IDropSource, IID_IDataObject, IID_IDropTarget, IID_IStream}) {
            if (IsEqualIID(iidOther, c.iid)) continue;
            pv = (void*)1;
            EXPECT_EQ(E_NOINTERFACE, c.pUnk->QueryInterface(iidOther, &pv));
            EXPECT_EQ(NULL, pv);
        }
        EXPECT_EQ(E_POINTER, c.pUnk->QueryInterface(c.iid, NULL));
        EXPECT_EQ(1u, c.pUnk->AddRef()) << "a refused question takes no reference";
        c.pUnk->Release();
    }
}

// Records what the bridge hands over.
class CRecordingTarget : public COleDropTarget {
public:
    std::vector<CString> calls;
    CPoint lastPoint;
    DROPEFFECT answer = DROPEFFECT_MOVE;
    DROPEFFECT dropExAnswer = (DROPEFFECT)-1;
    BOOL dropAnswer = TRUE;
    DROPEFFECT lastDropEffect = 0;
    BOOL lastHadData = FALSE;

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override {
        return Record(_T("enter"), pWnd, pData, dwKeyState, point);
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) override {
        return Record(_T("over"), pWnd, pData, dwKeyState, point);
    }
    void OnDragLeave(CWnd*) override { calls.push_back(_T("leave")); }
    BOOL OnDrop(CWnd*, COleDataObject* pData, DROPEFFECT dropEffect, CPoint point) override {
        calls.push_back(_T("drop"));
        lastDropEffect = dropEffect;
        lastPoint = point;
        lastHadData = pData->IsDataAvailable(cfPrivate);
        return dropAnswer;
    }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT dropDefault, DROPEFFECT, CPoint) override {
        calls.push_back(_T("dropex"));
        lastDropEffect = dropDefault;
        return dropExAnswer;
    }

private:
    DROPEFFECT Record(LPCTSTR name, CWnd* pWnd, COleDataObject* pData, DWORD dwKeyState, CPoint point) {
        CString s;
        s.Format(_T("%s %d"), name, (int)dwKeyState);
        calls.push_back(s);
        lastPoint = point;
        lastHadData = pWnd == GetWnd() && pData->IsDataAvailable(cfPrivate);
        return answer;
    }
};

class OleDropTargetTest : public ::testing::Test {
protected:
    CWnd wnd;
    CRecordingTarget target;
    COleDataSource source;
    POINTL ptScreen = {0, 0};
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("drop"), WS_POPUP | WS_VISIBLE, 40, 50, 200, 100, NULL,
                                 NULL));
        source.CacheGlobalData(cfPrivate, GlobalText("data"));
        CPoint pt(30, 20);
        wnd.ClientToScreen(&pt);
        ptScreen.x = pt.x;
        ptScreen.y = pt.y;
    }
    void TearDown() override {
        target.Revoke();
        if (wnd.GetSafeHwnd() != NULL) wnd.DestroyWindow();
        ::OleUninitialize();
    }
    IDropTarget* Ole() { return &target; }
};

TEST(OleInit, TheThreadQueryFollowsOleInitialisation) {
    EXPECT_FALSE(AfxOleIsInitialized());
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
    EXPECT_TRUE(AfxOleIsInitialized());
    EXPECT_TRUE(AfxOleIsInitialized());  // asking keeps the count as it was
    ::OleUninitialize();
    EXPECT_FALSE(AfxOleIsInitialized());

    // Without OLE a window cannot be registered.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("no ole"), WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    CRecordingTarget target;
    EXPECT_FALSE(target.Register(&wnd));
    EXPECT_FALSE(target.IsRegistered());
    wnd.DestroyWindow();
}

TEST_F(OleDropTargetTest, RegistersOnceAndRevokes) {
    EXPECT_FALSE(target.Register(NULL));
    ASSERT_TRUE(target.Register(&wnd));
    EXPECT_EQ(&wnd, target.GetWnd());
    EXPECT_FALSE(target.Register(&wnd));
    CRecordingTarget other;
    EXPECT_FALSE(other.Register(&wnd));
    target.Revoke();
    EXPECT_FALSE(target.IsRegistered());
    EXPECT_TRUE(other.Register(&wnd));
    other.Revoke();
}

TEST_F(OleDropTargetTest, CallsReachTheOverridablesInClientCoordinates) {
    ASSERT_TRUE(target.Register(&wnd));
    DWORD dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, Ole()->DragEnter(source.GetDataObject(), MK_LBUTTON, ptScreen, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, dwEffect);
    EXPECT_EQ(CPoint(30, 20), target.lastPoint);
    EXPECT_TRUE(target.lastHadData);

    // Effects are what the source allows: a refused move becomes a copy,
    // an effect it does not offer none.
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, Ole()->DragOver(MK_CONTROL, ptScreen, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    target.answer = DROPEFFECT_LINK;
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, Ole()->DragOver(0, ptScreen, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(E_INVALIDARG, Ole()->DragOver(0, ptScreen, NULL));

    // A leave lets the data go: later moves are answered without a call.
    EXPECT_EQ(S_OK, Ole()->DragLeave());
    target.answer = DROPEFFECT_MOVE;
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, Ole()->DragOver(0, ptScreen, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    const std::vector<CString> expected = {_T("enter 1"), _T("over 8"), _T("over 0"), _T("leave")};
    EXPECT_EQ(expected, target.calls);
}

TEST_F(OleDropTargetTest, ADropAsksOnDropExThenOnDrop) {
    ASSERT_TRUE(target.Register(&wnd));
    struct Case {
        DROPEFFECT answer, dropEx;
        BOOL drop;
        DROPEFFECT result;
        std::vector<CString> calls;
    } cases[] = {
        // OnDropEx leaves it to OnDrop, which takes it.
        {DROPEFFECT_MOVE, (DROPEFFECT)-1, TRUE, DROPEFFECT_MOVE, {_T("over 0"), _T("dropex"), _T("drop")}},
        // OnDrop refuses: nothing dropped, the drag ends as a leave.
        {DROPEFFECT_COPY, (DROPEFFECT)-1, FALSE, DROPEFFECT_NONE,
         {_T("over 0"), _T("dropex"), _T("drop"), _T("leave")}},
        // Nothing to drop: OnDrop is not asked.
        {DROPEFFECT_NONE, (DROPEFFECT)-1, TRUE, DROPEFFECT_NONE, {_T("over 0"), _T("dropex"), _T("leave")}},
        // OnDropEx decides alone.
        {DROPEFFECT_MOVE, DROPEFFECT_COPY, FALSE, DROPEFFECT_COPY, {_T("over 0"), _T("dropex")}},
    };
    for (const Case& c : cases) {
        target.calls.clear();
        target.answer = c.answer;
        target.dropExAnswer = c.dropEx;
        target.dropAnswer = c.drop;
        DWORD dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        EXPECT_EQ(S_OK, Ole()->Drop(source.GetDataObject(), 0, ptScreen, &dwEffect));
        EXPECT_EQ(c.result, dwEffect);
        EXPECT_EQ(c.calls, target.calls);
        if (c.answer != DROPEFFECT_NONE) EXPECT_EQ(c.answer, target.lastDropEffect);
        EXPECT_EQ(CPoint(30, 20), target.lastPoint);
    }
    // A drop lets the data go as well.
    target.calls.clear();
    DWORD dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, Ole()->DragOver(0, ptScreen, &dwEffect));
    EXPECT_TRUE(target.calls.empty());
}

}  // namespace
