#include "launch/display_reach.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace dravik::launch {
namespace {

// Connects as Qt's X platform does, authorisation included. Returns the
// connection, or nullptr when there is none.
xcb_connection_t* connectToX(std::optional<std::string_view> displayOption) {
    const std::string name(displayOption.value_or(std::string_view()));
    if (name.empty() && std::getenv("DISPLAY") == nullptr) return nullptr;
    xcb_connection_t* connection = xcb_connect(name.empty() ? nullptr : name.c_str(), nullptr);
    if (xcb_connection_has_error(connection) == 0) return connection;
    xcb_disconnect(connection);
    return nullptr;
}

// Finds the compositor's socket as libwayland does: WAYLAND_SOCKET is an
// inherited connection; otherwise WAYLAND_DISPLAY (default "wayland-0") is
// a path, relative to XDG_RUNTIME_DIR unless absolute.
bool waylandReachable() {
    if (std::getenv("WAYLAND_SOCKET") != nullptr) return true;
    const char* display = std::getenv("WAYLAND_DISPLAY");
    std::string path = display != nullptr ? display : "wayland-0";
    if (path.empty()) return false;
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr || *runtime == '\0') return false;
        path = std::string(runtime) + '/' + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool reachable = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return reachable;
}

}  // namespace

std::optional<DesktopsWanted> desktopsWanted(std::string_view platforms) {
    DesktopsWanted wanted;
    bool named = false;
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        std::string_view name = platforms.substr(0, end);
        platforms.remove_prefix(end == std::string_view::npos ? platforms.size() : end + 1);
        name = name.substr(0, name.find(':'));
        if (name.empty()) continue;
        named = true;
        if (name == "xcb") {
            wanted.x = true;
        } else if (name.starts_with("wayland")) {
            wanted.wayland = true;
        } else {
            return std::nullopt;
        }
    }
    if (!named) wanted = {.x = true, .wayland = true};
    return wanted;
}

DesktopCheck::DesktopCheck(std::optional<std::string_view> platformOption,
                           std::optional<std::string_view> displayOption) {
    const char* environment = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platforms = platformOption ? *platformOption : environment ? environment : "";
    const std::optional<DesktopsWanted> wanted = desktopsWanted(platforms);
    if (wanted && wanted->x) x_ = connectToX(displayOption);
    reachable_ = !wanted || x_ != nullptr || (wanted->wayland && waylandReachable());
}

void DesktopCheck::letGo() {
    if (x_ != nullptr) xcb_disconnect(x_);
    x_ = nullptr;
}

}  // namespace dravik::launch
