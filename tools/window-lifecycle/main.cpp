// Runs the main window through a whole life as the operator would: the program's start, the
// About window opened and closed, and the main window closed, which ends the program. Made for
// memory checkers, which need the real start-up and close without anyone at the keyboard.
#include "ui/adresowanie_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <cstdio>

namespace {

// Long enough for the windows to be shown and painted first, even under a memory checker.
constexpr int kShowMs = 300;

int fail(const char* why) {
    std::fprintf(stderr, "orv52-window-lifecycle: %s\n", why);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    orv52::Adresowanie_Form window;
    auto* about = window.findChild<QAbstractButton*>(QStringLiteral("About_Command"));
    if (about == nullptr)
        return fail("the main window has no About_Command");

    bool aboutShown = false;
    QTimer::singleShot(kShowMs, &window, [&] {
        QTimer::singleShot(kShowMs, &window, [&] {
            if (auto* dialog = QApplication::activeModalWidget()) {
                aboutShown = true;
                dialog->close();
            }
        });
        about->click(); // modal: returns once the About window is closed
        window.close();
    });
    const int status = QApplication::exec();
    if (!aboutShown)
        return fail("the About window did not open");
    return status;
}
