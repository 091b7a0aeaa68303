#include "port_probe.h"

#include "messages/command_line_text.h"
#include "messages/failure_class.h"
#include "messages/finding_text.h"
#include "receiver_exchanges.h"

#include <QString>

namespace orv52::cli {

namespace {

// A port to try: what --port takes for it, and the device it reaches.
struct PortToTry {
    std::string port;
    QString device;
    bool reachedByNumber;
};

std::vector<PortToTry> presentPorts(const PortResolver& resolver) {
    const PortSurvey survey = resolver.survey();
    std::vector<PortToTry> present;
    for (int number = 1; number <= kComPortCount; ++number) {
        const ComPortAssignment& assignment = survey.numbered[number - 1];
        if (assignment.reachesDevice())
            present.push_back({"COM" + std::to_string(number), assignment.device, true});
    }
    for (const ComPortAssignment& other : survey.others)
        present.push_back({other.device.toStdString(), other.device, false});
    return present;
}

// Queries one port; its result, whatever the query ended with.
ReceiverResult probe(const PortToTry& tried, const PortResolver& resolver, bool trace,
                     std::ostream& traceOut) {
    // The device the survey found is opened: it is not resolved a second time.
    ReceiverExchanges receiver(resolver, tried.device, trace, traceOut);
    ReceiverFacts facts;
    ExitCode result = ExitCode::Done;
    std::string failure;
    try {
        facts.firmwareVersion = receiver.read().firmwareVersion;
    } catch (const Failure& failed) {
        result = failed.code();
        failure = failed.what();
    }
    return {.port = tried.port,
            .device = tried.device.toStdString(),
            .reachedByNumber = tried.reachedByNumber,
            .result = result,
            .failure = failure,
            .facts = facts,
            .answer = receiver.lastExchange().reading};
}

// The receiver and its version, or what the query ended with.
std::string outcomeOf(const ReceiverResult& port) {
    if (port.facts.firmwareVersion)
        return receiverFoundText(*port.facts.firmwareVersion);
    if (isPortFailure(port.result) || !port.answer)
        return port.failure;
    if (port.answer->finding == Finding::Silence)
        return kSilenceText;
    return findingText(*port.answer);
}

std::string namedList(const std::vector<ReceiverResult>& ports, bool answered) {
    std::string list;
    for (const ReceiverResult& port : ports) {
        if (port.facts.firmwareVersion.has_value() != answered)
            continue;
        list += (list.empty() ? "" : ", ") + portName(port);
    }
    return list;
}

} // namespace

std::vector<ReceiverResult> probePorts(const PortResolver& resolver, bool trace,
                                       std::ostream& traceOut, const StopRequest* stop) {
    std::vector<ReceiverResult> probed;
    for (const PortToTry& port : presentPorts(resolver)) {
        if (stop && stop->requested())
            throw Failure{ExitCode::Interrupted, kInterruptedText};
        probed.push_back(probe(port, resolver, trace, traceOut));
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
        if (port.facts.firmwareVersion)
            answered.push_back(&port);
    if (answered.size() == 1)
        return *answered.front();
    if (answered.empty())
        throw Failure{ExitCode::NoAnswer, receiverOnNoPortText(namedList(ports, false))};
    throw Failure{ExitCode::Usage, receiverOnSeveralPortsText(namedList(ports, true))};
}

} // namespace orv52::cli
