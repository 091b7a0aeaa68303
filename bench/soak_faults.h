#pragma once

#include "link/exchange_controller.h"

#include <QStringList>
#include <array>
#include <random>
#include <string_view>

// The misbehaviours the soak run puts into an exchange, each realised by a receiver simulator
// started with the matching fault, and the outcome each one calls for.
enum class Fault {
    None,
    Silent,
    Stray,
    BadChecksum,
    Er,
    ExtraByte,
    Split,
    LateWithin, // answers late, but in time to complete before the timeout
    LateBeyond, // begins to answer only after the timeout
};
inline constexpr std::size_t kFaultCount = 9;

enum class RequestKind { Read, Program };

using Outcome = orv52::ExchangeController::Outcome;

std::string_view faultName(Fault fault);

// The simulator's command line for a receiver with this fault.
QStringList simulatorArgs(Fault fault);

// How long the simulator waits before it answers.
int answerDelayMs(Fault fault);

// The outcome the answer recognition and the record check give this fault's answer.
Outcome expectedOutcome(Fault fault, RequestKind kind);

// One of the seven kinds of fault, each as likely as the others; a late answer is as often in
// time as too late.
Fault randomFault(std::mt19937_64& random);
