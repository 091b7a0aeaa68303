#include "ui/adresowanie_form.h"
#include "ui/caption_frame.h"

#include <QFile>
#include <QImage>
#include <QTest>

namespace {

constexpr int kVisiblyDarker = 16;

bool visiblyDarker(QRgb pixel, QRgb than) {
    return qGray(than) - qGray(pixel) >= kVisiblyDarker;
}

bool hasCaptionInk(const QImage& image, int bottomRow, QRgb background) {
    for (int y = 0; y < bottomRow; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(background) - qGray(image.pixel(x, y)) > 96)
                return true;
    return false;
}

} // namespace

class CaptionFrameTest : public QObject {
    Q_OBJECT

private slots:
    // The caption on top, then a closed border below it around a surface a shade darker than
    // the window, as a group box looks in the Fusion style.
    void drawsItsCaptionAboveABorder() {
        QWidget window;
        window.resize(200, 100);
        orv52::CaptionFrame frame(QStringLiteral("Wersja"), &window);
        frame.setGeometry(0, 0, 180, 73);
        QCOMPARE(frame.title(), QStringLiteral("Wersja"));
        const QImage image = frame.grab().toImage();
        const QRgb background = window.palette().color(QPalette::Window).rgb();

        const int middleX = image.width() / 2;
        int borderTop = 0;
        while (borderTop < image.height() &&
               !visiblyDarker(image.pixel(middleX, borderTop), background))
            ++borderTop;
        QVERIFY2(borderTop > 5 && borderTop < image.height() / 2,
                 qPrintable(QString::number(borderTop)));
        QVERIFY(hasCaptionInk(image, borderTop, background));

        const int middleY = (borderTop + image.height()) / 2;
        QVERIFY(visiblyDarker(image.pixel(1, middleY), background));
        QVERIFY(visiblyDarker(image.pixel(image.width() - 1, middleY), background));
        QVERIFY(visiblyDarker(image.pixel(middleX, image.height() - 1), background));
        const QRgb surface = image.pixel(middleX, middleY);
        QVERIFY(qGray(surface) < qGray(background));
        QVERIFY(!visiblyDarker(surface, background));
        QCOMPARE(image.pixel(middleX, 0), background);
    }

    // Painting the window decodes no image, so no image format plugin is loaded for it.
    void paintingTheMainWindowLoadsNoImagePlugin() {
        orv52::Adresowanie_Form window;
        QVERIFY(!window.grab().isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps here");
        QVERIFY(!maps.readAll().contains("imageformats"));
    }
};

QTEST_MAIN(CaptionFrameTest)
#include "test_caption_frame.moc"
