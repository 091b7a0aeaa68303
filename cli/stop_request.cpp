#include "stop_request.h"

#include "cli_platform.h"

#include <atomic>
#include <stdexcept>

namespace orv52::cli {

namespace {

// The one live StopRequest: the signals are the process's. Set by the constructor, cleared by the
// destructor.
std::atomic<StopRequest*> live{nullptr};

} // namespace

StopRequest::StopRequest(QObject* parent) : QObject(parent) {
    StopRequest* none = nullptr;
    if (!live.compare_exchange_strong(none, this))
        throw std::logic_error("StopRequest: one exists already");
    platform::catchStopSignals(this);
}

StopRequest::~StopRequest() {
    platform::releaseStopSignals();
    live = nullptr;
}

void StopRequest::request() {
    if (requested_)
        return;
    requested_ = true;
    emit stopRequested();
}

} // namespace orv52::cli
