#include "soak_faults.h"

#include "line_time.h"
#include "protocol/receive_buffer.h"

namespace {

using orv52::ExchangeController;

constexpr int kLateWithinMs = 1200;
constexpr int kLateBeyondMs = 2400;
// Scheduling jitter allowed on top of the line time and the poll period.
constexpr int kSlackMs = 150;

// The longest answer ends its line time after the delay, and the poll that takes its last byte
// comes at most one period later: that must still be before the timeout.
static_assert(kLateWithinMs + lineTimeMs(orv52::kConfigurationAnswerSize) +
                  ExchangeController::kPollIntervalMs + kSlackMs <
              ExchangeController::kTimeoutMs);
// No byte of the answer arrives before the timeout ends the exchange.
static_assert(kLateBeyondMs > ExchangeController::kTimeoutMs + kSlackMs);

constexpr std::array<std::string_view, kFaultCount> kNames{
    "none",       "silent", "stray",       "bad-checksum", "er",
    "extra-byte", "split",  "late-within", "late-beyond"};

Outcome normalOutcome(RequestKind kind) {
    return kind == RequestKind::Read ? Outcome::ConfigurationReceived : Outcome::ProgrammingDone;
}

} // namespace

std::string_view faultName(Fault fault) {
    return kNames[static_cast<std::size_t>(fault)];
}

QStringList simulatorArgs(Fault fault) {
    switch (fault) {
    case Fault::None:
        return {};
    case Fault::LateWithin:
    case Fault::LateBeyond:
        return {QStringLiteral("--fault"), QStringLiteral("delay=%1").arg(answerDelayMs(fault))};
    default:
        return {QStringLiteral("--fault"), QString::fromLatin1(faultName(fault))};
    }
}

int answerDelayMs(Fault fault) {
    switch (fault) {
    case Fault::LateWithin:
        return kLateWithinMs;
    case Fault::LateBeyond:
        return kLateBeyondMs;
    default:
        return 0;
    }
}

Outcome expectedOutcome(Fault fault, RequestKind kind) {
    switch (fault) {
    // Stray bytes are dropped when the buffer is resynchronised on the header behind them; a
    // split answer is only assembled over more polls; a late one still completes in time.
    case Fault::None:
    case Fault::Stray:
    case Fault::Split:
    case Fault::LateWithin:
        return normalOutcome(kind);
    // Only a configuration answer carries a record to spoil; a programming answer is recognised
    // by its header, its length and "OK" alone.
    case Fault::BadChecksum:
        return kind == RequestKind::Read ? Outcome::TransmissionError : Outcome::ProgrammingDone;
    // "ER" where "OK" must stand never completes; nor does an answer whose last byte arrives
    // with one byte too many, since the length must be exact after that append.
    case Fault::Silent:
    case Fault::Er:
    case Fault::ExtraByte:
    case Fault::LateBeyond:
        return Outcome::NoAnswer;
    }
    return Outcome::NoAnswer;
}

Fault randomFault(std::mt19937_64& random) {
    // Silent .. Split, or late in one of its two forms.
    std::uniform_int_distribution<int> kind(static_cast<int>(Fault::Silent),
                                            static_cast<int>(Fault::LateWithin));
    const auto fault = static_cast<Fault>(kind(random));
    if (fault == Fault::LateWithin && std::bernoulli_distribution(0.5)(random))
        return Fault::LateBeyond;
    return fault;
}
