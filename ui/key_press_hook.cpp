#include "key_press_hook.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace orv52 {

namespace {
constexpr int kPasteCode = 22;
}

KeyPressHook::KeyPressHook(QWidget* field, Handler handler)
    : QObject(field), handler_(std::move(handler)) {
    field->installEventFilter(this);
}

int KeyPressHook::characterCode(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste))
        return kPasteCode;
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    default:
        return event.text().isEmpty() ? -1 : event.text().at(0).unicode();
    }
}

bool KeyPressHook::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    int code = characterCode(*static_cast<QKeyEvent*>(event));
    if (code < 0)
        return false;
    handler_(code);
    if (code != 0)
        return false;
    QApplication::beep();
    return true;
}

} // namespace orv52
