// AppResource.h - resource ids of the application's dialogs (those of the
// shell pieces the engine drives are in shell/ShellResource.h).
#pragma once

#include "ShellResource.h"
