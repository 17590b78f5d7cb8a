// SPDX-License-Identifier: MIT
// Starts a program and reports how long it took to map its first top-level window and how much
// memory it held at most:  startup_probe PROGRAM [ARGUMENT...]  prints "MILLISECONDS MAX_RSS_KB
// CPU_MILLISECONDS", the last the processor time the program used in all (a steadier figure
// than the wall-clock time on a busy machine).
// The time runs from just before the program is started to the X server's note that the window
// was mapped, so every program is timed the same way, whatever it is made of. The program is
// ended a moment after mapping (when it has painted its first frame) with SIGTERM.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

struct Disconnect {
    void operator()(xcb_connection_t *c) const { xcb_disconnect(c); }
};

// Waits up to timeout for a MapNotify of a window that a window manager would manage.
bool waitForMap(xcb_connection_t *connection, std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY
                && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return true;
        }
        if (xcb_connection_has_error(connection))
            return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        poll(&fd, 1, int(std::max<long long>(left.count(), 0)));
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get())) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(connection.get(),
                      xcb_change_window_attributes_checked(connection.get(), screen->root, XCB_CW_EVENT_MASK, &mask));

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("startup_probe: exec");
        _exit(127);
    }
    const bool mapped = waitForMap(connection.get(), std::chrono::seconds(30));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Lets the first frame be painted, so that the memory it takes is counted too.
    usleep(300 * 1000);
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!mapped) {
        std::fprintf(stderr, "startup_probe: %s mapped no window\n", argv[1]);
        return 1;
    }
    auto millis = [](const timeval &t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    std::printf("%.1f %ld %.1f\n", ms, usage.ru_maxrss, millis(usage.ru_utime) + millis(usage.ru_stime));
    return 0;
}
