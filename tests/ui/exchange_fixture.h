#pragma once

#include "support/machine_with_adapter.h"
#include "support/receiver_simulator.h"
#include "ui/adresowanie_form.h"
#include "window_controls.h"

#include <QElapsedTimer>
#include <QTest>
#include <QWindow>
#include <memory>
#include <vector>

// A main window whose COM 1 reaches a receiver simulator, and whose messages are recorded with
// the time they were shown instead of opening boxes.
struct ExchangeFixture {
    struct Shown {
        int id;
        qint64 ms; // since the exchange's button was pressed
        bool controlsEnabled;
    };

    explicit ExchangeFixture(const QStringList& simulatorArgs)
        : simulator(std::make_unique<ReceiverSimulator>(simulatorArgs)) {
        const QString line = simulator->linePath();
        window.setSystemReader(machineWithAdapterAt(line));
        window.setMessagePresenter([this](int id) {
            shown.push_back(
                {id, sincePress.isValid() ? sincePress.elapsed() : -1, controlsEnabled()});
        });
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    bool controlsEnabled() const { return exchangeControlsEnabled(window); }

    // A real click: through the window, as the platform delivers it.
    void click(const char* name) {
        QWidget* target = control<QWidget>(window, name);
        const QPoint centre = target->mapTo(&window, target->rect().center());
        sincePress.start();
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
    }

    bool waitForMessage(int timeoutMs = 4000) {
        return QTest::qWaitFor([this] { return !shown.empty(); }, timeoutMs);
    }

    std::vector<int> shownIds() const {
        std::vector<int> ids;
        for (const auto& s : shown)
            ids.push_back(s.id);
        return ids;
    }

    std::unique_ptr<ReceiverSimulator> simulator;
    orv52::Adresowanie_Form window;
    std::vector<Shown> shown;
    QElapsedTimer sincePress;
    bool exposed = false;
};
