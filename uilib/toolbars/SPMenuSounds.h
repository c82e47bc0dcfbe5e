// SPMenuSounds.h - the sounds of library menus: "MenuPopup" when a popup
// opens, "MenuCommand" when a menu command is chosen.
//
// They play synchronously on one worker thread, started by the first
// request, so that the user-interface thread never waits for the sound
// device. A request made while a sound plays replaces any request still
// pending: quick requests collapse into the latest.
#pragma once
#include "afxwin.h"

enum {
    SP_SOUND_NOT_STARTED = -2,
    SP_SOUND_TERMINATE = -1,
    SP_SOUND_IDLE = 0,
    SP_SOUND_MENU_COMMAND = 1,
    SP_SOUND_MENU_POPUP = 2,
};

// sound: SP_SOUND_MENU_COMMAND, SP_SOUND_MENU_POPUP or SP_SOUND_TERMINATE.
void SPPlayMenuSound(int sound);

// Plays one sound event synchronously; an event without a sound plays
// nothing. Tests put their own in place of the winmm call.
typedef void (*SPMenuSoundPlayer)(LPCSTR lpszEvent);
void SPSetMenuSoundPlayer(SPMenuSoundPlayer pfnPlayer);

// The pending request (one of the values above).
int SPGetMenuSoundRequest();
