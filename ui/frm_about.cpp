#include "frm_about.h"

#include "about_layout.h"
#include "app_icon.h"
#include "font_fit.h"
#include "version.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace orv52 {

namespace layout = about_layout;

namespace {

QLabel* label(QWidget* parent, const QString& text, const TwipsRect& rect, const char* name,
              bool blackText) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(toPixels(rect));
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    if (blackText) {
        QPalette palette = l->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(palette);
    }
    return l;
}

} // namespace

// The owner keeps the dialog off the taskbar; it is still modal to the whole application.
frmAbout::frmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("O programie"));
    setWindowIcon(appIcon());
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(twipsToPixels(layout::kClientWidth), twipsToPixels(layout::kClientHeight));
    // The labels wrap their text; only the button's caption has to fit on one line.
    const Caption ok{CaptionKind::PushButton, QStringLiteral("OK"),
                     toPixels(layout::cmdOK).width()};
    setFont(fittedFont(font(), {&ok, 1}, *style()));

    label(this, QStringLiteral("Nazwa: ORV-52 Prog"), layout::lblTitle, "lblTitle", true);
    label(this, QStringLiteral("Wersja: ") + QLatin1String(kVersion), layout::lblVersion,
          "lblVersion", false);
    label(this, QStringLiteral("Opis: Aplikacja służy do programowania parametrów systemu ORV-52."),
          layout::lblDescription, "lblDescription", true);
    label(this, QStringLiteral("Korvant\nProducent systemu ORV-52"), layout::lblCompany,
          "lblCompany", true);
    label(this, QStringLiteral("Autor: Korvant"), layout::lblDisclaimer, "lblDisclaimer", true);

    cmdOK = new QPushButton(ok.text, this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(toPixels(layout::cmdOK));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    cmdOK->setFocus();
    centreOnScreen();
}

void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::centreOnScreen() {
    const QRect screenRect = screen()->geometry();
    move(screenRect.x() + (screenRect.width() - width()) / 2,
         screenRect.y() + (screenRect.height() - height()) / 2);
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    const int y = twipsToPixels(layout::kLineY);
    const int x2 = twipsToPixels(layout::kLineX2);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawLine(twipsToPixels(layout::kGreyLineX1), y, x2, y);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(twipsToPixels(layout::kWhiteLineX1), y, x2, y);
}

} // namespace orv52
