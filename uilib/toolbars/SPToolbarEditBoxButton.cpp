// SPToolbarEditBoxButton.cpp - CSPToolbarEditBoxButton.
#include "SPToolbarEditBoxButton.h"

IMPLEMENT_SERIAL(CSPToolbarEditBoxButton, CSPToolbarButton, VERSIONABLE_SCHEMA | 1)

CSPToolbarEditBoxButton::CSPToolbarEditBoxButton() {}
CSPToolbarEditBoxButton::~CSPToolbarEditBoxButton() {}
