// SPDX-License-Identifier: GPL-3.0-or-later
/* Starts a program and reports how long it took until its first top-level window was mapped.
 *   mapwatch CMD [ARGS...]   prints "<milliseconds> <pid>" and leaves the program running.
 * Works on a display without a window manager, where top-level windows are children of the root. */
#include <X11/Xlib.h>

#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

int main(int argc, char* argv[])
{
    if (argc < 2) {
        fprintf(stderr, "usage: mapwatch CMD [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "mapwatch: cannot open the display\n");
        return 1;
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && event.xmap.event == root) {
            printf("%.1f %d\n", now_ms() - start, (int)pid);
            fflush(stdout);
            break;
        }
    }
    XCloseDisplay(display);
    return 0;
}
