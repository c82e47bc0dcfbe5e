// afximpl.h - private to the window half: the handle maps.
#pragma once
#include "afxwin.h"
#include <unordered_map>

// One map from handles to wrapper objects. Permanent entries belong to
// objects that attached their handle; temporary entries are wrappers
// FromHandle made for handles nobody wraps, freed by DeleteTemp at idle time.
template <class T, class H>
class CHandleMap {
public:
    T* LookupPermanent(H h) const {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? NULL : it->second;
    }
    T* LookupTemporary(H h) const {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? NULL : it->second;
    }
    void SetPermanent(H h, T* p) { m_permanent[h] = p; }
    // Removes h; answers whether it was there.
    bool RemovePermanent(H h, T* p) {
        auto it = m_permanent.find(h);
        if (it == m_permanent.end() || it->second != p) return false;
        m_permanent.erase(it);
        return true;
    }
    bool RemoveTemporary(H h, T* p) {
        auto it = m_temporary.find(h);
        if (it == m_temporary.end() || it->second != p) return false;
        m_temporary.erase(it);
        return true;
    }
    // The permanent object, else a temporary one made by pfnNew.
    T* FromHandle(H h, T* (*pfnNew)(H)) {
        if (h == NULL) return NULL;
        if (T* p = LookupPermanent(h)) return p;
        if (T* p = LookupTemporary(h)) return p;
        T* p = pfnNew(h);
        m_temporary[h] = p;
        return p;
    }
    // Frees every temporary object; pfnClear detaches the handle first so
    // the destructor leaves it alone.
    void DeleteTemp(void (*pfnClear)(T*)) {
        std::unordered_map<H, T*> temp;
        temp.swap(m_temporary);
        for (auto& e : temp) {
            pfnClear(e.second);
            delete e.second;
        }
    }
    size_t TemporaryCount() const { return m_temporary.size(); }

private:
    std::unordered_map<H, T*> m_permanent;
    std::unordered_map<H, T*> m_temporary;
};

// The maps of the calling thread.
struct AFX_HANDLE_MAPS {
    CHandleMap<CWnd, HWND> wnd;
    CHandleMap<CDC, HDC> dc;
    CHandleMap<CGdiObject, HGDIOBJ> gdi;
    CHandleMap<CMenu, HMENU> menu;
    CHandleMap<CObject, HANDLE> imageList;  // CImageList (afxcmn.h)
};
AFX_HANDLE_MAPS* AFXAPI AfxGetHandleMaps();

// Free the temporary wrappers of every map (CWinThread::OnIdle(1)).
void AFXAPI AfxDeleteTempMaps();
void AFXAPI AfxDeleteTempImageLists();

// The current message of the thread while a window procedure runs.
struct AFX_CURRENT_MSG_SCOPE {
    AFX_CURRENT_MSG_SCOPE(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    ~AFX_CURRENT_MSG_SCOPE();
    MSG m_saved;
};

// Is pWnd still alive in the innermost dispatch frame that names it?
BOOL AFXAPI AfxIsDispatchTargetAlive(CWnd* pWnd);

// Common controls once per process.
void AFXAPI AfxInitCommonControls();

// A string of the layer's resources (afxres.rc), or lpszFallback when the
// program does not include them.
CString AFXAPI AfxLoadLayerString(UINT nID, LPCTSTR lpszFallback);
