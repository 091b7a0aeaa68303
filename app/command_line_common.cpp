#include "command_line_common.h"

#include "link/platform.h"
#include "messages/pin_error_text.h"
#include "messages/usage_error_text.h"

namespace orv52 {

QCommandLineOption helpOption() {
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, {});
}

QCommandLineOption versionOption() {
    return QCommandLineOption(QStringLiteral("version"), {});
}

QCommandLineOption comPinOption() {
    return QCommandLineOption(QStringLiteral("com"), {}, QStringLiteral("N=URZĄDZENIE"));
}

std::optional<ComPortPins> comPinsGiven(const QCommandLineParser& parser, QString& error) {
    ComPortPinError refused;
    auto pins = parseComPortPins(parser.values(comPinOption()), refused);
    if (!pins)
        error = QString::fromStdString(
            usage::comOptionRefused(comPortPinErrorText(refused).toStdString()));
    return pins;
}

QString commandLineFailure(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty()) // the only other refusal: the arguments end with an option's name
        return QString::fromStdString(usage::optionNeedsValue(arguments.back().toStdString()));
    const QString& name = unknown.front();
    const QString dashes = name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--");
    return QString::fromStdString(usage::unknownOption((dashes + name).toStdString()));
}

std::string comPinHelp() {
    return std::string("  --com N=URZĄDZENIE\n"
                       "                   przypisuje urządzenie do numeru COM N (1..4), np.\n"
                       "                   --com 2=") +
           platform::kExamplePinnedDevice + "; można powtarzać\n";
}

} // namespace orv52
