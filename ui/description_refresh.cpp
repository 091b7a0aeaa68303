#include "description_refresh.h"

#include <QEvent>
#include <QWidget>
#include <utility>

namespace orv52 {

DescriptionRefresh::DescriptionRefresh(QWidget* control, Describe describe)
    : QObject(control), control_(control), describe_(std::move(describe)) {
    control->installEventFilter(this);
}

bool DescriptionRefresh::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == control_ &&
        (type == QEvent::ToolTip || type == QEvent::Enter || type == QEvent::FocusIn)) {
        const QString text = describe_();
        control_->setToolTip(text);
        control_->setAccessibleDescription(text);
    }
    return false;
}

} // namespace orv52
