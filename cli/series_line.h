#pragma once

#include "exit_code.h"

#include <QDateTime>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv52::cli {

// What a series reports of one receiver.
struct SeriesResult {
    QDateTime time;
    int ordinal = 0;
    std::string port;
    std::optional<std::uint8_t> firmwareVersion;
    ExitCode result = ExitCode::Done;
    std::vector<std::string> differingKeys;
};

// "09:21:10  nr 3  /dev/ttyUSB0  wersja 2.3  różni się: druzyny, tryb_buzera", ending in a line
// feed.
std::string seriesResultLine(const SeriesResult& result);

// "Zaprogramowano 2 z 3 odbiorników; nieudane: 1." ("1 z 1 odbiornika") and a line feed.
std::string seriesSummary(int done, int failed);

} // namespace orv52::cli
