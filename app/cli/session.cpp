#include "session.h"

#include "finding_text.h"
#include "port_argument.h"
#include "port_listing.h"
#include "protocol/configuration_file.h"
#include "protocol/requests.h"
#include "trace_line.h"
#include "ui/error_report.h"
#include "ui/message_catalogue.h"

#include <QFile>
#include <QSaveFile>
#include <iostream>
#include <iterator>
#include <utility>

namespace orv52::cli {

namespace {

// A configuration file is a few hundred bytes; anything far bigger is not one.
constexpr qint64 kLargestInputFile = qint64{64} * 1024;

// Ends the command with a code and what the user is told.
struct Failure {
    ExitCode code;
    std::string message;
};

std::string messageText(int messageId) {
    return std::string(findMessage(messageId)->text);
}

Failure portFailure(const NumberedError& error) {
    const auto message = operatorMessageFor(error);
    if (!message)
        return {ExitCode::PortFailed, std::string("Błąd portu: ") + error.what()};
    std::string text = messageText(message->id);
    if (!message->detail.empty())
        text += " " + message->detail;
    return {exitCodeForMessage(message->id), text};
}

Failure unexpectedAnswer(std::string_view expected) {
    return {ExitCode::TransmissionError, messageText(message_id::TransmissionError) +
                                             " (odbiornik nie przysłał " + std::string(expected) +
                                             ")"};
}

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
    : options_(std::move(options)), out_(out), err_(err) {
    sinceStart_.start();
    port_.setComPortPins(options_.pins);
    selectPort(port_, options_.port);
    if (options_.trace)
        exchange_.setTrace([this](auto direction, auto bytes) { trace(direction, bytes); });
}

ExitCode Session::run() {
    try {
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
            out_ << portListing(port_.serialSystem()) << std::flush;
            break;
        }
    } catch (const Failure& failure) {
        report(failure.message);
        // Both say only that an exchange failed; the bytes that came back tell what to check.
        if (failure.code == ExitCode::NoAnswer || failure.code == ExitCode::TransmissionError)
            reportFinding();
        return failure.code;
    }
    return result_;
}

void Session::read() {
    writeOutput(readReceiver());
}

// The file is checked whole before the port is touched: nothing half-valid goes out.
void Session::program() {
    const Configuration settings = loadInputFile();
    programReceiver(settings);
    report(messageText(message_id::ProgrammingDone));
    const Configuration heldNow = readReceiver();
    if (!options_.outputFile.empty())
        writeOutput(heldNow);
    compare(settings, heldNow);
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

Configuration Session::readReceiver() {
    const auto query = makeConfigurationQuery();
    switch (exchange(query)) {
    case ExchangeController::Outcome::ConfigurationReceived:
        return *exchange_.receivedConfiguration();
    case ExchangeController::Outcome::ProgrammingDone:
        throw unexpectedAnswer("konfiguracji");
    case ExchangeController::Outcome::TransmissionError:
        throw Failure{ExitCode::TransmissionError, messageText(message_id::TransmissionError)};
    case ExchangeController::Outcome::NoAnswer:
        break;
    }
    throw Failure{ExitCode::NoAnswer, messageText(message_id::NoConnection)};
}

void Session::programReceiver(const Configuration& settings) {
    Record frame = makeProgrammingFrameTemplate();
    fillProgrammingFrame(frame, settings);
    switch (exchange(frame)) {
    case ExchangeController::Outcome::ProgrammingDone:
        return;
    case ExchangeController::Outcome::ConfigurationReceived:
    case ExchangeController::Outcome::TransmissionError:
        throw unexpectedAnswer("potwierdzenia programowania");
    case ExchangeController::Outcome::NoAnswer:
        break;
    }
    throw Failure{ExitCode::NoAnswer, messageText(message_id::NoConnection)};
}

ExchangeController::Outcome Session::exchange(std::span<const std::uint8_t> request) {
    finding_.reset();
    try {
        const auto outcome = exchange_.run(request);
        finding_ = examineAnswer(request, exchange_.receivedBytes());
        return outcome;
    } catch (const NumberedError& error) {
        exchange_.end();
        throw portFailure(error);
    }
}

void Session::writeOutput(const Configuration& settings) {
    const std::string text = writeConfigurationFile(settings);
    if (options_.outputFile.empty()) {
        out_ << text << std::flush;
        return;
    }
    // Written whole or not at all: a failed write never leaves half a file behind.
    QSaveFile file(QString::fromStdString(options_.outputFile));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit())
        throw Failure{ExitCode::OutputFailed, "nie można zapisać pliku „" + options_.outputFile +
                                                  "”: " + file.errorString().toStdString()};
}

void Session::compare(const Configuration& expected, const Configuration& actual) {
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

void Session::trace(ExchangeController::Direction direction, std::span<const std::uint8_t> bytes) {
    const double seconds = static_cast<double>(sinceStart_.nsecsElapsed()) / 1e9;
    err_ << traceLine(seconds, direction == ExchangeController::Direction::Sent, bytes)
         << std::flush;
}

void Session::report(std::string_view text) const {
    err_ << "orv52-cli: " << text << std::endl;
}

void Session::reportFinding() const {
    if (!finding_)
        return;
    if (const std::string_view advice = findingText(*finding_); !advice.empty())
        report(advice);
}

} // namespace orv52::cli
