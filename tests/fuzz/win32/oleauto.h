// oleauto.h - part of the native stand-in (see windows.h): BSTR comes from there.
#pragma once
#include "windows.h"
