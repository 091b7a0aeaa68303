#pragma once

#include <QTime>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv52 {

// What orv52-cli tells during program --series.

// The status line while waiting for a receiver to come, to go, or while programming one.
inline constexpr char kWaitingForReceiverText[] = "czekam na odbiornik…";
inline constexpr char kWaitingForDepartureText[] = "odłącz odbiornik…";
std::string programmingReceiverText(int ordinal);

// A failure of the port while waiting, which the series keeps trying.
std::string retryingText(const std::string& failure);

// One receiver's line, "09:21:10  nr 3  /dev/ttyUSB0  wersja 2.3  wykonano", and a line feed;
// "wersja ?" when the receiver's version is not known.
std::string seriesLineText(const QTime& time, int ordinal, const std::string& port,
                           const std::optional<std::uint8_t>& firmwareVersion,
                           const std::string& outcome);
// The outcomes of a receiver that was programmed: as sent, or with these keys differing.
inline constexpr char kProgrammedText[] = "wykonano";
std::string differsText(const std::vector<std::string>& keys);

// "Zaprogramowano 2 z 3 odbiorników; nieudane: 1." ("1 z 1 odbiornika") and a line feed.
std::string seriesSummaryText(int done, int failed);
// After the summary of a series with --count stopped by Ctrl-C before its count:
// "Przerwano po 1 z 3 odbiorników.\n".
std::string seriesStoppedText(int handled, int count);

} // namespace orv52
