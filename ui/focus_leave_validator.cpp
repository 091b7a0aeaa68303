#include "focus_leave_validator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace orv52 {

namespace {

// The control a press at `pos` would give the focus to, or nothing when it takes no focus.
QWidget* focusTargetAt(QWidget* window, const QPoint& pos) {
    for (QWidget* w = window->childAt(pos); w && w != window; w = w->parentWidget()) {
        if (!w->isEnabled())
            return nullptr;
        QWidget* target = w->focusProxy() ? w->focusProxy() : w;
        if (target->focusPolicy() & Qt::ClickFocus)
            return target;
    }
    return nullptr;
}

} // namespace

FocusLeaveValidator::FocusLeaveValidator(QWidget* window) : QObject(window), window_(window) {
    window_->winId(); // creates the native window
    windowHandle_ = window_->windowHandle();
    windowHandle_->installEventFilter(this);
}

void FocusLeaveValidator::watch(QWidget* field, Validate validate) {
    field->installEventFilter(this);
    fields_.push_back({field, std::move(validate)});
}

const FocusLeaveValidator::WatchedField* FocusLeaveValidator::focusedField() const {
    const QWidget* focus = QApplication::focusWidget();
    const auto it = std::ranges::find(fields_, focus, &WatchedField::field);
    return it == fields_.end() ? nullptr : &*it;
}

bool FocusLeaveValidator::vetoes(const WatchedField& watched) const {
    const bool keepFocus = watched.validate();
    if (keepFocus) {
        // The message box that told the operator why took the activation with it.
        window_->activateWindow();
        watched.field->setFocus(Qt::OtherFocusReason);
    }
    return keepFocus;
}

bool FocusLeaveValidator::vetoesMouseFocus(QEvent* event) const {
    const WatchedField* watched = focusedField();
    if (!watched)
        return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    QWidget* target =
        focusTargetAt(window_, window_->mapFromGlobal(press->globalPosition().toPoint()));
    if (!target || target == watched->field)
        return false;
    return vetoes(*watched);
}

bool FocusLeaveValidator::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return watched == windowHandle_ && vetoesMouseFocus(event);
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
            return false;
        const WatchedField* field = focusedField();
        return field && field->field == watched && vetoes(*field);
    }
    default:
        return false;
    }
}

} // namespace orv52
