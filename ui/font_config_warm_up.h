#pragma once

#include <thread>

namespace orv52 {

// Reads the system's font configuration on a helper thread while the main thread starts Qt and
// connects to the display. The first text the window measures needs that configuration, and
// parsing its files is the largest single step of the start-up. Where Qt does not use
// fontconfig this does nothing.
class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Waits until the configuration is read. Call it before the first font is used: Qt would
    // otherwise read the configuration a second time meanwhile.
    void finish();

private:
    std::thread reader_;
};

} // namespace orv52
