#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace orv52 {

// Sets a control's tool tip and accessible description from a function just before they can be
// read: when the tool tip is about to show, when the pointer enters the control and when it takes
// the focus (a screen reader reads the description then). Nothing is worked out otherwise.
class DescriptionRefresh : public QObject {
    Q_OBJECT

public:
    using Describe = std::function<QString()>;

    DescriptionRefresh(QWidget* control, Describe describe);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* control_;
    Describe describe_;
};

} // namespace orv52
