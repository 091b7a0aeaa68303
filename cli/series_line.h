#pragma once

#include "receiver_result.h"

#include <QDateTime>
#include <string>

namespace orv52::cli {

// What a series reports of its `ordinal`th receiver at `time`: "09:21:10  nr 3  /dev/ttyUSB0
// wersja 2.3  różni się: druzyny, tryb_buzera", ending in a line feed. A failure is told by what
// its exit code means.
std::string seriesResultLine(const QDateTime& time, int ordinal, const ReceiverResult& receiver);

} // namespace orv52::cli
