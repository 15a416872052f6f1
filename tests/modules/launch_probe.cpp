// A program for the process tests: it writes its arguments, one a line, to
// "launched.txt" in its working folder, and in the Windows build then
// signals the event "Q3vLaunchProbeDone" when the test made one (a test
// there cannot wait for a child it has no handle of).
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#endif

int main(int argc, char** argv) {
    if (FILE* out = std::fopen("launched.txt", "w")) {
        for (int i = 1; i < argc; ++i) {
            std::fprintf(out, "%s\n", argv[i]);
        }
        std::fclose(out);
    }
#ifdef _WIN32
    if (HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, "Q3vLaunchProbeDone")) {
        SetEvent(done);
        CloseHandle(done);
    }
#endif
    return 0;
}
