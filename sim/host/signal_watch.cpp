#include "sim/host/signal_watch.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace simhost {
namespace {

#ifdef _WIN32
int MakePipe(int ends[2]) {
    return _pipe(ends, 64, _O_BINARY);
}
int ReadEnd(int end, unsigned char& byte) {
    return _read(end, &byte, 1);
}
void WriteEnd(int end, unsigned char byte) {
    static_cast<void>(_write(end, &byte, 1));
}
void CloseEnd(int end) {
    _close(end);
}
#else
int MakePipe(int ends[2]) {
    return pipe(ends);
}
int ReadEnd(int end, unsigned char& byte) {
    return static_cast<int>(read(end, &byte, 1));
}
void WriteEnd(int end, unsigned char byte) {
    // A full pipe drops the byte: the signals before it are still to be read.
    static_cast<void>(write(end, &byte, 1));
}
void CloseEnd(int end) {
    close(end);
}
#endif

const int kWatched[] = {
    SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
#ifdef SIGPIPE
    SIGPIPE,  // the output has gone (a pipe into a program that ended)
#endif
};

// The watch's thread reads this byte as "stop watching"; no signal has 0.
constexpr unsigned char kStop = 0;

std::atomic<int> g_writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "a handler may only touch a lock-free atomic");

extern "C" void OnWatchedSignal(int number) {
    const int saved = errno;
    // Where the system puts the default back before it calls a handler.
    std::signal(number, OnWatchedSignal);
    if (const int end = g_writeEnd.load(); end >= 0) {
        WriteEnd(end, static_cast<unsigned char>(number));
    }
    errno = saved;
}

}  // namespace

SignalWatch::SignalWatch(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    if (MakePipe(pipe_) != 0) {
        return;
    }
    g_writeEnd = pipe_[1];
    thread_ = std::thread([this] { Watch(); });
    for (const int number : kWatched) {
        if (const auto replaced = std::signal(number, OnWatchedSignal); replaced != SIG_ERR) {
            replaced_.emplace_back(number, replaced);
        }
    }
}

SignalWatch::~SignalWatch() {
    if (!Watching()) {
        return;
    }
    for (const auto& [number, handler] : replaced_) {
        std::signal(number, handler);
    }
    g_writeEnd = -1;
    WriteEnd(pipe_[1], kStop);
    thread_.join();
    CloseEnd(pipe_[0]);
    CloseEnd(pipe_[1]);
}

void SignalWatch::Watch() {
    for (;;) {
        unsigned char number = kStop;
        const int got = ReadEnd(pipe_[0], number);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || number == kStop) {
            return;
        }
        onSignal_(number);
    }
}

std::string SignalName(int number) {
    switch (number) {
    case SIGINT:
        return "Ctrl-C";
    case SIGTERM:
        return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP:
        return "SIGHUP";
#endif
#ifdef SIGPIPE
    case SIGPIPE:
        return "SIGPIPE";
#endif
    default:
        return "signal " + std::to_string(number);
    }
}

}  // namespace simhost
