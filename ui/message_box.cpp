#include "message_box.h"

#include "messages/message_catalogue.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QString>

namespace orv52 {

void showMessageBox(int id, QWidget* parent, const QString& detail) {
    const auto message = findMessage(id);
    if (!message)
        return;
    const auto utf8 = [](std::string_view s) {
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    };
    QMessageBox box(message->kind == MessageKind::Information ? QMessageBox::Information
                                                              : QMessageBox::Critical,
                    utf8(messageTitle(message->kind)), utf8(message->text), QMessageBox::Ok,
                    parent);
    box.setInformativeText(detail);
    box.setWindowModality(Qt::ApplicationModal);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

} // namespace orv52
