// Whether the windows have a graphical desktop to go to, found out before Qt
// starts: Qt's X and Wayland platforms abort the process when they cannot
// connect, so the program asks first and explains instead.
#pragma once

#include <optional>
#include <string_view>

struct xcb_connection_t;

namespace dravik::launch {

// The desktops a Qt platform choice can show windows on.
struct DesktopsWanted {
    bool x = false;
    bool wayland = false;
};

// What the platform choice `platforms` needs ("-platform" or
// QT_QPA_PLATFORM: names separated by ";", each optionally followed by
// ":options"; Qt tries them in turn). Both when it does not say (Qt then
// takes X or Wayland, whichever the session offers). nullopt when one of the
// names needs no desktop at all (offscreen, minimal, vnc, eglfs …): then
// there is nothing to check.
std::optional<DesktopsWanted> desktopsWanted(std::string_view platforms);

// Whether the windows can go somewhere: the platform named by
// `platformOption` (else QT_QPA_PLATFORM) needs no desktop, or an X display
// (`displayOption`, else DISPLAY) accepts a connection, or a Wayland
// compositor's socket (WAYLAND_SOCKET, WAYLAND_DISPLAY) does.
//
// The X connection is held until letGo(), called once Qt has connected: an X
// server with no other client (a bare Xvfb) resets when its last client
// leaves, and would refuse Qt's connection while it does.
class DesktopCheck {
public:
    DesktopCheck(std::optional<std::string_view> platformOption, std::optional<std::string_view> displayOption);
    ~DesktopCheck() { letGo(); }
    DesktopCheck(const DesktopCheck&) = delete;
    DesktopCheck& operator=(const DesktopCheck&) = delete;

    bool reachable() const { return reachable_; }
    void letGo();

private:
    bool reachable_ = false;
    xcb_connection_t* x_ = nullptr;
};

}  // namespace dravik::launch
