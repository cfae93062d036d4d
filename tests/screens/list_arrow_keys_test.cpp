// The arrow keys step through a drop-down list from the item that the field
// shows, as a keyboard user picks an item: from an empty field Down gives the
// first item, from "12" in 4, 8, 12, 16, 20 Down gives 16 and Up gives 8.
#include "tests/support/screenhelpers.h"

#include <QApplication>
#include <QCheckBox>

namespace vt::test {
namespace {

struct KeyRow {
    const char* screen;
    const char* field;
    Qt::Key key;
    const char* expected;
};

void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.screen << "/" << row.field << (row.key == Qt::Key_Down ? " Down" : " Up");
}

const KeyRow kKeyRows[] = {
    {"frmTributary", "cboRockDensity", Qt::Key_Down, "2.5"},
    {"frmTributary", "cboPillarWidth1", Qt::Key_Down, "1"},
    {"frmTributary", "cboPillarLength", Qt::Key_Down, "1"},
    {"frmTributary", "cboBordWidth", Qt::Key_Down, "16"},
    {"frmTributary", "cboBordWidth", Qt::Key_Up, "8"},
    {"frmTributary", "cboBordWidth2", Qt::Key_Down, "16"},
    {"frmTributary", "cboK", Qt::Key_Down, "4.5"},
    {"frmTributary", "cboPillarHeight", Qt::Key_Down, "1"},
    {"frmTributary", "cboAlpha", Qt::Key_Down, "0.46"},
    {"frmTributary", "cboBeta", Qt::Key_Down, "0.66"},
    {"frmTributary", "cboSquatPillarEffect", Qt::Key_Down, "5.0"},
    {"frmTributary", "cboStrengthIncrease", Qt::Key_Up, "2.5"},
    {"frmModelled", "cboPillarWidth1", Qt::Key_Down, "1"},
    {"frmModelled", "cboBordWidth2", Qt::Key_Up, "8"},
    {"frmModelled", "cboK", Qt::Key_Down, "4.5"},
    {"frmModelled", "cboStrengthIncrease", Qt::Key_Up, "2.5"},
    {"frmInterpolate", "cboK", Qt::Key_Down, "4.5"},
    {"frmInterpolate", "cboPillarHeight", Qt::Key_Down, "1"},
    {"frmInterpolate", "cboStrengthIncrease", Qt::Key_Up, "2.5"},
};

class ListKeys : public ProgramTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(ListKeys, StepFromTheShownItem) {
    const KeyRow& row = GetParam();
    CalculationScreen* screen = OpenScreen(QString::fromLatin1(row.screen));
    ASSERT_NE(screen, nullptr);
    // The formula variables can be edited only with "Pillar formula variables".
    qobject_cast<QCheckBox*>(Field(screen, QStringLiteral("Check1")))->setChecked(true);
    const QString name = QString::fromLatin1(row.field);
    QWidget* field = Field(screen, name);
    for (int i = 0; i < screen->tabs()->count(); ++i)
        if (screen->tabs()->widget(i)->isAncestorOf(field))
            screen->tabs()->setCurrentIndex(i);
    field->setFocus();
    ASSERT_TRUE(field->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == field);

    QTest::keyClick(QApplication::focusWidget(), row.key);

    EXPECT_EQ(Text(screen, name).toStdString(), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, ListKeys, ::testing::ValuesIn(kKeyRows));

} // namespace
} // namespace vt::test
