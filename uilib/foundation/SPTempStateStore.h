// SPTempStateStore.h - parked bar states in self-deleting temporary files.
//
//   CSPTempStateStore  for a numeric id, the serialised state of a bar (a
//                      toolbar, a menu bar, a popup menu's bar) in a
//                      temporary file that the system deletes when the file
//                      is closed; the state can be loaded back any number of
//                      times until it is removed or replaced
//   spTempStateStore   the one process-wide store
//
// The store works on any bar class that answers GetCount() (its number of
// buttons) and Serialize(CArchive&): the toolbar family passes its bars,
// whose class lives above this library, through the SaveState and LoadState
// templates below.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPTempStateStore {
public:
    CSPTempStateStore();
    // Forgets the files without closing them: the end of the process closes,
    // and so deletes, them.
    ~CSPTempStateStore();

    // A bar without buttons is not stored (FALSE). An earlier state of the
    // id is closed (and so deleted) first; the new file is kept only when
    // the bar's Serialize wrote it completely.
    template <class TBar>
    BOOL SaveState(UINT uiID, TBar* pBar) {
        if (pBar == NULL || pBar->GetCount() == 0) return FALSE;
        return SaveObjectState(uiID, *pBar);
    }
    // Reads the state of the id back into the bar; the file stays, so the
    // same state can be loaded again. FALSE for an id without a state, or
    // when reading fails.
    template <class TBar>
    BOOL LoadState(UINT uiID, TBar* pBar) {
        if (pBar == NULL) return FALSE;
        return LoadObjectState(uiID, *pBar);
    }
    // Closes (and so deletes) the file of the id; FALSE when it has none.
    BOOL RemoveState(UINT uiID);
    // Closes every file and forgets every id (the library's clean-up).
    void RemoveAll();

    // The folder of new files; empty: the system's temporary folder. Tests
    // give each program its own.
    static CString s_strFolder;

protected:
    BOOL SaveObjectState(UINT uiID, CObject& obj);
    BOOL LoadObjectState(UINT uiID, CObject& obj);
    // A new, empty temporary file opened for reading and writing, not
    // shared, deleted on close; INVALID_HANDLE_VALUE on failure.
    static HANDLE CreateTempFile();

    CMap<UINT, UINT, HANDLE, HANDLE> m_mapFiles;  // id -> open file (owned)

private:
    CSPTempStateStore(const CSPTempStateStore&) = delete;
    CSPTempStateStore& operator=(const CSPTempStateStore&) = delete;
};

extern CSPTempStateStore spTempStateStore;
