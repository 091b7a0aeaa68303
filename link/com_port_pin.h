#pragma once

#include "link/com_port_map.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace orv52 {

// "COM n" pinned by the user to a device, whatever else is plugged in.
struct ComPortPin {
    int number = 0;
    QString device;
};
using ComPortPins = std::vector<ComPortPin>;

// Why a value of --com was refused: the value as given, and for a number pinned twice, that
// number. messages/ tells it in words.
struct ComPortPinError {
    enum class Kind { NoSeparator, NumberOutOfRange, NoDevice, PinnedTwice };
    Kind kind = Kind::NoSeparator;
    QString value;
    int number = 0;
};

// The values of --com, each "N=DEVICE" with N from 1 to 4, each number at most once; nothing and
// why for the first that is not.
std::optional<ComPortPins> parseComPortPins(const QStringList& values, ComPortPinError& error);

// The pins with the devices they lead to now (a by-id link resolved to its node).
std::vector<PinnedPort> resolveComPortPins(const ComPortPins& pins);

} // namespace orv52
