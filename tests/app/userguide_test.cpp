// The user guide as the program bundles it: its worked examples are what the
// screen shows for their inputs, it quotes the program's own texts, its links
// and pictures resolve, and the one guide window opens at the section of the
// screen or tool it is asked from.
#include "app/shellwindows.h"
#include "app/userguide.h"
#include "engine/pillarformulas.h"
#include "evaluation/messages.h"
#include "results/core/interpolation.h"
#include "tests/support/screenhelpers.h"

#include <QScrollBar>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <functional>
#include <map>
#include <tuple>

namespace vt::test {
namespace {

// A table of the guide with id "worked-example...": the texts of its cells
// of class "in-..." and "out-...", and the example it changes (data-base).
struct Example {
    QString id;
    QString base;
    std::map<QString, QString> cells;
};

// The guide read as XML (so it must stay well-formed): its text, anchors,
// links, pictures and worked examples.
struct Guide {
    QString text; // whitespace simplified
    QStringList anchors, links, pictures;
    std::vector<Example> examples;
};

Guide ReadGuide() {
    Guide g;
    QXmlStreamReader xml(UserGuideHtml());
    Example* example = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters())
            g.text += xml.text();
        if (xml.isEndElement() && xml.name() == u"table")
            example = nullptr;
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"a" && a.hasAttribute(QLatin1String("name")))
            g.anchors << a.value(QLatin1String("name")).toString();
        if (xml.name() == u"a" && a.hasAttribute(QLatin1String("href")))
            g.links << a.value(QLatin1String("href")).toString();
        if (xml.name() == u"img")
            g.pictures << a.value(QLatin1String("src")).toString();
        const QString id = a.value(QLatin1String("id")).toString();
        if (xml.name() == u"table" && id.startsWith(u"worked-example"))
            example = &g.examples.emplace_back(
                Example{id, a.value(QLatin1String("data-base")).toString(), {}});
        const QString cls = a.value(QLatin1String("class")).toString();
        if (example && (cls.startsWith(u"in-") || cls.startsWith(u"out-"))) {
            const QString cell = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            example->cells[cls] = cell.simplified();
            g.text += cell;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.lineNumber() << ": " << xml.errorString().toStdString();
    g.text = g.text.simplified();
    return g;
}

using evaluation::DesignTexts;
using evaluation::Evaluation;
const std::map<QString, QString DesignTexts::*> kInputs = {
    {"in-density", &DesignTexts::density},
    {"in-depth", &DesignTexts::depth},
    {"in-width", &DesignTexts::width},
    {"in-length", &DesignTexts::length},
    {"in-bord1", &DesignTexts::bord1},
    {"in-bord2", &DesignTexts::bord2},
    {"in-k", &DesignTexts::k},
    {"in-height", &DesignTexts::height},
    {"in-alpha", &DesignTexts::alpha},
    {"in-beta", &DesignTexts::beta},
    {"in-squat-start", &DesignTexts::squatStart},
    {"in-increase-rate", &DesignTexts::increaseRate},
};
QString YesNo(bool b) {
    return b ? QStringLiteral("yes") : QStringLiteral("no");
}
const std::map<QString, std::function<QString(const Evaluation&)>> kShown = {
    {"out-extraction", [](const Evaluation& e) { return e.extraction; }},
    {"out-stress", [](const Evaluation& e) { return e.stress; }},
    {"out-effective-width", [](const Evaluation& e) { return e.effectiveWidth; }},
    {"out-wh", [](const Evaluation& e) { return e.widthHeightRatio; }},
    {"out-strength", [](const Evaluation& e) { return e.strength; }},
    {"out-fos", [](const Evaluation& e) { return e.factorOfSafety; }},
    {"out-formula", [](const Evaluation& e) { return e.formula; }},
    {"out-wh-red", [](const Evaluation& e) { return YesNo(e.widthHeightTooSmall); }},
    {"out-fos-red", [](const Evaluation& e) { return YesNo(e.factorOfSafetyTooSmall); }},
};

TEST(UserGuide, WorkedExamplesShowWhatTheScreenShows) {
    const Guide guide = ReadGuide();
    ASSERT_FALSE(guide.examples.empty());
    // The first example shows every input and every result of the screen.
    EXPECT_EQ(guide.examples.front().cells.size(), kInputs.size() + kShown.size());
    std::map<QString, DesignTexts> designs;
    for (const Example& example : guide.examples) {
        DesignTexts design = example.base.isEmpty() ? DesignTexts{} : designs.at(example.base);
        for (const auto& [cls, text] : example.cells)
            if (kInputs.count(cls))
                design.*kInputs.at(cls) = text;
        designs[example.id] = design;
        const Evaluation shown = evaluation::Evaluate(design, evaluation::NumberLocale(English()));
        ASSERT_TRUE(shown.complete()) << example.id.toStdString();
        for (const auto& [cls, text] : example.cells) {
            if (kInputs.count(cls))
                continue;
            ASSERT_EQ(kShown.count(cls), 1u) << cls.toStdString();
            EXPECT_EQ(text.toStdString(), kShown.at(cls)(shown).toStdString())
                << example.id.toStdString() << " " << cls.toStdString();
        }
    }
}

TEST(UserGuide, QuotesTheProgramAndResolvesItsLinksAndPictures) {
    const Guide guide = ReadGuide();
    QStringList quoted = {kWidthHeightWarning,
                          kSafetyWarning,
                          evaluation::kFillAllFields,
                          evaluation::kFillAndCalculateStress,
                          evaluation::kFillAndCalculateExtraction,
                          evaluation::kFileNotSelected,
                          QString::fromLatin1(results::kWidthOutOfBounds),
                          QString::fromLatin1(results::kDepthOutOfBounds),
                          QString::fromLatin1(results::kStressOutOfBounds)};
    for (auto formula :
         {engine::StrengthFormula::HedleyGrant, engine::StrengthFormula::SquatPillar})
        quoted << QString::fromLatin1(engine::FormulaMessage(formula));
    for (const engine::StrengthPreset& preset : engine::kStrengthPresets)
        for (std::string_view text : {preset.name, preset.formText, preset.source})
            quoted << QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (const QString& text : quoted)
        EXPECT_TRUE(guide.text.contains(text)) << text.toStdString();
    for (const QString& link : guide.links)
        EXPECT_TRUE(link.startsWith(u'#') && guide.anchors.contains(link.mid(1)))
            << link.toStdString();
    for (const QString& picture : guide.pictures)
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/guide/") + picture)) << picture.toStdString();
    // The window tests find every other section a window opens at.
    EXPECT_TRUE(guide.anchors.contains(guide::kContents));
}

class UserGuideWindow : public ProgramTest {
protected:
    static QTextBrowser* browser() {
        QWidget* window = Windows().existing(names::frmUserGuide);
        return window ? window->findChild<QTextBrowser*>(QStringLiteral("txtGuide")) : nullptr;
    }
    // Shown at `anchor`, scrolled down to it (no section opened at is the top).
    static bool At(QTextBrowser* guide, QLatin1String anchor) {
        return guide && guide->source().fragment() == anchor &&
               QTest::qWaitFor([guide] { return guide->verticalScrollBar()->value() > 0; }, 2000);
    }
};

// "&User guide" (F1) on each screen, then F1 in each tool: one guide window,
// at the section of the window asked from (every such section is in the
// guide); Back returns to the last, Contents to the contents; the guide closes
// with the screen.
TEST_F(UserGuideWindow, HelpMenuAndF1OpenTheOneGuideAtTheirSection) {
    const std::pair<const char*, QLatin1String> screens[] = {
        {"frmTributary", guide::kTributary},
        {"frmModelled", guide::kModelled},
        {"frmInterpolate", guide::kInterpolation}};
    for (const auto& [name, anchor] : screens) {
        CalculationScreen* screen = OpenScreen(QString::fromLatin1(name));
        ASSERT_NE(screen, nullptr);
        QTest::keyClick(screen, Qt::Key_F1);
        ASSERT_NE(browser(), nullptr) << name;
        EXPECT_TRUE(browser()->window()->isVisible()) << name;
        EXPECT_TRUE(At(browser(), anchor)) << name;
        screen->close();
        flushDeletes();
        EXPECT_EQ(browser(), nullptr) << name;
    }
    CalculationScreen* screen = OpenScreen(QStringLiteral("frmTributary"));
    screen->findChild<QAction*>(QStringLiteral("mnuUserGuide"))->trigger();
    QTextBrowser* shown = browser();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(At(shown, guide::kTributary));
    const std::tuple<const char*, const char*, QLatin1String> tools[] = {
        {"mnuDesignCharts", "frmDesignCharts", guide::kDesignCharts},
        {"mnuTargetFOS", "frmTargetFOS", guide::kTargetFos},
        {"mnuStrengthFormulas", "frmStrengthFormulas", guide::kStrengthFormulas},
        {"mnuProbability", "frmProbability", guide::kProbability},
        {"mnuDesignReport", "frmDesignReport", guide::kDesignReport}};
    QString last = guide::kTributary;
    for (const auto& [item, name, anchor] : tools) {
        ChooseDesignItem(screen, item);
        QWidget* tool = Windows().existing(QString::fromLatin1(name));
        ASSERT_NE(tool, nullptr) << item;
        tool->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(tool)) << item;
        QTest::keyClick(tool, Qt::Key_F1);
        EXPECT_EQ(browser(), shown) << item;
        EXPECT_TRUE(At(shown, anchor)) << item;
        QTest::mouseClick(shown->window()->findChild<QPushButton*>(QStringLiteral("cmdBack")),
                          Qt::LeftButton);
        EXPECT_EQ(shown->source().fragment(), last) << item;
        QTest::mouseClick(shown->window()->findChild<QPushButton*>(QStringLiteral("cmdForward")),
                          Qt::LeftButton);
        last = anchor;
    }
    QTest::mouseClick(shown->window()->findChild<QPushButton*>(QStringLiteral("cmdContents")),
                      Qt::LeftButton);
    EXPECT_EQ(shown->source().fragment(), guide::kContents);
}

} // namespace
} // namespace vt::test
