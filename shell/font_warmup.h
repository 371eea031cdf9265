// Reads the system's font configuration on a second thread while the main
// thread connects to the display.
#pragma once

#include <thread>

namespace dravik::shell {

// Loading fontconfig's configuration (parsing /etc/fonts and its caches) is
// the largest part of showing the first text, and it does not depend on the
// display. Started before QApplication and joined right after it, the two run
// side by side; Qt then finds the configuration already loaded. Nothing else
// uses fontconfig in that time.
class FontConfigurationWarmUp {
public:
    FontConfigurationWarmUp();
    ~FontConfigurationWarmUp() { finish(); }
    FontConfigurationWarmUp(const FontConfigurationWarmUp&) = delete;
    FontConfigurationWarmUp& operator=(const FontConfigurationWarmUp&) = delete;

    // Waits until the configuration is loaded.
    void finish() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};

}  // namespace dravik::shell
