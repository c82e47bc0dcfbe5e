// MessageBoxRecorder.h - lets a test answer AfxMessageBox.
#pragma once
#include "afxwin.h"

#include <string>
#include <vector>

// Records AfxMessageBox texts and answers with a scripted value while alive.
// Recorders nest: the newest one answers.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int nAnswer = IDOK);
    ~MessageBoxRecorder();
    std::vector<std::string> texts;
    int answer;

private:
    AFX_MESSAGEBOX_HOOK m_pfnOld;
    MessageBoxRecorder* m_pPrev;
};

// Runs every test with a recorder that answers IDCANCEL, so no test can block
// on a real message box; a box no test expected fails the program.
int RunAllTestsWithoutMessageBoxes();
