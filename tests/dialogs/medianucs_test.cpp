#include "app/programstate.h"
#include "app/ui.h"
#include "dialogs/frmmedianucs.h"
#include "tests/dialogs/dialogtestsupport.h"
#include "tests/support/programtest.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vt::test {
namespace {

const RecordedMessage kNoCalculation{
    QStringLiteral("Fill in at least one UCS before a calculation can be done"), kAppTitle};

class MedianUcsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        dialog = Windows().show(QStringLiteral("frmMedianUCS"));
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        input = Child<QLineEdit>(dialog, "txtInputUCS");
        percentage = Child<QLineEdit>(dialog, "txtDowngradePercentage");
        median = Child<QLineEdit>(dialog, "txtMedianUCS");
        k = Child<QLineEdit>(dialog, "txtCalculatedK");
        list = Child<QListWidget>(dialog, "lstUCS");
        add = Child<QToolButton>(dialog, "cmdAddToList");
        erase = Child<QToolButton>(dialog, "cmdEraseFromList");
        calculate = Child<QPushButton>(dialog, "cmdCalculateK");
        accept = Child<QPushButton>(dialog, "cmdAccept");
        ASSERT_TRUE(input && percentage && median && k && list && add && erase && calculate &&
                    accept);
    }

    void addReading(const QString& text) {
        input->setFocus();
        QTest::keyClicks(input, text);
        QTest::mouseClick(add, Qt::LeftButton);
    }
    void setPercentage(const QString& text) {
        percentage->selectAll();
        QTest::keyClick(percentage, Qt::Key_Delete);
        QTest::keyClicks(percentage, text);
    }
    QStringList listed() const {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    void select(int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }

    QPointer<QWidget> dialog;
    QLineEdit* input = nullptr;
    QLineEdit* percentage = nullptr;
    QLineEdit* median = nullptr;
    QLineEdit* k = nullptr;
    QListWidget* list = nullptr;
    QToolButton* add = nullptr;
    QToolButton* erase = nullptr;
    QPushButton* calculate = nullptr;
    QPushButton* accept = nullptr;
};

TEST_F(MedianUcsTest, OpensEmptyWithTheDefaultPercentage) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("UCS-data"));
    EXPECT_EQ(dialog->geometry(), TwipsRect(105, 390, 3630, 6375));
    EXPECT_NE(dialog->minimumSize(), dialog->maximumSize()); // sizable
    EXPECT_EQ(percentage->text(), QStringLiteral("66.67"));
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(accept->isEnabled());
    EXPECT_EQ(Background(median), kLightGrey);
    EXPECT_EQ(Background(k), kLightGrey);
    EXPECT_EQ(add->toolTip(), QStringLiteral("This arrow adds the value in the \"UCS iput\" box "
                                             "to the list on the right"));
    EXPECT_EQ(median->toolTip(),
              QStringLiteral("The median of the UCS-values in the \"UCS-data\" list"));
    EXPECT_EQ(calculate->text(), QStringLiteral("Calculate UCS (median) and K"));
    EXPECT_EQ(accept->text(), QStringLiteral("Accept the values and continue"));
    EXPECT_TRUE(calculate->font().bold() && calculate->font().italic());
    EXPECT_DOUBLE_EQ(list->font().pointSizeF(), 9.0);
    EXPECT_DOUBLE_EQ(percentage->font().pointSizeF(), 8.25);
}

TEST_F(MedianUcsTest, HandsOutItsReadingsAsTypedInListOrderAndItsPercentage) {
    auto* source = dynamic_cast<UcsReadingsSource*>(dialog.data());
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->ucsReadings().isEmpty());
    EXPECT_EQ(source->downgradePercentage(), QStringLiteral("66.67"));
    for (const char* reading : {"120", "1x", "100"})
        addReading(QString::fromLatin1(reading));
    EXPECT_EQ(source->ucsReadings(),
              (QStringList{QStringLiteral("120"), QStringLiteral("1x"), QStringLiteral("100")}));
    select(1);
    QTest::mouseClick(erase, Qt::LeftButton);
    setPercentage(QStringLiteral("50"));
    EXPECT_EQ(source->ucsReadings(), (QStringList{QStringLiteral("120"), QStringLiteral("100")}));
    EXPECT_EQ(source->downgradePercentage(), QStringLiteral("50"));
}

TEST_F(MedianUcsTest, TabWalksTheControlsInFormOrder) {
    accept->setEnabled(true); // a disabled button is skipped
    input->setFocus();
    const QStringList expected = {
        "cmdAddToList", "txtDowngradePercentage", "cmdCalculateK",    "cmdAccept",  "lstUCS",
        "txtMedianUCS", "txtCalculatedK",         "cmdEraseFromList", "txtInputUCS"};
    for (const QString& name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
    }
}

struct CalculationCase {
    const char* name;
    QStringList readings;
    QString percentage;
    QString median;
    QString k;
};

TEST_F(MedianUcsTest, CalculatesMedianAndK) {
    const CalculationCase cases[] = {
        {"odd count", {"120", "100", "140"}, "66.67", "120", "40"},
        {"one reading", {"40"}, "66.67", "40", "13.33"},
        {"even count, half", {"100", "140", "120", "160"}, "50", "130", "65"},
        {"even count, default", {"100", "140", "120", "160"}, "66.67", "130", "43.33"},
        {"smallest last", {"150", "90", "120"}, "66.67", "120", "40"},
        {"equal readings", {"80", "80"}, "66.67", "80", "26.66"},
        {"no downgrade", {"100", "140", "120", "160"}, "0", "130", "130"},
        {"full downgrade", {"100", "140"}, "100", "120", "0"},
        {"decimal readings", {"12.5", "13.25"}, "20", "12.88", "10.3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list->clear();
        for (const QString& reading : c.readings)
            addReading(reading);
        EXPECT_EQ(listed(), c.readings); // entry order, not sorted
        setPercentage(c.percentage);
        QTest::mouseClick(calculate, Qt::LeftButton);
        EXPECT_EQ(median->text(), c.median);
        EXPECT_EQ(k->text(), c.k);
        EXPECT_TRUE(accept->isEnabled());
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MedianUcsTest, AddKeepsTheTextAsTypedAndReturnsTheFocus) {
    addReading(QStringLiteral("120"));
    addReading(QStringLiteral(" 1e2 "));
    EXPECT_EQ(listed(), (QStringList{"120", " 1e2 "}));
    EXPECT_TRUE(input->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), input);
}

TEST_F(MedianUcsTest, AddWithAnEmptyInputAsksForAReading) {
    addReading(QStringLiteral("100"));
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), (RecordedMessage{"Fill in a UCS reading", "Missing reading"}));
    EXPECT_EQ(listed(), QStringList{"100"});
    EXPECT_EQ(QApplication::focusWidget(), input);
}

TEST_F(MedianUcsTest, EraseRemovesTheSelectedEntryOnly) {
    for (const char* reading : {"100", "140", "120"})
        addReading(QString::fromLatin1(reading));
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_TRUE(accept->isEnabled());

    select(1);
    QTest::mouseClick(erase, Qt::LeftButton);
    EXPECT_EQ(listed(), (QStringList{"100", "120"}));
    // Results and Accept are untouched by erasing.
    EXPECT_EQ(median->text(), QStringLiteral("120"));
    EXPECT_EQ(k->text(), QStringLiteral("40"));
    EXPECT_TRUE(accept->isEnabled());
    EXPECT_TRUE(messages.shown.empty());

    // Nothing stays selected after a removal.
    QTest::mouseClick(erase, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(),
              (RecordedMessage{"No selection was made for removal", "No selection"}));
    EXPECT_EQ(listed(), (QStringList{"100", "120"}));
}

TEST_F(MedianUcsTest, RefusedCalculationsChangeNothingButAMedian) {
    // Empty list: refused, Accept stays disabled.
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last(), kNoCalculation);
    EXPECT_FALSE(accept->isEnabled());
    EXPECT_TRUE(median->text().isEmpty());

    // A good calculation, then one with a bad percentage: the new median
    // shows, K and Accept stay as they were.
    addReading(QStringLiteral("120"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_EQ(k->text(), QStringLiteral("40"));
    addReading(QStringLiteral("200"));
    setPercentage(QStringLiteral("abc"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.last(), kNoCalculation);
    EXPECT_EQ(median->text(), QStringLiteral("160"));
    EXPECT_EQ(k->text(), QStringLiteral("40"));
    EXPECT_FALSE(accept->isEnabled()); // disabled by the Add, not by the refusal

    // A reading that is not a number refuses and writes nothing.
    setPercentage(QStringLiteral("50"));
    for (const char* bad : {"abc", "-", "1e999", "nan", "inf"}) {
        SCOPED_TRACE(bad);
        list->clear();
        median->clear();
        addReading(QStringLiteral("100"));
        addReading(QString::fromLatin1(bad));
        const std::size_t before = messages.shown.size();
        QTest::mouseClick(calculate, Qt::LeftButton);
        ASSERT_EQ(messages.shown.size(), before + 1);
        EXPECT_EQ(messages.last(), kNoCalculation);
        EXPECT_TRUE(median->text().isEmpty());
        EXPECT_EQ(k->text(), QStringLiteral("40"));
        EXPECT_FALSE(accept->isEnabled());
    }
}

TEST_F(MedianUcsTest, TypingAfterACalculationInvalidatesTheMedianButKeepsK) {
    for (const char* reading : {"120", "100", "140"})
        addReading(QString::fromLatin1(reading));
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_TRUE(accept->isEnabled());

    // Changing the percentage keeps Accept.
    setPercentage(QStringLiteral("50"));
    EXPECT_TRUE(accept->isEnabled());

    QTest::keyClicks(input, QStringLiteral("9"));
    EXPECT_TRUE(median->text().isEmpty());
    EXPECT_EQ(k->text(), QStringLiteral("40"));
    EXPECT_FALSE(accept->isEnabled());
}

TEST_F(MedianUcsTest, WorksWithACommaLocale) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    addReading(QStringLiteral("100,5"));
    addReading(QStringLiteral("141"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(median->text(), QStringLiteral("120,75"));
    EXPECT_EQ(k->text(), QStringLiteral("40,25"));
}

TEST_F(MedianUcsTest, AcceptWritesKIntoTheThreeScreensAndCloses) {
    QStringList log;
    FakeWindows fakes;
    for (const char* name : {"frmModelled", "frmTributary", "frmInterpolate"}) {
        const QString screen = QString::fromLatin1(name);
        fakes.add(screen, [screen, &log] { return MakeScreenWithK(screen, &log); });
    }
    // The tributary screen is open already; the other two are created hidden.
    QWidget* tributary = Windows().show(QStringLiteral("frmTributary"));
    ASSERT_NE(tributary, nullptr);

    for (const char* reading : {"100", "140", "120", "160"})
        addReading(QString::fromLatin1(reading));
    QTest::mouseClick(calculate, Qt::LeftButton);
    ASSERT_EQ(k->text(), QStringLiteral("43.33"));
    EXPECT_FLOAT_EQ(static_cast<frmMedianUCS*>(dialog.data())->acceptedK(), 43.33f);
    QTest::mouseClick(accept, Qt::LeftButton);

    EXPECT_EQ(log,
              (QStringList{"frmModelled=43.33", "frmTributary=43.33", "frmInterpolate=43.33"}));
    for (const char* name : {"frmModelled", "frmTributary", "frmInterpolate"}) {
        QWidget* screen = Windows().existing(QString::fromLatin1(name));
        ASSERT_NE(screen, nullptr) << name;
        EXPECT_EQ(Child<QComboBox>(screen, "cboK")->currentText(), QStringLiteral("43.33"));
    }
    EXPECT_FALSE(Windows().existing(QStringLiteral("frmModelled"))->isVisible());
    EXPECT_TRUE(tributary->isVisible());

    // Really closed: gone, and a new opening starts empty.
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
    QWidget* again = Windows().show(QStringLiteral("frmMedianUCS"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Child<QListWidget>(again, "lstUCS")->count(), 0);
    EXPECT_FALSE(Child<QPushButton>(again, "cmdAccept")->isEnabled());
}

TEST_F(MedianUcsTest, AcceptWritesTheLocaleSeparator) {
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    QStringList log;
    FakeWindows fakes;
    fakes.add(QStringLiteral("frmModelled"),
              [&log] { return MakeScreenWithK(QStringLiteral("frmModelled"), &log); });
    addReading(QStringLiteral("40"));
    QTest::mouseClick(calculate, Qt::LeftButton);
    QTest::mouseClick(accept, Qt::LeftButton);
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.first(), QStringLiteral("frmModelled=13,33"));
}

} // namespace
} // namespace vt::test
