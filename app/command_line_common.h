#pragma once

#include "link/com_port_pin.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace orv52 {

// The options both programs take: -h/--help, --version and --com N=DEVICE.
QCommandLineOption helpOption();
QCommandLineOption versionOption();
QCommandLineOption comPinOption();

// The pins given with --com; nothing and the reason, in Polish, for the first bad one.
std::optional<ComPortPins> comPinsGiven(const QCommandLineParser& parser, QString& error);

// The lines of --help that tell of those options, in Polish (UTF-8).
std::string comPinHelp();
inline constexpr char kVersionAndHelpHelp[] = "  --version        wersja programu\n"
                                              "  --help           ten opis\n";

// Why `parser` refused `arguments` (the program's name first), in Polish: Qt tells it only in
// English.
QString commandLineFailure(const QCommandLineParser& parser, const QStringList& arguments);

} // namespace orv52
