// test_res.h - resource ids of the test program's own templates.
#pragma once

#define IDD_TEST_OTHER_PAGE 9001
