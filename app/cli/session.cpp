#include "session.h"

#include "backup.h"
#include "checked_output.h"
#include "finding_text.h"
#include "messages/message_catalogue.h"
#include "output_file.h"
#include "port_listing.h"
#include "port_probe.h"
#include "programming.h"
#include "protocol/configuration_file.h"
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
    : options_(std::move(options)), out_(out), err_(err),
      receiver_(options_.port, options_.pins, options_.trace, err) {}

ExitCode Session::run() {
    if (!options_.logFile.empty()) {
        if (const auto error = log_.open(options_.logFile)) {
            report(*error);
            return ExitCode::OutputFailed;
        }
    }
    const ExitCode code = runCommand();
    // A series logs each receiver itself.
    if (!options_.series) {
        logEntry_.time = QDateTime::currentDateTime();
        logEntry_.device = options_.port;
        logEntry_.command = std::string(commandName(options_.command));
        logEntry_.result = code;
        logEntry_.finding = receiver_.lastFinding();
        log_.append(logEntry_);
    }
    // What was read or sent stands; the code still tells that its log line is missing.
    if (log_.failed() && code == ExitCode::Done)
        return ExitCode::OutputFailed;
    return code;
}

ExitCode Session::runCommand() {
    try {
        if (options_.port == kAutoPort)
            useTheProbedPort();
        switch (options_.command) {
        case Command::Read:
            read();
            break;
        case Command::Program:
            program();
            break;
        case Command::Verify:
            verify();
            break;
        case Command::Ports:
            listPorts();
            break;
        }
    } catch (const Failure& failure) {
        report(failure.message);
        reportAdvice(failure.code);
        return failure.code;
    }
    return result_;
}

void Session::listPorts() {
    if (!options_.probe) {
        out_ << portListing(receiver_.port().serialSystem());
        flushChecked(out_, kStandardOutput);
        return;
    }
    const auto probed = probePorts(options_.pins, options_.trace, err_);
    out_ << probeListing(probed);
    flushChecked(out_, kStandardOutput);
    if (std::ranges::none_of(
            probed, [](const ProbedPort& port) { return port.firmwareVersion.has_value(); }))
        result_ = ExitCode::NoAnswer;
}

void Session::useTheProbedPort() {
    const auto probed = probePorts(options_.pins, options_.trace, err_);
    const ProbedPort& chosen = portWithTheReceiver(probed);
    report("odbiornik odpowiada na porcie " + portName(chosen));
    options_.port = chosen.argument;
    receiver_.usePort(options_.port);
}

void Session::read() {
    writeOutput(readReceiver());
}

// The file is checked whole, and the backup folder readied, before the port is touched: nothing
// half-valid goes out, and nothing goes out that could not be undone.
void Session::program() {
    const Configuration settings = loadInputFile();
    const auto backupDirectory = prepareBackupDirectory();
    if (options_.series) {
        Series series(options_, receiver_, log_, out_, err_);
        result_ = series.run(settings, backupDirectory);
        return;
    }
    reportProgramming(settings, programReceiver(receiver_, settings, backupDirectory));
}

void Session::verify() {
    const Configuration expected = loadInputFile();
    const Configuration held = readReceiver();
    if (!options_.outputFile.empty())
        writeOutput(held);
    compare(expected, held);
}

Configuration Session::loadInputFile() const {
    const std::string& name = options_.inputFile;
    std::string text;
    if (name == "-") {
        text = readAll(std::cin);
    } else {
        QFile file(QString::fromStdString(name));
        if (!file.open(QIODevice::ReadOnly))
            throw Failure{ExitCode::BadInputFile, "nie można otworzyć pliku „" + name +
                                                      "”: " + file.errorString().toStdString()};
        text = file.read(kLargestInputFile + 1).toStdString();
    }
    if (text.size() > static_cast<std::size_t>(kLargestInputFile))
        throw Failure{ExitCode::BadInputFile,
                      "plik „" + name + "” jest za duży na plik konfiguracji"};
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
    if (const auto error = cli::prepareBackupDirectory(directory))
        throw Failure{ExitCode::OutputFailed, *error};
    return directory;
}

void Session::reportProgramming(const Configuration& sent, const ProgrammingOutcome& outcome) {
    logEntry_.firmwareVersion = outcome.firmwareVersion;
    logEntry_.backupPath = outcome.backupPath;
    if (!outcome.backupPath.empty())
        report("kopia konfiguracji odbiornika: " + outcome.backupPath);
    if (outcome.programmed)
        report(findMessage(message_id::ProgrammingDone)->text);
    if (!outcome.readBack)
        throw Failure{outcome.result, outcome.failure};
    if (!options_.outputFile.empty())
        writeOutput(*outcome.readBack);
    compare(sent, *outcome.readBack);
}

Configuration Session::readReceiver() {
    const Configuration held = receiver_.read();
    logEntry_.firmwareVersion = held.firmwareVersion;
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

void Session::compare(const Configuration& expected, const Configuration& actual) {
    logEntry_.differingKeys = differingKeys(expected, actual);
    const auto differences = describeDifferences(expected, actual);
    if (differences.empty()) {
        report("Konfiguracja odbiornika zgodna z plikiem.");
        return;
    }
    report("Konfiguracja odbiornika różni się od pliku:");
    for (const auto& difference : differences)
        err_ << "  " << difference << "\n";
    err_ << std::flush;
    result_ = ExitCode::Differs;
}

void Session::report(std::string_view text) const {
    err_ << "orv52-cli: " << text << std::endl;
}

void Session::reportAdvice(ExitCode code) const {
    if (const std::string_view advice = adviceAfter(code, receiver_.lastFinding()); !advice.empty())
        report(advice);
}

} // namespace orv52::cli
