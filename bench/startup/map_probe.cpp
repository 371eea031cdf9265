// map_probe: starts a program and watches the X server, from outside, for the
// moment its top-level window is mapped.
//
//   map_probe [--size WxH] [--timeout SECONDS] [--verbose] -- PROGRAM [ARGS...]
//
// Prints one line "MILLISECONDS HWM_KIB MAXRSS_KIB":
//   MILLISECONDS  from just before the program is spawned to the arrival of
//                 the MapNotify of a top-level window whose _NET_WM_PID is
//                 the program's process id;
//   HWM_KIB       the program's peak resident set (VmHWM) read from
//                 /proc/PID/status as soon as that MapNotify arrives;
//   MAXRSS_KIB    the peak resident set the kernel reports when the program
//                 ends, i.e. what `/usr/bin/time -f %M` would print.
// The program is stopped (SIGTERM, then SIGKILL after two seconds) as soon as
// its window is mapped.
//
// With --verbose, also prints to stderr, at the map: the window, its size and
// title; each thread's CPU time and time spent waiting for a CPU; the minor
// page faults so far; and the resident set by mapped file, largest first.
//
// With --size, the mapped window must have exactly that size, so a message box
// shown instead of the expected window counts as a failure rather than as a
// fast start. Exit status: 0 on success; 1 if the program ended, or the time
// ran out, before a window was mapped, or the window had the wrong size; 2 on
// a usage or X connection error.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace {

struct Options {
    int width = 0;
    int height = 0;
    double timeoutSeconds = 30.0;
    bool verbose = false;
    char** command = nullptr;
};

[[noreturn]] void usage(const char* message) {
    std::fprintf(stderr,
                 "map_probe: %s\nusage: map_probe [--size WxH] [--timeout SECONDS] [--verbose] -- PROGRAM [ARGS...]\n",
                 message);
    std::exit(2);
}

Options parseOptions(int argc, char* argv[]) {
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--size" && i + 1 < argc) {
            char tail = 0;
            if (std::sscanf(argv[++i], "%dx%d%c", &options.width, &options.height, &tail) != 2 || options.width <= 0 ||
                options.height <= 0)
                usage("--size wants WIDTHxHEIGHT");
        } else if (arg == "--timeout" && i + 1 < argc) {
            char* end = nullptr;
            options.timeoutSeconds = std::strtod(argv[++i], &end);
            if (*end != '\0' || options.timeoutSeconds <= 0) usage("--timeout wants a positive number of seconds");
        } else {
            usage("unknown option");
        }
    }
    if (i >= argc) usage("no program given");
    options.command = argv + i;
    return options;
}

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// A "Key:   N kB" field of /proc/PID/status in KiB, or -1 if it cannot be read.
long statusKib(pid_t pid, std::string_view key) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == ':')
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    }
    return -1;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* raw) {
    return Reply<T>(raw, &std::free);
}

xcb_atom_t internAtom(xcb_connection_t* conn, const char* name) {
    auto r = reply(xcb_intern_atom_reply(
        conn, xcb_intern_atom(conn, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::optional<std::uint32_t> windowPid(xcb_connection_t* conn, xcb_window_t window, xcb_atom_t pidAtom) {
    auto r = reply(
        xcb_get_property_reply(conn, xcb_get_property(conn, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4) return std::nullopt;
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(r.get()), sizeof pid);
    return pid;
}

std::string windowTitle(xcb_connection_t* conn, xcb_window_t window) {
    const xcb_atom_t name = internAtom(conn, "_NET_WM_NAME");
    const xcb_atom_t utf8 = internAtom(conn, "UTF8_STRING");
    auto r = reply(xcb_get_property_reply(conn, xcb_get_property(conn, 0, window, name, utf8, 0, 256), nullptr));
    if (!r) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(r.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(r.get())));
}

// Ends the program and returns its peak resident set in KiB (-1 if unknown).
long stopProgram(pid_t pid) {
    kill(pid, SIGTERM);
    const double deadline = nowMs() + 2000.0;
    for (;;) {
        int status = 0;
        rusage usage{};
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) return usage.ru_maxrss;
        if (done < 0 && errno != EINTR) return -1;
        if (nowMs() > deadline) {
            kill(pid, SIGKILL);
            if (wait4(pid, &status, 0, &usage) == pid) return usage.ru_maxrss;
            return -1;
        }
        usleep(1000);
    }
}

// With --verbose: where the program's time went up to now, thread by thread
// (name, on-CPU ms, ms runnable but waiting for a CPU, from schedstat), and
// its minor page faults.
void printThreads(pid_t pid) {
    const std::string base = "/proc/" + std::to_string(pid);
    std::string stat;
    std::getline(std::ifstream(base + "/stat"), stat);
    // Field 10 (minflt) counts from the one after the ")" that ends the name.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 10 && fields >> field; ++i) {
    }
    std::fprintf(stderr, "map_probe: minor faults %s\n", field.c_str());
    for (const auto& entry : std::filesystem::directory_iterator(base + "/task")) {
        std::string name;
        std::getline(std::ifstream(entry.path() / "comm"), name);
        double runNs = 0, waitNs = 0;
        std::ifstream(entry.path() / "schedstat") >> runNs >> waitNs;
        std::fprintf(stderr, "map_probe:   thread %-8s %-16s cpu %6.1f ms  waiting %5.1f ms\n",
                     entry.path().filename().c_str(), name.c_str(), runNs / 1e6, waitNs / 1e6);
    }
}

// With --verbose: the resident set by mapped file (and "[anon]" for private
// memory), largest first, from /proc/PID/smaps.
void printResidentByFile(pid_t pid) {
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    std::map<std::string, long> kib;
    std::string line, current;
    while (std::getline(smaps, line)) {
        if (line.rfind("Rss:", 0) == 0) {
            kib[current] += std::stol(line.substr(4));
        } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) &&
                   line.find('-') < line.find(' ')) {
            // "start-end perms offset dev inode [path]": the path is the sixth field.
            std::istringstream header(line);
            std::string field;
            for (int i = 0; i < 5; ++i) header >> field;
            current.clear();
            std::getline(header >> std::ws, current);
            if (current.empty()) current = "[anon]";
        }
    }
    std::vector<std::pair<long, std::string>> sorted;
    for (const auto& [file, size] : kib) sorted.emplace_back(size, file);
    std::sort(sorted.rbegin(), sorted.rend());
    for (const auto& [size, file] : sorted)
        if (size > 0) std::fprintf(stderr, "map_probe:   %6ld KiB  %s\n", size, file.c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
    const Options options = parseOptions(argc, argv);

    int screenNumber = 0;
    xcb_connection_t* conn = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(conn)) {
        std::fprintf(stderr, "map_probe: cannot connect to the X server (DISPLAY=%s)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(conn));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
    const xcb_window_t root = screens.data->root;
    const xcb_atom_t pidAtom = internAtom(conn, "_NET_WM_PID");

    // Top-level windows are children of the root window (no window manager
    // runs on the virtual display), so their MapNotify events reach whoever
    // selects SubstructureNotify on the root. The round trip makes sure the
    // selection is in force before the program starts.
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(conn, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));
    const int xfd = xcb_get_file_descriptor(conn);
    fcntl(xfd, F_SETFD, fcntl(xfd, F_GETFD) | FD_CLOEXEC);

    const double start = nowMs();
    pid_t pid = 0;
    if (const int err = posix_spawnp(&pid, options.command[0], nullptr, nullptr, options.command, environ); err != 0) {
        std::fprintf(stderr, "map_probe: cannot start %s: %s\n", options.command[0], std::strerror(err));
        return 2;
    }
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));

    const double deadline = start + options.timeoutSeconds * 1e3;
    for (;;) {
        while (xcb_generic_event_t* raw = xcb_poll_for_event(conn)) {
            auto event = reply(raw);
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
            const double mapped = nowMs();
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (map->override_redirect) continue;
            const auto owner = windowPid(conn, map->window, pidAtom);
            if (!owner || *owner != static_cast<std::uint32_t>(pid)) continue;
            const long hwm = statusKib(pid, "VmHWM");
            // What the resident set is made of at this moment: private memory
            // versus pages of mapped files (libraries, fonts, caches).
            const long anon = options.verbose ? statusKib(pid, "RssAnon") : 0;
            const long file = options.verbose ? statusKib(pid, "RssFile") : 0;

            auto geometry = reply(xcb_get_geometry_reply(conn, xcb_get_geometry(conn, map->window), nullptr));
            const int width = geometry ? geometry->width : 0;
            const int height = geometry ? geometry->height : 0;
            const std::string title = windowTitle(conn, map->window);
            if (options.verbose)
                std::fprintf(
                    stderr,
                    "map_probe: window 0x%x \"%s\" %dx%d mapped after %.1f ms; VmHWM %ld KiB, RssAnon %ld KiB, "
                    "RssFile %ld KiB\n",
                    map->window, title.c_str(), width, height, mapped - start, hwm, anon, file);
            if (options.verbose) {
                printThreads(pid);
                printResidentByFile(pid);
            }
            const long maxrss = stopProgram(pid);
            if (options.width > 0 && (width != options.width || height != options.height)) {
                std::fprintf(stderr, "map_probe: %s mapped a %dx%d window \"%s\", not %dx%d\n", options.command[0],
                             width, height, title.c_str(), options.width, options.height);
                return 1;
            }
            std::printf("%.2f %ld %ld\n", mapped - start, hwm, maxrss);
            return 0;
        }
        if (xcb_connection_has_error(conn)) {
            std::fprintf(stderr, "map_probe: lost the X connection\n");
            stopProgram(pid);
            return 2;
        }
        const double left = deadline - nowMs();
        if (left <= 0) {
            std::fprintf(stderr, "map_probe: %s mapped no window within %.1f s\n", options.command[0],
                         options.timeoutSeconds);
            stopProgram(pid);
            return 1;
        }
        pollfd fds[2] = {{xfd, POLLIN, 0}, {pidfd, POLLIN, 0}};
        const int count = pidfd >= 0 ? 2 : 1;
        // Without a process descriptor, look at the program every 10 ms.
        const int wait = pidfd >= 0 ? static_cast<int>(left) + 1 : std::min(static_cast<int>(left) + 1, 10);
        poll(fds, static_cast<nfds_t>(count), wait);
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "map_probe: %s ended (status %d) before mapping a window\n", options.command[0],
                         status);
            return 1;
        }
    }
}
