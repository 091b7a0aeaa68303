#include "ui/adresowanie_form.h"
#include "ui/font_fit.h"
#include "ui/frm_about.h"
#include "ui/main_window_controls.h"
#include "window_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <cmath>

using orv52::Caption;
using orv52::CaptionKind;
using orv52::fittedFont;

namespace {

QFont pointFont(double size) {
    QFont font = QApplication::font();
    font.setPointSizeF(size);
    return font;
}

double fittedSize(double startSize, const Caption& caption, double smallest = 7.0) {
    return fittedFont(pointFont(startSize), {&caption, 1}, *QApplication::style(), smallest)
        .pointSizeF();
}

int advance(const QString& text, double size) {
    return QFontMetrics(pointFont(size)).horizontalAdvance(text);
}

// Whether a finished control shows its whole caption, judged from the control itself.
bool captionFits(const QWidget* widget) {
    const int width = widget->width();
    const auto textWidth = [widget](const QString& text) {
        return widget->fontMetrics().horizontalAdvance(text);
    };
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->wordWrap() || textWidth(label->text()) <= width;
    if (qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget))
        return widget->sizeHint().width() <= width;
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return textWidth(button->text()) + 8 <= width;
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return textWidth(frame->title()) + 16 <= width;
    if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
        for (int i = 0; i < list->count(); ++i)
            if (textWidth(list->itemText(i)) + 32 > width)
                return false;
    }
    return true;
}

QStringList cutCaptions(const QWidget& window) {
    QStringList cut;
    for (const auto* child : window.findChildren<QWidget*>())
        if (!captionFits(child))
            cut << child->objectName();
    return cut;
}

QStringList sortedUnique(QStringList captions) {
    captions.removeDuplicates();
    captions.sort();
    return captions;
}

QString captionEntry(CaptionKind kind, const QString& text, int width) {
    return QStringLiteral("%1 %2 %3").arg(int(kind)).arg(text).arg(width);
}

// The captions the font is fitted to, in the form shownCaptions() gives.
QStringList listedCaptions(const std::vector<orv52::ControlRow>& rows) {
    QStringList listed;
    for (const Caption& caption : orv52::captionsOf(rows))
        listed << captionEntry(caption.kind, caption.text, caption.controlWidth);
    return sortedUnique(listed);
}

// Every caption the window shows, with its kind and its control's width, read off the controls.
QStringList shownCaptions(const QWidget& window) {
    QStringList shown;
    const auto add = [&shown](CaptionKind kind, const QString& text, int width) {
        shown << captionEntry(kind, text, width);
    };
    for (const auto* child : window.findChildren<QWidget*>()) {
        const int width = child->width();
        if (const auto* label = qobject_cast<const QLabel*>(child))
            add(CaptionKind::Label, label->text(), width);
        else if (const auto* check = qobject_cast<const QCheckBox*>(child))
            add(CaptionKind::CheckBox, check->text(), width);
        else if (const auto* option = qobject_cast<const QRadioButton*>(child))
            add(CaptionKind::OptionButton, option->text(), width);
        else if (const auto* button = qobject_cast<const QPushButton*>(child))
            add(CaptionKind::PushButton, button->text(), width);
        else if (const auto* frame = qobject_cast<const QGroupBox*>(child))
            add(CaptionKind::Frame, frame->title(), width);
        else if (const auto* list = qobject_cast<const QComboBox*>(child))
            for (int i = 0; i < list->count(); ++i)
                add(CaptionKind::ListItem, list->itemText(i), width);
    }
    return sortedUnique(shown);
}

// The window's font is the largest, in half points from the default, at which every caption
// fits, or the smallest size when none does.
void checkLargestFittingSize(QWidget& window) {
    const double chosen = window.font().pointSizeF();
    QVERIFY2(chosen == 7.0 || cutCaptions(window).isEmpty(),
             qPrintable(cutCaptions(window).join(' ')));
    if (chosen + 0.5 <= QApplication::font().pointSizeF()) {
        window.setFont(pointFont(chosen + 0.5));
        QVERIFY(!cutCaptions(window).isEmpty());
    }
}

} // namespace

class FontFitTest : public QObject {
    Q_OBJECT

private slots:
    void keepsTheSizeWhenEveryCaptionFits() {
        QCOMPARE(fittedSize(9.0, {CaptionKind::Label, QStringLiteral("Port"), 200}), 9.0);
    }

    void lowersInHalfPointsToTheLargestSizeThatFits() {
        const QString text = QStringLiteral("Czas trwania załączenia [100 ms]");
        const int width = advance(text, 8.0);
        QVERIFY(advance(text, 10.0) > width);
        const double size = fittedSize(10.0, {CaptionKind::Label, text, width});
        QVERIFY(size < 10.0);
        QCOMPARE(std::fmod(size, 0.5), 0.0);
        QVERIFY(advance(text, size) <= width);
        QVERIFY(advance(text, size + 0.5) > width);
    }

    void neverGoesBelowTheSmallestSize() {
        const Caption tooLong{CaptionKind::Label, QStringLiteral("Wyświetl polecenie"), 5};
        QCOMPARE(fittedSize(9.0, tooLong), 7.0);
        QCOMPARE(fittedSize(9.0, tooLong, 8.0), 8.0);
    }

    void leavesAPixelSizedFontAlone() {
        QFont font = QApplication::font();
        font.setPixelSize(40);
        const Caption caption{CaptionKind::Label, QStringLiteral("Odbierz"), 5};
        QCOMPARE(fittedFont(font, {&caption, 1}, *QApplication::style()).pixelSize(), 40);
    }

    // The room beside the text differs by kind: a caption that fits as a label is cut as a
    // button, a frame's title or a list item.
    void countsWhatEachControlDrawsBesideItsText_data() {
        QTest::addColumn<CaptionKind>("kind");
        QTest::newRow("push button") << CaptionKind::PushButton;
        QTest::newRow("frame") << CaptionKind::Frame;
        QTest::newRow("list item") << CaptionKind::ListItem;
        QTest::newRow("check box") << CaptionKind::CheckBox;
        QTest::newRow("option button") << CaptionKind::OptionButton;
    }
    void countsWhatEachControlDrawsBesideItsText() {
        QFETCH(CaptionKind, kind);
        const QString text = QStringLiteral("Prześlij");
        const int width = advance(text, 9.0);
        QCOMPARE(fittedSize(9.0, {CaptionKind::Label, text, width}), 9.0);
        QVERIFY(fittedSize(9.0, {kind, text, width}) < 9.0);
    }

    // Check boxes and option buttons take the width their own size hint asks for, to the pixel.
    void indicatorButtonsNeedTheirSizeHint_data() {
        QTest::addColumn<CaptionKind>("kind");
        QTest::addColumn<double>("size");
        for (const double size : {9.0, 8.0, 7.5}) {
            QTest::addRow("check box %.1f", size) << CaptionKind::CheckBox << size;
            QTest::addRow("option button %.1f", size) << CaptionKind::OptionButton << size;
        }
    }
    void indicatorButtonsNeedTheirSizeHint() {
        QFETCH(CaptionKind, kind);
        QFETCH(double, size);
        const QString text = QStringLiteral("COM 4");
        QCheckBox check(text);
        QRadioButton option(text);
        QWidget& button = kind == CaptionKind::CheckBox ? static_cast<QWidget&>(check) : option;
        button.setFont(pointFont(size));
        const int hint = button.sizeHint().width();
        QCOMPARE(fittedSize(size, {kind, text, hint}), size);
        QVERIFY(fittedSize(size, {kind, text, hint - 1}) < size);
    }

    // The font is fitted to the table before the controls exist; the window shows no caption
    // that the table does not hold.
    void captionsToFitAreThoseTheMainWindowShows() {
        const orv52::Adresowanie_Form window;
        QCOMPARE(listedCaptions(orv52::mainWindowControls()), shownCaptions(window));
    }

    // One row in the table both makes a control and fits the font to its caption: a button
    // whose caption is too wide for the main window's font lowers the font until it fits. The
    // smallest size is lowered so that the added caption, not the floor, decides.
    void aControlAddedToTheTableIsMadeAndFitted() {
        using namespace orv52;
        constexpr double smallest = 3.0;
        const QStyle& style = *QApplication::style();
        const double without =
            fittedFont(QApplication::font(), captionsOf(mainWindowControls()), style, smallest)
                .pointSizeF();
        QVERIFY(without - 1.0 >= smallest);
        const QString text = QStringLiteral("Zapisz do pliku");
        const int width = advance(text, without - 1.0) + 8;
        QVERIFY(advance(text, without) + 8 > width);
        std::vector<ControlRow> rows = mainWindowControls();
        ControlRow added{
            ControlKind::PushButton,         text, {4320, 3800, width * kTwipsPerPixel, 400},
            QStringLiteral("Added_Command"), {},   {}};
        rows.push_back(added);

        QWidget window;
        window.setFont(fittedFont(window.font(), captionsOf(rows), style, smallest));
        makeControls(window, rows);
        QVERIFY(window.font().pointSizeF() < without);
        QVERIFY(window.findChild<QPushButton*>(QStringLiteral("Added_Command")));
        QVERIFY2(cutCaptions(window).isEmpty(), qPrintable(cutCaptions(window).join(' ')));
    }

    void mainWindowFontIsTheLargestAtWhichEveryCaptionFits() {
        orv52::Adresowanie_Form window;
        checkLargestFittingSize(window);
    }

    void aboutWindowFontIsTheLargestAtWhichEveryCaptionFits() {
        orv52::frmAbout about(nullptr);
        checkLargestFittingSize(about);
    }

    // The font is chosen before the controls exist, so no list had to build its drop-down for a
    // change of font at start-up.
    // Qt 6.8 builds a list's drop-down whenever its current item changes, to keep the drop-down's
    // selection with it, so there a list that shows an item has its drop-down from the start.
    void listsBuildTheirDropDownsOnlyWhenOpened() {
        orv52::Adresowanie_Form window;
        for (const char* name : {"WyswietlPolecenie_Combo", "TrybBuzera_Combo"}) {
            auto* list = control<QComboBox>(window, name);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
            QVERIFY2(!list->findChild<QAbstractItemView*>(), name);
#endif
            list->view(); // builds it, which the check above must be able to see
            QVERIFY2(list->findChild<QAbstractItemView*>(), name);
        }
    }
};

QTEST_MAIN(FontFitTest)
#include "test_font_fit.moc"
