// Starts a program on the X server of DISPLAY and measures how long it takes to show its window:
// from just before the process is created until the server maps the program's first top-level
// window (a MapNotify on the root window for a window whose _NET_WM_PID is the program's), on the
// monotonic clock. Some time after that it reads the program's memory from /proc, then ends it.
//
//   mapwatch [--settle MS] [--timeout MS] PROGRAM [ARGUMENT...]
//
// Prints one line, "map_ms=12.345 hwm_kb=41000 rss_kb=40000", and exits with 0; on a failure it
// says why on stderr and exits with 1.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

namespace {

double nowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

long windowPid(Display* display, Window window, Atom netWmPid)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && type == XA_CARDINAL && format == 32 && count == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

// A "VmHWM:  41000 kB" line of /proc/PID/status, in kB; -1 when missing.
long statusKb(pid_t pid, const std::string& key)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.compare(0, key.size() + 1, key + ":") == 0)
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return -1;
}

int fail(const char* what)
{
    std::fprintf(stderr, "mapwatch: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    int settleMs = 500;
    int timeoutMs = 20000;
    int first = 1;
    for (; first + 1 < argc; first += 2) {
        if (std::strcmp(argv[first], "--settle") == 0)
            settleMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--timeout") == 0)
            timeoutMs = std::atoi(argv[first + 1]);
        else
            break;
    }
    if (first >= argc)
        return fail("usage: mapwatch [--settle MS] [--timeout MS] PROGRAM [ARGUMENT...]");

    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return fail("cannot open the display");
    const Window root = DefaultRootWindow(display);
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False); // the selection holds before the program exists

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return fail("fork failed");
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        _exit(127);
    }

    double mapped = -1;
    while (mapped < 0) {
        while (mapped < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || event.xmap.event != root)
                continue;
            const double at = nowMs();
            if (windowPid(display, event.xmap.window, netWmPid) == pid)
                mapped = at;
        }
        if (mapped >= 0)
            break;
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return fail("the program ended before it showed a window");
        if (nowMs() - start > timeoutMs) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return fail("no window within the time limit");
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 10);
    }

    // Memory once the first frame is painted and the program waits for input.
    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long hwm = statusKb(pid, "VmHWM");
    const long rss = statusKb(pid, "VmRSS");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("map_ms=%.3f hwm_kb=%ld rss_kb=%ld\n", mapped - start, hwm, rss);
    return 0;
}
