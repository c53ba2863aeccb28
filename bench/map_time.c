/* Start-up as a user sees it: the time from a program's start to its first top-level
 * window being mapped on the X display, in microseconds.
 *
 *   bench_map_time [-v] PROGRAM [ARGUMENT...]
 *
 * Watches the root window for maps, starts the program, waits for the first MapNotify
 * of a window that is not override-redirect (menus and tooltips are), prints the
 * elapsed microseconds on standard output, then ends the program (SIGTERM, then
 * SIGKILL) and reaps it. The program's own output goes to /dev/null, except with -v,
 * which also tells on standard error the monotonic clock at the start and the window
 * mapped: for lining up a program's own time stamps with the measure.
 * Exit status 0 on success, 1 when the program ended or timed out before mapping a
 * window, 2 on a usage or display error. Xlib only (Debian package libx11-dev). */
#define _POSIX_C_SOURCE 200809L

#include <X11/Xlib.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kTimeoutMs = 30000, kTermGraceMs = 2000 };

static long long NowMicroseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

static pid_t Start(char *const argv[], int keepOutput) {
    const pid_t child = fork();
    if (child == 0 && !keepOutput) {
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, STDIN_FILENO);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            if (null > STDERR_FILENO)
                close(null);
        }
    }
    if (child == 0) {
        execv(argv[0], argv);
        _exit(127);
    }
    return child;
}

/* Ends the child if it still runs, and reaps it. */
static void Stop(pid_t child) {
    int status;
    if (waitpid(child, &status, WNOHANG) == child)
        return;
    kill(child, SIGTERM);
    const long long deadline = NowMicroseconds() + kTermGraceMs * 1000LL;
    while (NowMicroseconds() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child)
            return;
        const struct timespec pause = {0, 1000000};
        nanosleep(&pause, NULL);
    }
    kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

int main(int argc, char *argv[]) {
    const int verbose = argc > 1 && strcmp(argv[1], "-v") == 0;
    char **program = argv + 1 + verbose;
    if (program[0] == NULL) {
        fprintf(stderr, "usage: %s [-v] PROGRAM [ARGUMENT...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "%s: cannot open the X display\n", argv[0]);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False); /* the server watches the root before the program starts */
    const int connection = ConnectionNumber(display);
    fcntl(connection, F_SETFD, FD_CLOEXEC); /* the program makes its own connection */

    const long long start = NowMicroseconds();
    if (verbose)
        fprintf(stderr, "start %lld us\n", start);
    const pid_t child = Start(program, verbose);
    if (child < 0) {
        perror("fork");
        return 2;
    }

    long long mapped = -1;
    Window window = None;
    int status;
    while (mapped < 0) {
        while (mapped < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root &&
                !event.xmap.override_redirect) {
                mapped = NowMicroseconds();
                window = event.xmap.window;
            }
        }
        if (mapped >= 0)
            break;
        if (waitpid(child, &status, WNOHANG) == child) {
            fprintf(stderr, "%s: %s ended before mapping a window (status %d)\n", argv[0],
                    program[0], WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
            return 1;
        }
        if (NowMicroseconds() - start > kTimeoutMs * 1000LL) {
            fprintf(stderr, "%s: %s mapped no window within %d ms\n", argv[0], program[0],
                    kTimeoutMs);
            Stop(child);
            return 1;
        }
        /* Wake for the display, or every few milliseconds to notice an early end. */
        struct pollfd watch = {connection, POLLIN, 0};
        poll(&watch, 1, 5);
    }
    printf("%lld\n", mapped - start);
    fflush(stdout);
    XWindowAttributes attributes;
    char *name = NULL;
    if (verbose && XGetWindowAttributes(display, window, &attributes)) {
        XFetchName(display, window, &name);
        fprintf(stderr, "window 0x%lx %dx%d \"%s\"\n", (unsigned long)window, attributes.width,
                attributes.height, name != NULL ? name : "");
        if (name != NULL)
            XFree(name);
    }
    Stop(child);
    XCloseDisplay(display);
    return 0;
}
