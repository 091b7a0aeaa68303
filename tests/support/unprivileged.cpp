#include "support/unprivileged.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

DeniedDevice::DeniedDevice(const std::string& path) : path_(path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0 || chmod(path.c_str(), 0) != 0) {
        path_.clear();
        return;
    }
    mode_ = status.st_mode & 07777;
    // Effective ids only: the saved root id lets the destructor take root back.
    if (geteuid() == 0 && setegid(kNobody) == 0) {
        droppedRoot_ = seteuid(kNobody) == 0;
        if (!droppedRoot_ && setegid(0) != 0)
            return;
    }
    denied_ = geteuid() != 0;
}

DeniedDevice::~DeniedDevice() {
    if (droppedRoot_ && (seteuid(0) != 0 || setegid(0) != 0))
        return;
    if (!path_.empty())
        chmod(path_.c_str(), mode_);
}

std::string DeniedDevice::owningGroup() const {
    struct stat status {};
    if (stat(path_.c_str(), &status) != 0)
        return {};
    const group* owner = getgrgid(status.st_gid);
    return owner ? owner->gr_name : std::to_string(status.st_gid);
}
