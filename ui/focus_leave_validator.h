#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QWidget;
class QWindow;

namespace orv52 {

// Runs a field's check before the focus leaves it for another control of the same window, and
// keeps the focus in the field when the check rejects its text. Qt moves the focus inside
// QApplication::notify before any widget sees the mouse press, so presses are caught where they
// reach the window; Tab and Shift+Tab are caught on the field itself. Focus taken by a message
// box or by another application is not a move to another control and is never checked.
class FocusLeaveValidator : public QObject {
    Q_OBJECT

public:
    // Returns true to keep the focus in the field.
    using Validate = std::function<bool()>;

    // Creates the window's native window, whose events it watches.
    explicit FocusLeaveValidator(QWidget* window);

    void watch(QWidget* field, Validate validate);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct WatchedField {
        QWidget* field;
        Validate validate;
    };

    const WatchedField* focusedField() const;
    bool vetoesMouseFocus(QEvent* event) const;
    bool vetoes(const WatchedField& watched) const;

    QWidget* window_;
    QWindow* windowHandle_;
    std::vector<WatchedField> fields_;
};

} // namespace orv52
