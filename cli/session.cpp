#include "session.h"

#include "advice.h"
#include "backup.h"
#include "checked_output.h"
#include "messages/command_line_text.h"
#include "messages/file_failure_text.h"
#include "messages/message_catalogue.h"
#include "output_file.h"
#include "port_listing.h"
#include "port_probe.h"
#include "programming.h"
#include "protocol/configuration_file.h"
#include "receiver_exchanges.h"
#include "series.h"

#include <QFile>
#include <algorithm>
#include <iostream>
#include <iterator>
#include <utility>

namespace orv52::cli {

namespace {

// A configuration file is a few hundred bytes; anything far bigger is not one.
constexpr qint64 kLargestInputFile = qint64{64} * 1024;

std::string readAll(std::istream& stream) {
    std::string text;
    char chunk[4096];
    while (stream.read(chunk, sizeof chunk) || stream.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(stream.gcount()));
        if (text.size() > static_cast<std::size_t>(kLargestInputFile))
            break;
    }
    return text;
}

} // namespace

Session::Session(Options options, std::ostream& out, std::ostream& err)
    : Session(std::move(options), nullptr, out, err) {}

Session::Session(Options options, std::unique_ptr<ReceiverLine> receiver, std::ostream& out,
                 std::ostream& err)
    : options_(std::move(options)), out_(out), err_(err), resolver_(options_.pins),
      receiver_(receiver ? std::move(receiver)
                         : std::make_unique<ReceiverExchanges>(
                               resolver_,
                               PortResolver::choiceNamed(QString::fromStdString(options_.port)),
                               options_.trace, err)) {
    if (!options_.series)
        receiver_->refuseAfter(stop_);
}

ExitCode Session::run() {
    ExitCode code = ExitCode::Done;
    // Every failure of the command ends here, and only here becomes its exit code.
    try {
        if (!options_.logFile.empty())
            log_.open(options_.logFile);
        code = runCommand();
    } catch (const Failure& failure) {
        report(failure.what());
        if (const std::string advice =
                adviceAfter(failure.code(), receiver_->lastExchange().reading);
            !advice.empty())
            report(advice);
        code = failure.code();
    }
    // A command that ran to its end all the same tells that it was asked to stop.
    if (stop_.requested() && code == ExitCode::Done && !options_.series) {
        report(kInterruptedText);
        code = ExitCode::Interrupted;
    }
    // A series logs each receiver itself.
    if (!options_.series) {
        const ExchangeRecord& exchange = receiver_->lastExchange();
        log_.append(QDateTime::currentDateTime(), commandName(options_.command),
                    {.port = options_.port,
                     .device = exchange.device,
                     .reachedByNumber = false,
                     .result = code,
                     .failure = {},
                     .facts = facts_,
                     .answer = exchange.reading});
    }
    // What was read or sent stands; the code still tells that its log line is missing.
    if (log_.failed() && code == ExitCode::Done)
        return ExitCode::OutputFailed;
    return code;
}

ExitCode Session::runCommand() {
    if (options_.port == kAutoPort)
        useTheProbedPort();
    switch (options_.command) {
    case Command::Read:
        return read();
    case Command::Program:
        return program();
    case Command::Verify:
        return verify();
    case Command::Ports:
        return listPorts();
    }
    return ExitCode::Usage;
}

ExitCode Session::listPorts() {
    if (!options_.probe) {
        out_ << portListing(resolver_.survey());
        flushChecked(out_, kStandardOutput);
        return ExitCode::Done;
    }
    const auto probed = probePorts(resolver_, options_.trace, err_, &stop_);
    out_ << probeListing(probed);
    flushChecked(out_, kStandardOutput);
    const bool answered = std::ranges::any_of(
        probed, [](const ReceiverResult& port) { return port.facts.firmwareVersion.has_value(); });
    return answered ? ExitCode::Done : ExitCode::NoAnswer;
}

void Session::useTheProbedPort() {
    const auto probed = probePorts(resolver_, options_.trace, err_, &stop_);
    const ReceiverResult& chosen = portWithTheReceiver(probed);
    report(receiverOnPortText(portName(chosen)));
    // The device that answered, as found: not resolved again. The log keeps "auto" as the port
    // the user gave, beside this device.
    receiver_->usePort(QString::fromStdString(chosen.device));
}

ExitCode Session::read() {
    writeOutput(readReceiver());
    return ExitCode::Done;
}

// The file is checked whole, and the backup folder readied, before the port is touched: nothing
// half-valid goes out, and nothing goes out that could not be undone.
ExitCode Session::program() {
    const Configuration settings = loadInputFile();
    const auto backupDirectory = prepareBackupDirectory();
    if (options_.series) {
        Series series(options_, *receiver_, log_, stop_, out_, err_);
        return series.run(settings, backupDirectory);
    }
    const auto held = backupDirectory ? std::optional(readReceiver()) : std::nullopt;
    programReceiver(*receiver_, settings, backupDirectory, held,
                    {[this](const std::string& path) { report(backupWrittenText(path)); },
                     [this] { report(findMessage(message_id::ProgrammingDone).value().text); }},
                    facts_);
    if (!options_.outputFile.empty())
        writeOutput(facts_.readBack.value());
    return compare(settings, facts_.readBack.value());
}

ExitCode Session::verify() {
    const Configuration expected = loadInputFile();
    const Configuration held = readReceiver();
    if (!options_.outputFile.empty())
        writeOutput(held);
    return compare(expected, held);
}

Configuration Session::loadInputFile() const {
    const std::string& name = options_.inputFile;
    std::string text;
    if (name == "-") {
        text = readAll(std::cin);
    } else {
        QFile file(QString::fromStdString(name));
        if (!file.open(QIODevice::ReadOnly))
            throw Failure{ExitCode::BadInputFile,
                          inputFileNotOpenedText(name, file.errorString().toStdString())};
        text = file.read(kLargestInputFile + 1).toStdString();
    }
    if (text.size() > static_cast<std::size_t>(kLargestInputFile))
        throw Failure{ExitCode::BadInputFile, inputFileTooLargeText(name)};
    const auto parsed = parseConfigurationFile(text);
    if (!parsed.settings)
        throw Failure{ExitCode::BadInputFile, name + ": " + parsed.error.describe()};
    return *parsed.settings;
}

std::optional<QString> Session::prepareBackupDirectory() const {
    if (options_.noBackup)
        return std::nullopt;
    const QString directory = options_.backupDirectory.empty()
                                  ? defaultBackupDirectory()
                                  : QString::fromStdString(options_.backupDirectory);
    cli::prepareBackupDirectory(directory);
    return directory;
}

Configuration Session::readReceiver() {
    const Configuration held = receiver_->read();
    facts_.firmwareVersion = held.firmwareVersion;
    return held;
}

void Session::writeOutput(const Configuration& settings) {
    const std::string text = writeConfigurationFile(settings);
    if (!options_.outputFile.empty()) {
        saveOutputFile(options_.outputFile, text);
        return;
    }
    out_ << text;
    flushChecked(out_, kStandardOutput);
}

ExitCode Session::compare(const Configuration& expected, const Configuration& held) {
    if (compareHeld(facts_, expected, held) == ExitCode::Done) {
        report(kMatchesFileText);
        return ExitCode::Done;
    }
    report(kDiffersFromFileText);
    for (const auto& difference : describeDifferences(expected, held))
        err_ << "  " << difference << "\n";
    err_ << std::flush;
    return ExitCode::Differs;
}

void Session::report(std::string_view text) const {
    err_ << kCliPrefix << text << std::endl;
}

} // namespace orv52::cli
