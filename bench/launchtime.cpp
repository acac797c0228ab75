// Times one launch of a program under X: from just before it is started to the moment the
// X server has mapped its first top-level window (or as many different ones as asked for),
// then reads the program's peak resident memory and ends it. Prints one line:
// "<milliseconds> <peak RSS in kB>".
//
// With --idle S it then watches the program at rest and clicks it, as a user opens a bar from
// its handle, and adds three figures to the line: "<wakeups/s closed> <open ms> <wakeups/s
// open>". A wakeup is a context switch of any of the program's threads (the voluntary and
// involuntary switches of /proc/PID/task/*/status), counted over S seconds untouched; then
// the centre of its window is clicked through XTest, and the time from the click to the
// window's new size (its ConfigureNotify) is taken, over several clicks that open and close it
// again (the median of the openings); then the open window is watched S seconds more.
//
// Usage: launchtime [--settle MS] [--timeout MS] [--windows N] [--idle S] <program> [args...]
//   --settle   how long the program may go on after the last map (painting its first frame)
//              before its peak memory is read; 200 ms unless given
//   --timeout  how long to wait for the windows; 10000 ms unless given
//   --windows  how many different top-level windows must have been mapped; 1 unless given
//   --idle     seconds of rest to count wakeups over, closed and open; none unless given
// Exit status: 0 measured, 1 not all the windows in time or the program ended first, 2 bad
// usage or no X display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <dirent.h>
#include <vector>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
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
bool waitForMaps(Display* display, pid_t pid, int windows, double deadline, Window& first) {
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
            if (mapped.empty())
                first = event.xmap.window;
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

// Context switches of each of the process's threads so far, by thread name and number.
std::map<std::string, long long> contextSwitches(pid_t pid) {
    std::map<std::string, long long> threads;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return threads;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream status(tasks + "/" + entry->d_name + "/status");
        std::string line;
        std::string name;
        long long total = 0;
        while (std::getline(status, line)) {
            if (line.rfind("Name:", 0) == 0)
                name = line.substr(line.find_first_not_of(" \t", 5));
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                total += std::strtoll(line.c_str() + line.find(':') + 1, nullptr, 10);
        }
        threads[name + "/" + entry->d_name] = total;
    }
    closedir(dir);
    return threads;
}

// All threads' wakeups per second over `seconds`; each thread's own go to stderr.
double wakeupsPerSecond(pid_t pid, int seconds, const char* state) {
    const auto before = contextSwitches(pid);
    sleep(static_cast<unsigned>(seconds));
    long long total = 0;
    for (const auto& [thread, count] : contextSwitches(pid)) {
        const auto earlier = before.find(thread);
        const long long wakeups = count - (earlier == before.end() ? 0 : earlier->second);
        total += wakeups;
        std::fprintf(stderr, "%s: thread %s: %.2f wakeups/s\n", state, thread.c_str(),
                     static_cast<double>(wakeups) / seconds);
    }
    return static_cast<double>(total) / seconds;
}

void windowSize(Display* display, Window window, int& width, int& height) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    width = attributes.width;
    height = attributes.height;
}

// Clicks the centre of the window's handle (where it is closed: its left 26 x 26 logical pixels
// hold the handle either way, so its top left square of the window's height is clicked) and
// waits for the window's new size; the milliseconds from the click, or -1.
double clickToNewSize(Display* display, Window window) {
    int width = 0;
    int height = 0;
    windowSize(display, window, width, height);
    Window child = 0;
    int x = 0;
    int y = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    const int side = std::min({width, height, 40});
    XTestFakeMotionEvent(display, -1, x + side / 2, y + side / 2, CurrentTime);
    XSync(display, False);
    usleep(50000);
    while (XPending(display) > 0) {
        XEvent skipped;
        XNextEvent(display, &skipped);
    }
    const double start = nowMs();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    const int fd = ConnectionNumber(display);
    while (nowMs() < start + 3000) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ConfigureNotify && event.xconfigure.window == window &&
                (event.xconfigure.width != width || event.xconfigure.height != height))
                return nowMs() - start;
        }
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 5);
    }
    return -1;
}

double median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 ? values[half] : (values[half - 1] + values[half]) / 2;
}

// "<wakeups/s closed> <open ms> <wakeups/s open>": the window as launched is taken to be the
// closed bar; five clicks open it and five close it again, then one more opens it.
std::string restAndOpen(Display* display, pid_t pid, Window window, int seconds) {
    XSelectInput(display, window, StructureNotifyMask);
    const double closed = wakeupsPerSecond(pid, seconds, "closed");
    std::vector<double> openings;
    for (int i = 0; i < 11; ++i) {
        const double ms = clickToNewSize(display, window);
        if (i % 2 == 0 && ms >= 0)
            openings.push_back(ms);
        usleep(300000);
    }
    // The pointer left on the handle would show its pop-up text, and leaving a control with
    // one starts Qt's two-second "fall asleep" timer of pop-up texts: both are the user's doing.
    // The pointer goes to the far corner of the screen, away from the bar, and that timer runs
    // out before the bar is watched.
    const int screen = DefaultScreen(display);
    XTestFakeMotionEvent(display, -1, DisplayWidth(display, screen) - 1,
                         DisplayHeight(display, screen) - 1, CurrentTime);
    XSync(display, False);
    usleep(2500000);
    const double open = wakeupsPerSecond(pid, seconds, "open");
    char line[128];
    std::snprintf(line, sizeof line, " %.2f %.2f %.2f", closed, median(openings), open);
    return line;
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
    std::fprintf(stderr, "usage: launchtime [--settle MS] [--timeout MS] [--windows N] [--idle S] "
                         "<program> [arguments...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int settleMs = 200;
    int timeoutMs = 10000;
    int windows = 1;
    int idleSeconds = 0;
    int first = 1;
    for (; first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0; first += 2) {
        if (std::strcmp(argv[first], "--settle") == 0)
            settleMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--timeout") == 0)
            timeoutMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--windows") == 0)
            windows = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--idle") == 0)
            idleSeconds = std::atoi(argv[first + 1]);
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
    Window window = 0;
    const bool mapped = waitForMaps(display, pid, windows, start + timeoutMs, window);
    const double elapsed = nowMs() - start;
    if (!mapped) {
        std::fprintf(stderr, "launchtime: %s did not map %d window(s) in time\n", argv[first],
                     windows);
        endProgram(pid);
        return 1;
    }
    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const std::string rest = idleSeconds > 0 ? restAndOpen(display, pid, window, idleSeconds) : "";
    const long peak = peakRssKb(pid);
    endProgram(pid);
    std::printf("%.1f %ld%s\n", elapsed, peak, rest.c_str());
    XCloseDisplay(display);
    return 0;
}
