// frames_test_ids.h - the resources of the frame tests' MDI application.
#pragma once

#define IDR_TESTMDI 0x7200
#define IDR_TESTDOC 0x7201

#define ID_TEST_NEW 0x7210
#define ID_TEST_COPY 0x7211
#define ID_TEST_FIND 0x7212
#define ID_TEST_RUN 0x7213
#define ID_TEST_EDIT 0x7214
#define ID_TEST_STOP 0x7215
#define ID_TEST_WINDOWS 0x7216
#define ID_TEST_FIRST ID_TEST_NEW
#define ID_TEST_LAST ID_TEST_WINDOWS

#define ID_TEST_PANE 0x7220
