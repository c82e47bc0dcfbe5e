// Resource ids of the button appearance tests.
#pragma once
#define IDR_APPFRAME 7300
#define IDR_APPBAR 7301

#define ID_A_NEW 7401
#define ID_A_OPEN 7402
#define ID_A_SAVE 7403
#define ID_A_NOIMAGE 7404
