#include "command_line_text.h"

#include "message_catalogue.h"
#include "protocol/record.h"

namespace orv52 {

std::string portErrorText(const std::string& reason) {
    return "Błąd portu: " + reason;
}

std::string wrongAnswerText(ExpectedAnswer expected) {
    return std::string(findMessage(message_id::TransmissionError).value().text) +
           (expected == ExpectedAnswer::Configuration
                ? " (odbiornik nie przysłał konfiguracji)"
                : " (odbiornik nie przysłał potwierdzenia programowania)");
}

std::string backupWrittenText(const std::string& path) {
    return "kopia konfiguracji odbiornika: " + path;
}

std::string portLostText(const std::string& device) {
    return "port " + device +
           " zniknął w trakcie transmisji: przejściówkę odłączono lub straciła zasilanie; podłącz "
           "ją "
           "i spróbuj ponownie";
}

std::string receiverFoundText(std::uint8_t firmwareVersion) {
    return "odbiornik, wersja " + versionText(firmwareVersion);
}

std::string receiverOnPortText(const std::string& port) {
    return "odbiornik odpowiada na porcie " + port;
}

std::string receiverOnNoPortText(const std::string& checked) {
    return "--port auto: odbiornik nie odpowiada na żadnym porcie" +
           (checked.empty() ? std::string(" (portów szeregowych brak)")
                            : " (sprawdzono: " + checked + ")");
}

std::string receiverOnSeveralPortsText(const std::string& answered) {
    return "--port auto: odbiornik odpowiada na kilku portach: " + answered +
           "; wybierz jeden w --port";
}

} // namespace orv52
