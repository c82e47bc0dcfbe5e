// MessageBoxRecorder.cpp - lets a test answer AfxMessageBox.
#include "MessageBoxRecorder.h"

#include <gtest/gtest.h>
#include <stdio.h>

static MessageBoxRecorder* g_pRecorder = NULL;

static int AFXAPI RecordMessageBox(LPCTSTR lpszText, UINT, UINT) {
    g_pRecorder->texts.push_back(lpszText);
    return g_pRecorder->answer;
}

MessageBoxRecorder::MessageBoxRecorder(int nAnswer) : answer(nAnswer), m_pPrev(g_pRecorder) {
    g_pRecorder = this;
    m_pfnOld = AfxSetMessageBoxHook(&RecordMessageBox);
}

MessageBoxRecorder::~MessageBoxRecorder() {
    AfxSetMessageBoxHook(m_pfnOld);
    g_pRecorder = m_pPrev;
}

int RunAllTestsWithoutMessageBoxes() {
    MessageBoxRecorder unexpected(IDCANCEL);
    int nResult = RUN_ALL_TESTS();
    for (const std::string& s : unexpected.texts) fprintf(stderr, "unexpected message box: %s\n", s.c_str());
    return nResult != 0 || !unexpected.texts.empty();
}
