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

// The values of --com, each "N=DEVICE" with N from 1 to 4, each number at most once; nothing and
// a reason in Polish for the first that is not.
std::optional<ComPortPins> parseComPortPins(const QStringList& values, QString& error);

// The pins with the devices they lead to now (a by-id link resolved to its node).
std::vector<PinnedPort> resolveComPortPins(const ComPortPins& pins);

} // namespace orv52
