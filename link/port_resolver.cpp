#include "link/port_resolver.h"

#include "link/platform.h"
#include "link/port_name.h"
#include "link/serial_port_list.h"

#include <utility>

namespace orv52 {

PortResolver::PortResolver(ComPortPins pins)
    : reader_([] {
          return SerialSystemView{availableSerialPorts(), platform::kernelUartRecords(), {}};
      }),
      pins_(std::move(pins)) {}

void PortResolver::setSystemReader(SystemReader reader) {
    reader_ = std::move(reader);
}

void PortResolver::setPins(ComPortPins pins) {
    pins_ = std::move(pins);
}

PortChoice PortResolver::choiceNamed(const QString& name) {
    const int number = comPortNumber(name).value_or(0);
    if (number >= 1 && number <= kComPortCount)
        return number;
    return name;
}

ComPortAssignment PortResolver::resolve(const PortChoice& choice) const {
    if (const auto* device = std::get_if<QString>(&choice))
        return {*device, std::nullopt};
    return platform::comPorts(system()).at(std::get<int>(choice) - 1);
}

PortSurvey PortResolver::survey() const {
    const SerialSystemView now = system();
    PortSurvey survey{platform::comPorts(now), {}};
    for (const SerialPortEntry& other : otherSerialDevices(now, survey.numbered))
        survey.others.push_back({platform::deviceName(other), other});
    return survey;
}

SerialSystemView PortResolver::system() const {
    SerialSystemView now = reader_();
    now.pins = resolveComPortPins(pins_);
    return now;
}

} // namespace orv52
