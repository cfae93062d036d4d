// The about box: title, slideshow, contact lines, disclaimer, version, and a
// button that starts the system-information program.
#pragma once

#include <QDialog>
#include <QList>

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vt {

namespace sysinfo {
class System;
}

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // The system "&System Info..." asks; the real one unless replaced.
    void setSystem(sysinfo::System* system) { system_ = system; }

public slots:
    // OK, Enter and Esc really close the box (it is destroyed), not just hide it.
    void accept() override;
    void reject() override;

protected:
    // A close is always accepted at once: the dialog's own handling would turn
    // it into a reject, which our reject turns back into a close.
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Timer1_Timer();

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label2 = nullptr;
    QList<QLabel*> Image1;
    QLabel* Label1 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lblWarning = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QTimer* Timer1 = nullptr;
    sysinfo::System* system_ = nullptr;
};

} // namespace vt
