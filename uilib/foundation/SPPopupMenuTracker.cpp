#include "SPPopupMenuTracker.h"

ISPPopupMenuTracker* g_pSPPopupMenuTracker = NULL;
