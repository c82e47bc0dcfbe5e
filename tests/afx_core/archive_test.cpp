#include <afx.h>
#include <gtest/gtest.h>
