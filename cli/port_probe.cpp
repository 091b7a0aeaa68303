#include "port_probe.h"

#include "messages/command_line_text.h"
#include "messages/finding_text.h"
#include "receiver_exchanges.h"

#include <QString>

namespace orv52::cli {

namespace {

// A port to try: what --port takes for it and the device it reaches.
struct PresentPort {
    std::string argument;
    std::string device;
    bool numbered;
};

std::vector<PresentPort> presentPorts(const PortResolver& resolver) {
    const PortSurvey survey = resolver.survey();
    std::vector<PresentPort> present;
    for (int number = 1; number <= kComPortCount; ++number) {
        const ComPortAssignment& assignment = survey.numbered[number - 1];
        if (assignment.reachesDevice())
            present.push_back(
                {"COM" + std::to_string(number), assignment.device.toStdString(), true});
    }
    for (const ComPortAssignment& other : survey.others)
        present.push_back({other.device.toStdString(), other.device.toStdString(), false});
    return present;
}

std::string outcomeOf(const Failure& failure) {
    const auto& finding = failure.finding();
    if (isPortFailure(failure.code()) || !finding)
        return failure.what();
    if (*finding == Finding::Silence)
        return kSilenceText;
    return std::string(findingText(*finding));
}

std::string namedList(const std::vector<ProbedPort>& ports, bool answered) {
    std::string list;
    for (const ProbedPort& port : ports) {
        if (port.firmwareVersion.has_value() != answered)
            continue;
        list += (list.empty() ? "" : ", ") + portName(port);
    }
    return list;
}

} // namespace

std::vector<ProbedPort> probePorts(const PortResolver& resolver, bool trace,
                                   std::ostream& traceOut) {
    std::vector<ProbedPort> probed;
    // Each port opens the device the survey found: it is not resolved a second time.
    for (const PresentPort& present : presentPorts(resolver)) {
        ProbedPort port{present.argument, present.device, present.numbered, std::nullopt, {}};
        ReceiverExchanges receiver(resolver, QString::fromStdString(present.device), trace,
                                   traceOut);
        try {
            const Configuration held = receiver.read();
            port.firmwareVersion = held.firmwareVersion;
            port.outcome = receiverFoundText(held.firmwareVersion);
        } catch (const Failure& failure) {
            port.outcome = outcomeOf(failure);
        }
        probed.push_back(std::move(port));
    }
    return probed;
}

std::string portName(const ProbedPort& port) {
    return port.numbered ? port.argument + " (" + port.device + ")" : port.device;
}

std::string probeListing(const std::vector<ProbedPort>& ports) {
    if (ports.empty())
        return "Portów szeregowych brak.\n";
    std::string text;
    for (const ProbedPort& port : ports) {
        text += (port.numbered ? port.argument + "  " : std::string(6, ' ')) + port.device + ": " +
                port.outcome + "\n";
    }
    return text;
}

const ProbedPort& portWithTheReceiver(const std::vector<ProbedPort>& ports) {
    std::vector<const ProbedPort*> answered;
    for (const ProbedPort& port : ports)
        if (port.firmwareVersion)
            answered.push_back(&port);
    if (answered.size() == 1)
        return *answered.front();
    if (answered.empty())
        throw Failure{ExitCode::NoAnswer, receiverOnNoPortText(namedList(ports, false))};
    throw Failure{ExitCode::Usage, receiverOnSeveralPortsText(namedList(ports, true))};
}

} // namespace orv52::cli
