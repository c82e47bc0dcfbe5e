// MessageBoxRecorder.cpp - lets a test answer AfxMessageBox.
#include "MessageBoxRecorder.h"

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
