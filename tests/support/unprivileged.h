#pragma once

#include <string>

// A device node that the test process may not open: its permission bits are cleared and, when
// the test runs as root (which no permission stops), the process acts as user and group
// "nobody" until the scope ends. The device keeps its owner and group.
class DeniedDevice {
public:
    explicit DeniedDevice(const std::string& path);
    ~DeniedDevice();
    DeniedDevice(const DeniedDevice&) = delete;
    DeniedDevice& operator=(const DeniedDevice&) = delete;

    // False when the process could not give up root; the test cannot run then.
    bool denied() const { return denied_; }
    // The name of the group that owns the device, as the system reports it.
    std::string owningGroup() const;

private:
    std::string path_;
    unsigned mode_ = 0;
    bool droppedRoot_ = false;
    bool denied_ = false;
};

// The user id of "nobody", which owns nothing and belongs to no group.
inline constexpr unsigned kNobody = 65534;
