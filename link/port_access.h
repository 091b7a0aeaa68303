#pragma once

#include "protocol/numbered_error.h"

#include <QString>
#include <optional>
#include <string>

namespace orv52 {

// Opening refused by the device's permissions. Carries what the user needs to get access: the
// device and the group that owns it.
class PortAccessDenied : public NumberedError {
public:
    PortAccessDenied(const QString& device, const QString& group);
    const QString& device() const { return device_; }
    const QString& group() const { return group_; }

private:
    QString device_;
    QString group_;
};

// The group owning the device when the user's permissions do not allow opening it for reading
// and writing; nothing when they do, when the device is absent, or on systems without such
// permissions (Windows). With the rest of the platform's code, in platform.cpp.
std::optional<QString> accessDeniedGroup(const QString& device);

} // namespace orv52
