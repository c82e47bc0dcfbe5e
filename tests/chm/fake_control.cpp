// A stand-in for the HTML Help control, loaded by DecompileChm through its
// test seam. doWinMain records what it was called with and, like a control
// that does extract, writes one file into the target folder (the first
// quoted argument). The test keeps the module loaded so the record survives
// DecompileChm's FreeLibrary.
#include <windows.h>

#include <string>

namespace {
std::string g_commandLine;
HINSTANCE g_instance = nullptr;
int g_calls = 0;
std::string g_writeName, g_writeBytes;
} // namespace

extern "C" __declspec(dllexport) int WINAPI doWinMain(HINSTANCE hInstance, LPSTR lpszCmdLine)
{
    ++g_calls;
    g_instance = hInstance;
    g_commandLine = lpszCmdLine ? lpszCmdLine : "";
    size_t open = g_commandLine.find('"');
    size_t close = open == std::string::npos ? open : g_commandLine.find('"', open + 1);
    if (!g_writeName.empty() && close != std::string::npos) {
        std::string folder = g_commandLine.substr(open + 1, close - open - 1);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        std::string path = folder + "\\" + g_writeName;
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(h, g_writeBytes.data(), DWORD(g_writeBytes.size()), &written, nullptr);
            ::CloseHandle(h);
        }
    }
    return 0;
}

extern "C" __declspec(dllexport) void FakeControlWrites(const char* name, const char* bytes, size_t size)
{
    g_writeName = name ? name : "";
    g_writeBytes.assign(bytes ? bytes : "", bytes ? size : 0);
}

extern "C" __declspec(dllexport) const char* FakeControlCommandLine() { return g_commandLine.c_str(); }
extern "C" __declspec(dllexport) HINSTANCE FakeControlInstance() { return g_instance; }
extern "C" __declspec(dllexport) int FakeControlCalls() { return g_calls; }
