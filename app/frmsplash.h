// The start-up window: the disclaimer to accept, then the choice of the way
// the average pillar stress is found, which opens that calculation screen.
#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace vt {

// Our short disclaimer, shown on the start-up window and in the about box.
extern const QString kDisclaimer;

// The title the start-up window hands to the window system. The window has
// no title text, but for a window whose title is empty Qt's platform layer
// shows the program's name instead; a single blank is shown as it is.
inline const QString kBlankWindowTitle = QStringLiteral(" ");

// Picture `index` (0..3) of the slideshows: stress contours around the pillars.
QPixmap ShellPicture(int index);

// Tightens the letters of a one-line label, by at most half a pixel each,
// where its text would otherwise be clipped by a pixel or two.
void FitTextToWidth(QLabel* label);

// Moves the window so that it is centred on its screen.
void CentreOnScreen(QWidget* window);

// One slideshow step on the program's picture counter n: picture n is shown,
// the one before it (3 before 0) hidden, and n moves on, from 3 back to 0.
void ShowNextPicture(const QList<QLabel*>& pictures);

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // After "ACCEPT", `open` is called with `path` instead of waiting for a
    // method; when it opens the evaluation on its screen this window closes,
    // and when it cannot (it says why) this window stays with its choice of
    // methods. Used once: a later acceptance waits for a method as always.
    void openOnAccept(const QString& path, std::function<bool(const QString&)> open);

public slots:
    // Esc: treated like closing the window (which ends the program), never
    // just hiding it.
    void reject() override;

protected:
    // A close is always accepted at once: the dialog's own handling would turn
    // it into a reject, which our reject turns back into a close.
    void closeEvent(QCloseEvent* event) override;
    // Keeps the title that the window manager shows empty (kBlankWindowTitle).
    void showEvent(QShowEvent* event) override;

private:
    void cmdAccept_Click();
    void cmdDecline_Click();
    void cmdCancel_Click();
    void cmdTributaryTheory_Click();
    void cmdModelledStress_Click();
    void cmdInterpolation_Click();
    void Timer1_Timer();

    // Shows the named calculation screen and closes this window.
    QWidget* OpenScreen(const QString& name);

    QLabel* Label2 = nullptr;
    QList<QLabel*> Image1;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblWarning = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblMessage1 = nullptr;
    QPushButton* cmdAccept = nullptr;
    QPushButton* cmdDecline = nullptr;
    QGroupBox* frmChoices = nullptr;
    QPushButton* cmdTributaryTheory = nullptr;
    QPushButton* cmdModelledStress = nullptr;
    QPushButton* cmdInterpolation = nullptr;
    QTimer* Timer1 = nullptr;

    QString evaluationToOpen_;
    std::function<bool(const QString&)> openEvaluation_;
};

// Loads the default modelling-results file into the interpolation screen; on
// any failure reports the installation error and returns to a fresh start-up
// window. False on failure.
bool LoadDefaultModellingResults(QWidget* screen);

} // namespace vt
