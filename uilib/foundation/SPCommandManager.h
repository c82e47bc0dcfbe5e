// SPCommandManager.h - command ids and their images.
//
//   CSPCommandManager     command id -> index in the standard or in the
//                         user-defined image strip (an id is in at most one
//                         of the two), and the commands whose menu items are
//                         drawn without image ("CommandsWithoutImages")
//   SPGetCommandManager   the one process-wide manager
#pragma once
#include "afxwin.h"
#include "afxtempl.h"

class CSPCommandManager {
public:
    CSPCommandManager();
    virtual ~CSPCommandManager();

    // Ids 0 and 0xFFFFFFFF are ignored; an id that has an image in the
    // other strip keeps it and gets none here.
    void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
    int GetCmdImage(UINT uiCmd, BOOL bUserImage) const;  // -1 when none
    // Forgets the command's user image.
    void ClearCmdImage(UINT uiCmd);
    void ClearAllCmdImages();

    // FALSE: the command's menu item is drawn without image.
    void EnableMenuItemImage(UINT uiCmd, BOOL bEnable = TRUE);
    BOOL IsMenuItemWithoutImage(UINT uiCmd) const { return m_lstCommandsWithoutImages.Find(uiCmd) != NULL; }
    const CList<UINT, UINT>& GetCommandsWithoutImages() const { return m_lstCommandsWithoutImages; }

    // Below SPGetRegPath("SToolBars", lpszProfileName) + "SCommandManager",
    // value "CommandsWithoutImages": the list's archive image (count, then
    // the ids as 32-bit values). Loading appends the stored ids; it fails
    // when the key is missing or the value damaged (nothing is appended).
    BOOL LoadState(LPCTSTR lpszProfileName = NULL);
    BOOL SaveState(LPCTSTR lpszProfileName = NULL);

    static const char* const s_lpszValueName;  // "CommandsWithoutImages"

protected:
    CMap<UINT, UINT, int, int> m_CommandIndex;      // standard strip
    CMap<UINT, UINT, int, int> m_CommandIndexUser;  // user-defined strip
    CList<UINT, UINT> m_lstCommandsWithoutImages;

private:
    CSPCommandManager(const CSPCommandManager&) = delete;
    CSPCommandManager& operator=(const CSPCommandManager&) = delete;
};

CSPCommandManager* SPGetCommandManager();
