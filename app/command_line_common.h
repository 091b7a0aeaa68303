#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

namespace orv52 {

// --com N=DEVICE, taken by both programs.
QCommandLineOption comPinOption();

// Why `parser` refused `arguments` (the program's name first), in Polish: Qt tells it only in
// English.
QString commandLineFailure(const QCommandLineParser& parser, const QStringList& arguments);

} // namespace orv52
