#pragma once

#include "link/com_port_map.h"
#include "link/com_port_pin.h"

#include <QString>
#include <functional>
#include <vector>

namespace orv52 {

// Every serial port present at one moment: what COM 1..4 reach, then the devices no COM number
// reaches, each under the name that opens it ("/dev/ttyUSB3", "COM9" on Windows).
struct PortSurvey {
    ComPortAssignments numbered;
    std::vector<ComPortAssignment> others;
};

// What a port name leads to, decided in one place: it reads the machine's serial devices and
// the kernel's record of its UARTs, holds the COM numbers the user pinned, and resolves a choice
// to the device that opens. The port opens through it, and the window's tool tips, the port
// listing, the probe and --port auto ask it; nothing else reads the system's serial devices.
class PortResolver {
public:
    // The serial devices present and the kernel's record of its UARTs (the pins are the
    // resolver's own).
    using SystemReader = std::function<SerialSystemView()>;

    // Reads the system the program runs on, with the COM numbers the user pinned.
    explicit PortResolver(ComPortPins pins = {});

    // Where the devices are read from instead: a test's made-up machine.
    void setSystemReader(SystemReader reader);
    void setPins(ComPortPins pins);

    // What a port name means: "COM1".."COM4" in any case are the window's COM numbers, anything
    // else (a path, a stable by-id name, COM5 and beyond on Windows) is a device.
    static PortChoice choiceNamed(const QString& name);

    // Where `choice` leads now. Only a COM number needs the system read (which takes
    // milliseconds); a device named is itself. The numbers are 1..4: nothing chooses another.
    ComPortAssignment resolve(const PortChoice& choice) const;
    // Every port present now.
    PortSurvey survey() const;

private:
    SerialSystemView system() const;

    SystemReader reader_;
    ComPortPins pins_;
};

} // namespace orv52
