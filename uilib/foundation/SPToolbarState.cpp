#include "SPToolbarState.h"

BOOL g_bCustomizeMode = FALSE;
CObList g_lstAllToolbars(10);
