// Times read and programming exchanges from the button press to their completion, against the
// receiver simulator at its real 1200-baud pacing, and sets them against the line time.
// Usage: exchange_bench [exchanges of each kind, default 20]
#include "bench_args.h"
#include "line_time.h"
#include "median.h"
#include "support/machine_with_adapter.h"
#include "support/receiver_simulator.h"
#include "ui/adresowanie_form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kProgrammingDone = 104;
constexpr double kPollPeriodMs = 100;
constexpr double kReadRatioTarget = 1.3;
constexpr int kGiveUpMs = 4000;
constexpr int kPauseBetweenMs = 50;

struct Kind {
    const char* name;
    const char* button;
    int sentBytes;
    int receivedBytes;
};

constexpr Kind kRead{"read", "Odbierz_Command", 5, 28};
constexpr Kind kProgram{"program", "Przeslij_Command", 21, 23};

// Presses a button of the window as the platform would and waits in an ordinary event loop, so
// the window's timers tick as they do in the program, until the exchange completes.
class ExchangeDriver : public QObject {
public:
    ExchangeDriver(orv52::Adresowanie_Form& window, const QString& line) : window_(window) {
        window_.setSystemReader(machineWithAdapterAt(line));
        window_.setMessagePresenter([this](int id) { onMessage(id); });
        // Odbierz is the last button that End exchange enables again.
        readButton_ = window_.findChild<QPushButton*>(QLatin1String(kRead.button));
        readButton_->installEventFilter(this);
        giveUp_.setSingleShot(true);
        giveUp_.setInterval(kGiveUpMs);
        connect(&giveUp_, &QTimer::timeout, &loop_, &QEventLoop::quit);
    }

    // Milliseconds from the press to the completion, or nothing when the exchange failed.
    std::optional<double> run(const Kind& kind) {
        kind_ = &kind;
        messages_.clear();
        completedMs_.reset();
        auto* button = window_.findChild<QPushButton*>(QLatin1String(kind.button));
        const QPoint centre = button->mapTo(&window_, button->rect().center());
        giveUp_.start();
        clock_.start();
        QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, centre);
        if (!completedMs_)
            loop_.exec();
        giveUp_.stop();
        const bool expected =
            &kind == &kRead ? messages_.empty() : messages_ == std::vector<int>{kProgrammingDone};
        if (!completedMs_ || !expected) {
            std::fprintf(stderr, "%s exchange failed (%zu messages, first %d)\n", kind.name,
                         messages_.size(), messages_.empty() ? 0 : messages_.front());
            return std::nullopt;
        }
        return completedMs_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (kind_ == &kRead && event->type() == QEvent::EnabledChange && readButton_->isEnabled() &&
            !completedMs_)
            complete();
        return QObject::eventFilter(watched, event);
    }

private:
    void onMessage(int id) {
        messages_.push_back(id);
        if (kind_ == &kProgram && id == kProgrammingDone && !completedMs_)
            complete();
    }

    void complete() {
        completedMs_ = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
        loop_.quit();
    }

    orv52::Adresowanie_Form& window_;
    QPushButton* readButton_ = nullptr;
    const Kind* kind_ = nullptr;
    QEventLoop loop_;
    QTimer giveUp_;
    QElapsedTimer clock_;
    std::optional<double> completedMs_;
    std::vector<int> messages_;
};

void report(const Kind& kind, const std::vector<double>& times, bool& targetMet) {
    const double floorMs = lineTimeMs(kind.sentBytes + kind.receivedBytes);
    const double mid = median(times);
    const double ratio = mid / floorMs;
    const auto [least, most] = std::ranges::minmax(times);
    std::printf("%-8s median %6.1f ms  (min %6.1f, max %6.1f)  floor %6.1f ms (%d bytes)  "
                "ratio %.2f\n",
                kind.name, mid, least, most, floorMs, kind.sentBytes + kind.receivedBytes, ratio);
    targetMet = targetMet && mid <= floorMs + kPollPeriodMs;
    if (&kind == &kRead)
        targetMet = targetMet && ratio <= kReadRatioTarget;
}

} // namespace

int main(int argc, char** argv) {
    const int count = runCount(argc, argv, 20);
    if (count == 0) {
        std::fprintf(stderr, "usage: exchange_bench [exchanges of each kind, 1..10000]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ReceiverSimulator simulator({});
    if (simulator.linePath().isEmpty()) {
        std::fprintf(stderr, "the receiver simulator did not start\n");
        return 1;
    }
    orv52::Adresowanie_Form window;
    ExchangeDriver driver(window, simulator.linePath());
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }

    std::vector<double> reads;
    std::vector<double> programs;
    for (int i = 0; i < count; ++i) {
        for (auto [kind, times] : {std::pair{&kRead, &reads}, std::pair{&kProgram, &programs}}) {
            const auto ms = driver.run(*kind);
            if (!ms)
                return 1;
            times->push_back(*ms);
            QTest::qWait(kPauseBetweenMs);
        }
    }

    std::printf("exchange_bench: %d reads and %d programs, simulator paced at %.0f baud, "
                "poll period %.0f ms\n",
                count, count, kBaud, kPollPeriodMs);
    bool targetMet = true;
    report(kRead, reads, targetMet);
    report(kProgram, programs, targetMet);
    std::printf("simulator: paces only its answer (read %.1f ms, program %.1f ms); the request "
                "reaches it at once\n",
                lineTimeMs(kRead.receivedBytes), lineTimeMs(kProgram.receivedBytes));
    std::printf("target (median within %.0f ms of the floor; read ratio <= %.1f): %s\n",
                kPollPeriodMs, kReadRatioTarget, targetMet ? "met" : "MISSED");
    return 0;
}
