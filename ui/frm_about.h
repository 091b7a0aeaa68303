#pragma once

#include <QDialog>

class QPushButton;

namespace orv52 {

// What the program is, its version and who made it. Fixed texts only; created on demand and
// destroyed when closed.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* owner);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void centreOnScreen();
    void cmdOK_Click();

    QPushButton* cmdOK = nullptr;
};

} // namespace orv52
