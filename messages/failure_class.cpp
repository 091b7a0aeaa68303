#include "failure_class.h"

#include "message_catalogue.h"
#include "protocol/numbered_error.h"

#include <algorithm>
#include <array>

namespace orv52 {

namespace {

using Outcome = ExchangeController::Outcome;

struct ErrorRow {
    int errorNumber;
    FailureClass failure;
};

constexpr std::array<ErrorRow, 3> kErrors{{
    {error_number::InvalidPortNumber, {message_id::InvalidPortNumber, ExitCode::InvalidPort, true}},
    {error_number::PortAlreadyOpen, {message_id::PortBusy, ExitCode::PortBusy, true}},
    {error_number::PortAccessDenied, {message_id::PortAccessDenied, ExitCode::AccessDenied, true}},
}};
// Every other error: the port failed in a way the window passes over.
constexpr FailureClass kOtherError{std::nullopt, ExitCode::PortFailed, true};

struct OutcomeRow {
    Outcome outcome;
    FailureClass failure;
};

constexpr std::array<OutcomeRow, 5> kOutcomes{{
    {Outcome::ProgrammingDone, {message_id::ProgrammingDone, ExitCode::Done, false}},
    {Outcome::ConfigurationReceived, {std::nullopt, ExitCode::Done, false}},
    {Outcome::TransmissionError,
     {message_id::TransmissionError, ExitCode::TransmissionError, false}},
    {Outcome::NoAnswer, {message_id::NoConnection, ExitCode::NoAnswer, false}},
    // The window waits out its timeout for a device that went away, and says what silence says.
    {Outcome::PortLost, {message_id::NoConnection, ExitCode::PortFailed, true}},
}};

} // namespace

const FailureClass& classOfError(int errorNumber) {
    const auto row = std::ranges::find(kErrors, errorNumber, &ErrorRow::errorNumber);
    return row == kErrors.end() ? kOtherError : row->failure;
}

const FailureClass& classOfOutcome(Outcome outcome) {
    return std::ranges::find(kOutcomes, outcome, &OutcomeRow::outcome)->failure;
}

bool isPortFailure(ExitCode code) {
    const auto failsThePort = [code](const FailureClass& failure) {
        return failure.portFailure && failure.exitCode == code;
    };
    return failsThePort(kOtherError) ||
           std::ranges::any_of(kErrors, failsThePort, &ErrorRow::failure) ||
           std::ranges::any_of(kOutcomes, failsThePort, &OutcomeRow::failure);
}

} // namespace orv52
