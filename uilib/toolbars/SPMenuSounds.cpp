// SPMenuSounds.cpp - the menu sounds' worker thread.
#include "SPMenuSounds.h"

#include <mmsystem.h>
#include <process.h>

#include "afxmt.h"

namespace {

// The only word the two threads share; each reads and writes it whole.
volatile LONG s_nRequest = SP_SOUND_NOT_STARTED;
uintptr_t s_hThread = 0;
BOOL s_bEnabled = TRUE;

CCriticalSection& StartLock() {
    static CCriticalSection cs;
    return cs;
}

typedef BOOL(WINAPI* PlaySoundProc)(LPCSTR, HMODULE, DWORD);

// winmm is loaded when the first sound plays, not with the library.
PlaySoundProc PlaySoundEntry() {
    static PlaySoundProc pfn = NULL;
    static BOOL bLooked = FALSE;
    if (!bLooked) {
        bLooked = TRUE;
        HMODULE hWinmm = ::LoadLibraryA("winmm.dll");
        if (hWinmm != NULL) pfn = (PlaySoundProc)(void (*)())::GetProcAddress(hWinmm, "PlaySoundA");
    }
    return pfn;
}

void PlayThroughWinmm(LPCSTR lpszEvent) {
    PlaySoundProc pfn = PlaySoundEntry();
    if (pfn == NULL) return;
    if (lpszEvent == NULL)
        pfn(NULL, NULL, SND_PURGE);
    else
        pfn(lpszEvent, NULL, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
}

volatile SPMenuSoundPlayer s_pfnPlayer = PlayThroughWinmm;

void __cdecl SoundThread(void*) {
    for (;;) {
        const LONG nRequest = s_nRequest;
        if (nRequest == SP_SOUND_TERMINATE) break;
        if (nRequest == SP_SOUND_MENU_COMMAND || nRequest == SP_SOUND_MENU_POPUP) {
            s_pfnPlayer(nRequest == SP_SOUND_MENU_COMMAND ? "MenuCommand" : "MenuPopup");
            // A request that arrived while the sound played stays pending.
            ::InterlockedCompareExchange(&s_nRequest, SP_SOUND_IDLE, nRequest);
        }
        ::Sleep(5);
    }
    s_pfnPlayer(NULL);
    _endthread();
}

}  // namespace

void SPPlayMenuSound(int sound) {
    if (!s_bEnabled) return;
    if (s_nRequest != SP_SOUND_NOT_STARTED) {
        s_nRequest = sound;
        if (sound == SP_SOUND_TERMINATE) s_hThread = 0;
        return;
    }
    if (sound == SP_SOUND_TERMINATE) return;

    CSingleLock lock(&StartLock(), TRUE);
    if (s_nRequest != SP_SOUND_NOT_STARTED) {  // another caller started it meanwhile
        s_nRequest = sound;
        return;
    }
    s_nRequest = sound;
    s_hThread = _beginthread(SoundThread, 0, NULL);
    if (s_hThread != 0 && s_hThread != (uintptr_t)-1) {
        ::SetThreadPriority((HANDLE)s_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    } else {
        s_hThread = 0;
        s_nRequest = SP_SOUND_NOT_STARTED;
    }
}

void SPSetMenuSoundPlayer(SPMenuSoundPlayer pfnPlayer) { s_pfnPlayer = pfnPlayer != NULL ? pfnPlayer : PlayThroughWinmm; }

int SPGetMenuSoundRequest() { return (int)s_nRequest; }
