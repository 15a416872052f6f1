// Starting programs, the environment, and the handles of processes, threads
// and tokens.
#include "platform/process.h"

#include "platform/linux/kernel_objects.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <strings.h>
#include <thread>
#include <vector>

extern char** environ;

namespace platform::detail {
namespace {

struct KernelObject {
    KernelObjectKind kind;
    pid_t process;
};

struct KernelObjects {
    std::mutex mutex;
    std::map<ULONG_PTR, KernelObject> objects;
    ULONG_PTR next = 0x6B000000;  // apart from the other handle tables' values
};

KernelObjects& Objects() {
    static KernelObjects objects;
    return objects;
}

}  // namespace

HANDLE AddKernelObject(KernelObjectKind kind, pid_t process) {
    KernelObjects& table = Objects();
    std::lock_guard lock(table.mutex);
    const ULONG_PTR value = table.next;
    table.next += 4;
    table.objects.emplace(value, KernelObject{kind, process});
    return reinterpret_cast<HANDLE>(value);
}

bool IsKernelObject(HANDLE handle, KernelObjectKind kind) {
    KernelObjects& table = Objects();
    std::lock_guard lock(table.mutex);
    const auto found = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    return found != table.objects.end() && found->second.kind == kind;
}

bool CloseKernelObject(HANDLE handle) {
    KernelObject closed{};
    {
        KernelObjects& table = Objects();
        std::lock_guard lock(table.mutex);
        const auto found = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
        if (found == table.objects.end()) {
            return false;
        }
        closed = found->second;
        table.objects.erase(found);
    }
    if (closed.kind == KernelObjectKind::Process) {
        // Nobody waits for a started program: its end is collected here.
        std::thread([process = closed.process] {
            int status = 0;
            while (waitpid(process, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
    return true;
}

}  // namespace platform::detail

namespace {

using platform::detail::KernelObjectKind;

// The arguments as the Windows run time splits a command line: blanks
// separate, double quotes group, and backslashes count only before a quote
// (2n of them give n, 2n + 1 give n and a literal quote).
std::vector<std::string> SplitCommandLine(const char* line) {
    std::vector<std::string> arguments;
    const char* p = line;
    for (;;) {
        while (*p == ' ' || *p == '\t') {
            ++p;
        }
        if (*p == '\0') {
            return arguments;
        }
        std::string argument;
        bool quoted = false;
        for (; *p != '\0' && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '\\') {
                std::size_t slashes = 0;
                while (p[slashes] == '\\') {
                    ++slashes;
                }
                if (p[slashes] == '"') {
                    argument.append(slashes / 2, '\\');
                    p += slashes;
                    if (slashes % 2 == 1) {
                        argument += '"';
                        continue;
                    }
                    quoted = !quoted;
                    continue;
                }
                argument.append(slashes, '\\');
                p += slashes - 1;
                continue;
            }
            if (*p == '"') {
                quoted = !quoted;
                continue;
            }
            argument += *p;
        }
        arguments.push_back(argument);
    }
}

bool IsFolder(const std::string& native) {
    struct stat status {};
    return stat(native.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsRunnable(const std::string& native) {
    struct stat status {};
    return stat(native.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(native.c_str(), X_OK) == 0;
}

// The program's native file: as named, or without the ".exe" that a Windows
// caller may add (programs here have no extension).
std::optional<std::string> ProgramFile(const std::string& windowsPath) {
    if (const auto native = platform::ToNativePath(windowsPath); native && IsRunnable(*native)) {
        return native;
    }
    if (windowsPath.size() > 4 && strcasecmp(windowsPath.c_str() + windowsPath.size() - 4, ".exe") == 0) {
        if (const auto native = platform::ToNativePath(windowsPath.substr(0, windowsPath.size() - 4));
            native && IsRunnable(*native)) {
            return native;
        }
    }
    return std::nullopt;
}

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void RunChild(const std::string& folder, const std::string& program, char* const* argv,
                           bool inheritHandles, int failurePipe) {
    if (!folder.empty() && chdir(folder.c_str()) != 0) {
        const int error = errno;
        static_cast<void>(write(failurePipe, &error, sizeof(error)));
        _exit(127);
    }
    if (!inheritHandles) {
        // Every open file closes at exec, as a Windows child inherits none.
        if (syscall(SYS_close_range, 3u, ~0u, 4u /* CLOSE_RANGE_CLOEXEC */) != 0) {
            for (int descriptor = 3; descriptor < 1024; ++descriptor) {
                fcntl(descriptor, F_SETFD, FD_CLOEXEC);
            }
        }
    }
    execve(program.c_str(), argv, environ);
    const int error = errno;
    static_cast<void>(write(failurePipe, &error, sizeof(error)));
    _exit(127);
}

}  // namespace

HANDLE GetCurrentProcess() {
    return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
}

BOOL CreateProcessA(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                    BOOL inheritHandles, DWORD, LPVOID, LPCSTR currentDirectory, LPSTARTUPINFOA,
                    LPPROCESS_INFORMATION information) {
    std::vector<std::string> arguments = SplitCommandLine(commandLine != nullptr ? commandLine : "");
    const std::string programName = application != nullptr ? std::string(application)
                                    : arguments.empty()     ? std::string()
                                                            : arguments.front();
    if (arguments.empty()) {
        arguments.push_back(programName);
    }
    const std::optional<std::string> program = programName.empty() ? std::nullopt : ProgramFile(programName);
    if (!program) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    std::string folder;
    if (currentDirectory != nullptr) {
        const auto native = platform::ToNativePath(currentDirectory);
        if (!native || !IsFolder(*native)) {
            SetLastError(267L);  // ERROR_DIRECTORY
            return FALSE;
        }
        folder = *native;
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int failure[2];
    if (pipe2(failure, O_CLOEXEC) != 0) {
        SetLastError(8L);  // ERROR_NOT_ENOUGH_MEMORY
        return FALSE;
    }
    const pid_t child = fork();
    if (child == 0) {
        close(failure[0]);
        RunChild(folder, *program, argv.data(), inheritHandles != FALSE, failure[1]);
    }
    close(failure[1]);
    int error = 0;
    const bool failed = child < 0 || read(failure[0], &error, sizeof(error)) == static_cast<ssize_t>(sizeof(error));
    close(failure[0]);
    if (failed) {
        if (child > 0) {
            waitpid(child, nullptr, 0);
        }
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (information != nullptr) {
        information->hProcess = platform::detail::AddKernelObject(KernelObjectKind::Process, child);
        information->hThread = platform::detail::AddKernelObject(KernelObjectKind::Thread, child);
        information->dwProcessId = static_cast<DWORD>(child);
        information->dwThreadId = static_cast<DWORD>(child);
    } else {
        platform::detail::CloseKernelObject(platform::detail::AddKernelObject(KernelObjectKind::Process, child));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    const char* value = name != nullptr ? std::getenv(name) : nullptr;
    if (value == nullptr) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    const auto length = static_cast<DWORD>(std::strlen(value));
    if (buffer == nullptr || size <= length) {
        return length + 1;
    }
    std::memcpy(buffer, value, length + 1);
    SetLastError(ERROR_SUCCESS);
    return length;
}
