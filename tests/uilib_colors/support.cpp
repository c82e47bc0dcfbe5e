// The shared parts of the colour tests.
#include "color_support.h"

namespace colortest {

BEGIN_MESSAGE_MAP(CColorFrame, CSPFrameWnd)
    ON_COMMAND_RANGE(ID_TEXT_COLOR, ID_FILL_COLOR, OnColor)
END_MESSAGE_MAP()

BOOL ScriptedColorDialog::s_bOK = FALSE;
COLORREF ScriptedColorDialog::s_color = 0;
int ScriptedColorDialog::s_nCalls = 0;

}  // namespace colortest
