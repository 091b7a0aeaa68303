#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace orv52 {

// Hands every character typed into a text box to a handler before the box inserts it; the
// handler discards the character by setting its code to 0, and the system beeps. Keys that type
// no character (arrows, Delete, Home, End, Tab) never reach the handler.
class KeyPressHook : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(int& keyAscii)>;

    KeyPressHook(QWidget* field, Handler handler);

    // The character code a key press types, or -1 when it types none. The paste shortcut types
    // code 22, as Ctrl+V does on a terminal.
    static int characterCode(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler handler_;
};

} // namespace orv52
