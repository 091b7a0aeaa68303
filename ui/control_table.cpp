#include "control_table.h"

#include "caption_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace orv52 {

namespace {

QWidget* make(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
    case ControlKind::Frame:
        return new CaptionFrame(row.text, parent);
    case ControlKind::Label:
        return new QLabel(row.text, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(row.text, parent);
    case ControlKind::OptionButton:
        return new QRadioButton(row.text, parent);
    case ControlKind::PushButton:
        return new QPushButton(row.text, parent);
    case ControlKind::TextBox:
        return new QLineEdit(row.text, parent);
    case ControlKind::List:
        return new QComboBox(parent);
    }
    return nullptr;
}

CaptionKind captionKind(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
        return CaptionKind::Frame;
    case ControlKind::CheckBox:
        return CaptionKind::CheckBox;
    case ControlKind::OptionButton:
        return CaptionKind::OptionButton;
    case ControlKind::PushButton:
        return CaptionKind::PushButton;
    default:
        return CaptionKind::Label;
    }
}

} // namespace

QString indexedName(const char* arrayName, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(arrayName)).arg(index);
}

std::vector<Caption> captionsOf(std::span<const ControlRow> rows) {
    std::vector<Caption> captions;
    for (const ControlRow& row : rows) {
        const int width = twipsToPixels(row.rect.width);
        switch (row.kind) {
        case ControlKind::TextBox:
            break;
        case ControlKind::List:
            for (const std::string_view item : row.list->items)
                captions.push_back({CaptionKind::ListItem,
                                    QString::fromUtf8(item.data(), qsizetype(item.size())), width});
            break;
        default:
            captions.push_back({captionKind(row.kind), row.text, width});
        }
    }
    return captions;
}

MadeControls makeControls(QWidget& window, std::span<const ControlRow> rows) {
    MadeControls made;
    for (const ControlRow& row : rows) {
        QWidget* parent = row.frame.isEmpty() ? &window : made.get<QWidget>(row.frame);
        QWidget* control = make(row, parent);
        control->setGeometry(toPixels(row.rect));
        control->setObjectName(row.name);
        if (!row.accessibleName.isEmpty())
            control->setAccessibleName(row.accessibleName);
        made.add(control);
    }
    return made;
}

} // namespace orv52
