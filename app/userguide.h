// The user guide: docs/user-guide.html, bundled into the program as a
// resource (with its pictures), so it reads the same installed, offline and
// with nothing beside the program. frmUserGuide shows it in a QTextBrowser
// that follows the guide's own links, with Back, Forward and Contents. A
// window opens it at its own section: a calculation screen from "&Help" →
// "&User guide" (F1), a tool window by F1 (tools::ToolWindow).
#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace vt {

namespace guide {

// The sections windows open the guide at: anchors of docs/user-guide.html.
inline constexpr QLatin1String kContents("contents");
inline constexpr QLatin1String kTributary("tributary");
inline constexpr QLatin1String kModelled("modelled");
inline constexpr QLatin1String kInterpolation("interpolation");
inline constexpr QLatin1String kDesignCharts("design-charts");
inline constexpr QLatin1String kTargetFos("target-fos");
inline constexpr QLatin1String kStrengthFormulas("strength-formulas");
inline constexpr QLatin1String kProbability("probability");
inline constexpr QLatin1String kDesignReport("design-report");

} // namespace guide

// The guide as the program shows it, at `anchor` (none: the top).
QUrl UserGuideUrl(const QString& anchor = {});

// The guide's HTML as bundled, as UTF-8.
QByteArray UserGuideHtml();

// Shows the guide window (created on first use) at `anchor`, in front.
void ShowUserGuide(const QString& anchor);

class frmUserGuide : public QWidget {
    Q_OBJECT
public:
    explicit frmUserGuide(QWidget* parent = nullptr);

    // Goes to the section `anchor` (as a followed link: Back returns).
    void showSection(const QString& anchor);

protected:
    // Shown without a section, the guide opens at its contents.
    void showEvent(QShowEvent* event) override;

private:
    void cmdContents_Click();

    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdContents = nullptr;
    QTextBrowser* txtGuide = nullptr;
};

} // namespace vt
