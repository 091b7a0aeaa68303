#include "link/com_port_pin.h"

#include "link/platform.h"
#include "link/port_name.h"

#include <algorithm>

namespace orv52 {

namespace {

std::optional<ComPortPin> parsePin(const QString& value, ComPortPinError& error) {
    const qsizetype separator = value.indexOf(QLatin1Char('='));
    if (separator < 0) {
        error = {ComPortPinError::Kind::NoSeparator, value};
        return std::nullopt;
    }
    // "2" or "COM2"
    const QString number = value.left(separator).trimmed();
    const int portNumber =
        comPortNumber(number).value_or(comPortNumber(QStringLiteral("COM") + number).value_or(0));
    if (portNumber < 1 || portNumber > kComPortCount) {
        error = {ComPortPinError::Kind::NumberOutOfRange, value};
        return std::nullopt;
    }
    const QString device = value.mid(separator + 1);
    if (device.isEmpty()) {
        error = {ComPortPinError::Kind::NoDevice, value};
        return std::nullopt;
    }
    return ComPortPin{portNumber, device};
}

} // namespace

std::optional<ComPortPins> parseComPortPins(const QStringList& values, ComPortPinError& error) {
    ComPortPins pins;
    for (const QString& value : values) {
        const auto pin = parsePin(value, error);
        if (!pin)
            return std::nullopt;
        if (std::ranges::find(pins, pin->number, &ComPortPin::number) != pins.end()) {
            error = {ComPortPinError::Kind::PinnedTwice, value, pin->number};
            return std::nullopt;
        }
        pins.push_back(*pin);
    }
    return pins;
}

std::vector<PinnedPort> resolveComPortPins(const ComPortPins& pins) {
    std::vector<PinnedPort> resolved;
    for (const ComPortPin& pin : pins) {
        resolved.push_back({pin.number, pin.device, platform::pinTarget(pin.device)});
    }
    return resolved;
}

} // namespace orv52
