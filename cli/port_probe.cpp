#include "port_probe.h"

#include "messages/command_line_text.h"
#include "messages/finding_text.h"
#include "receiver_exchanges.h"

#include <QString>

namespace orv52::cli {

namespace {

ReceiverResult portToTry(const std::string& port, const QString& device, bool reachedByNumber) {
    ReceiverResult tried;
    tried.port = port;
    tried.device = device.toStdString();
    tried.reachedByNumber = reachedByNumber;
    return tried;
}

// The ports to try, with what --port takes for each and the device it reaches.
std::vector<ReceiverResult> presentPorts(const PortResolver& resolver) {
    const PortSurvey survey = resolver.survey();
    std::vector<ReceiverResult> present;
    for (int number = 1; number <= kComPortCount; ++number) {
        const ComPortAssignment& assignment = survey.numbered[number - 1];
        if (assignment.reachesDevice())
            present.push_back(portToTry("COM" + std::to_string(number), assignment.device, true));
    }
    for (const ComPortAssignment& other : survey.others)
        present.push_back(portToTry(other.device.toStdString(), other.device, false));
    return present;
}

// The receiver and its version, or what the query ended with.
std::string outcomeOf(const ReceiverResult& port) {
    if (port.firmwareVersion)
        return receiverFoundText(*port.firmwareVersion);
    if (isPortFailure(port.result) || !port.finding)
        return port.failure;
    if (*port.finding == Finding::Silence)
        return kSilenceText;
    return std::string(findingText(*port.finding));
}

std::string namedList(const std::vector<ReceiverResult>& ports, bool answered) {
    std::string list;
    for (const ReceiverResult& port : ports) {
        if (port.firmwareVersion.has_value() != answered)
            continue;
        list += (list.empty() ? "" : ", ") + portName(port);
    }
    return list;
}

} // namespace

std::vector<ReceiverResult> probePorts(const PortResolver& resolver, bool trace,
                                       std::ostream& traceOut, const StopRequest* stop) {
    std::vector<ReceiverResult> probed = presentPorts(resolver);
    // Each port opens the device the survey found: it is not resolved a second time.
    for (ReceiverResult& port : probed) {
        if (stop && stop->requested())
            throw Failure{ExitCode::Interrupted, kInterruptedText};
        ReceiverExchanges receiver(resolver, QString::fromStdString(port.device), trace, traceOut);
        try {
            port.firmwareVersion = receiver.read().firmwareVersion;
        } catch (const Failure& failure) {
            failedWith(port, failure);
            port.finding = failure.finding();
        }
    }
    return probed;
}

std::string portName(const ReceiverResult& port) {
    return port.reachedByNumber ? port.port + " (" + port.device + ")" : port.device;
}

std::string probeListing(const std::vector<ReceiverResult>& ports) {
    if (ports.empty())
        return "Portów szeregowych brak.\n";
    std::string text;
    for (const ReceiverResult& port : ports) {
        text += (port.reachedByNumber ? port.port + "  " : std::string(6, ' ')) + port.device +
                ": " + outcomeOf(port) + "\n";
    }
    return text;
}

const ReceiverResult& portWithTheReceiver(const std::vector<ReceiverResult>& ports) {
    std::vector<const ReceiverResult*> answered;
    for (const ReceiverResult& port : ports)
        if (port.firmwareVersion)
            answered.push_back(&port);
    if (answered.size() == 1)
        return *answered.front();
    if (answered.empty())
        throw Failure{ExitCode::NoAnswer, receiverOnNoPortText(namedList(ports, false))};
    throw Failure{ExitCode::Usage, receiverOnSeveralPortsText(namedList(ports, true))};
}

} // namespace orv52::cli
