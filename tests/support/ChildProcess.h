// ChildProcess.h - runs this test program again as a child process, for
// tests of state that one process saves and the next one loads.
#pragma once
#include "afxwin.h"

// Runs this program with only the tests of the gtest filter (disabled ones
// included), the environment variable set to "1" for the child; waits up
// to two minutes. The child's exit code, or (DWORD)-1 when it did not
// start and (DWORD)-2 when it did not end.
inline DWORD RunThisProgramAsChild(const char* pszVariable, const char* pszFilter) {
    char exe[MAX_PATH] = {0};
    ::GetModuleFileNameA(NULL, exe, MAX_PATH);
    CString cmd;
    cmd.Format("\"%s\" --gtest_also_run_disabled_tests --gtest_filter=%s", exe, pszFilter);
    ::SetEnvironmentVariableA(pszVariable, "1");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted =
        ::CreateProcessA(NULL, cmd.GetBuffer(cmd.GetLength() + 1), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    cmd.ReleaseBuffer();
    ::SetEnvironmentVariableA(pszVariable, NULL);
    if (!bStarted) return (DWORD)-1;
    DWORD dwExit = (DWORD)-2;
    if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0) ::GetExitCodeProcess(pi.hProcess, &dwExit);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return dwExit;
}
