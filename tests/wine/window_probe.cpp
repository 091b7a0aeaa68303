// Starts a windowed program, waits for its top-level window with the given caption, closes it as
// the user would (WM_CLOSE) and waits for the program to end; for the checks of an installed or
// unpacked program under Wine. Exit code 0 when all of that happened, 1 otherwise.
//   window_probe PROGRAM CAPTION
#include <cstdio>
#include <string>
#include <windows.h>

int wmain(int argc, wchar_t* argv[]) {
    constexpr DWORD kWaitMs = 30000;
    if (argc != 3) {
        std::fputs("usage: window_probe PROGRAM CAPTION\n", stderr);
        return 1;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "window_probe: the program did not start (%lu)\n", GetLastError());
        return 1;
    }
    HWND window = nullptr;
    for (DWORD waited = 0; window == nullptr && waited < kWaitMs; waited += 100) {
        Sleep(100);
        window = FindWindowW(nullptr, argv[2]);
    }
    int status = 1;
    if (window == nullptr) {
        std::fputs("window_probe: no window with that caption\n", stderr);
        TerminateProcess(process.hProcess, 1);
    } else {
        PostMessageW(window, WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        if (WaitForSingleObject(process.hProcess, kWaitMs) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == 0)
            status = 0;
        else
            std::fputs("window_probe: the program did not end cleanly on closing\n", stderr);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status;
}
