/* Starts a program and prints the time from exec to the first MapNotify of a top-level window
 * (a child of the root window, which is the frame under a reparenting window manager), then
 * the program's VmRSS once it has run a while after that, and ends it.
 * Usage: maptime RSS_DELAY_MS PROGRAM [ARGS...]   Output: "<map ms> <rss kB>" */
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long rss_kb(pid_t pid) {
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* status = fopen(path, "r");
    if (!status) return -1;
    while (fgets(line, sizeof line, status))
        if (sscanf(line, "VmRSS: %ld", &kb) == 1) break;
    fclose(status);
    return kb;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: maptime RSS_DELAY_MS PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(x)) {
        fputs("maptime: cannot open the display\n", stderr);
        return 1;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    /* Checked, so the selection is in force before the program starts. */
    if (xcb_request_check(x, xcb_change_window_attributes_checked(x, root, XCB_CW_EVENT_MASK,
                                                                    &mask))) {
        fputs("maptime: cannot watch the root window\n", stderr);
        return 1;
    }
    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mapped = -1;
    xcb_generic_event_t* event;
    while (mapped < 0 && (event = xcb_wait_for_event(x))) {
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
            ((xcb_map_notify_event_t*)event)->event == root)
            mapped = now_ms() - start;
        free(event);
    }
    usleep((useconds_t)atoi(argv[1]) * 1000);
    const long rss = rss_kb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    xcb_disconnect(x);
    printf("%.2f %ld\n", mapped, rss);
    return mapped < 0 || rss < 0;
}
