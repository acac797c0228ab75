// Times one launch of a program under X: from just before it is started to the moment the
// X server has mapped its first top-level window (or as many different ones as asked for),
// then reads the program's peak resident memory and ends it. Prints one line:
// "<milliseconds> <peak RSS in kB>".
//
// Usage: launchtime [--settle MS] [--timeout MS] [--windows N] <program> [arguments...]
//   --settle   how long the program may go on after the last map (painting its first frame)
//              before its peak memory is read; 200 ms unless given
//   --timeout  how long to wait for the windows; 10000 ms unless given
//   --windows  how many different top-level windows must have been mapped; 1 unless given
// Exit status: 0 measured, 1 not all the windows in time or the program ended first, 2 bad
// usage or no X display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <set>
#include <string>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The process a window says it belongs to; 0 when it does not say.
long windowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

// VmHWM of a running process in kB; -1 when it cannot be read.
long peakRssKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

pid_t startProgram(char** argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        std::fprintf(stderr, "launchtime: cannot start %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    return pid;
}

bool childEnded(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// Waits for the MapNotify of `windows` different top-level windows of `pid` (a window that
// names no process is taken too: only one program is started at a time); a window mapped
// again counts once. True once all are seen.
bool waitForMaps(Display* display, pid_t pid, int windows, double deadline) {
    const int fd = ConnectionNumber(display);
    std::set<Window> mapped;
    while (nowMs() < deadline) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.override_redirect)
                continue;
            const long owner = windowPid(display, event.xmap.window);
            if (owner != 0 && owner != pid)
                continue;
            mapped.insert(event.xmap.window);
            if (static_cast<int>(mapped.size()) >= windows)
                return true;
        }
        if (childEnded(pid))
            return false;
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 20);
    }
    return false;
}

void endProgram(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (childEnded(pid))
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int usage() {
    std::fprintf(stderr, "usage: launchtime [--settle MS] [--timeout MS] [--windows N] <program> "
                         "[arguments...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int settleMs = 200;
    int timeoutMs = 10000;
    int windows = 1;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        if (std::strcmp(argv[first], "--settle") == 0)
            settleMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--timeout") == 0)
            timeoutMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--windows") == 0)
            windows = std::atoi(argv[first + 1]);
        else
            return usage();
    }
    if (first >= argc || windows < 1)
        return usage();

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "launchtime: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowMs();
    const pid_t pid = startProgram(argv + first);
    if (pid < 0)
        return 2;
    const bool mapped = waitForMaps(display, pid, windows, start + timeoutMs);
    const double elapsed = nowMs() - start;
    if (!mapped) {
        std::fprintf(stderr, "launchtime: %s did not map %d window(s) in time\n", argv[first],
                     windows);
        endProgram(pid);
        return 1;
    }
    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long peak = peakRssKb(pid);
    endProgram(pid);
    std::printf("%.1f %ld\n", elapsed, peak);
    XCloseDisplay(display);
    return 0;
}
