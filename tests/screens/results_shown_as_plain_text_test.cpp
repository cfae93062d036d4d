// Text that reaches a label from the user (a typed stress, a file name) is
// shown letter for letter, never read as markup: "<b>70</b>" shows all nine
// characters, not a bold 70.
#include "tests/screens/interpolatehelpers.h"

#include <QLabel>

namespace vt::test {
namespace {

// The label lays out every character of `text`.
void ExpectShownInFull(const QLabel* label, const QString& text) {
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), text);
    EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(text))
        << text.toStdString();
}

class TypedStressCopy : public ProgramTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(TypedStressCopy, ShowsTheTypedText) {
    CalculationScreen* screen = OpenScreen(QStringLiteral("frmModelled"));
    ASSERT_NE(screen, nullptr);
    const QString typed = QString::fromLatin1(GetParam());
    Type(screen, QStringLiteral("txtPillarStress"), typed);
    ExpectShownInFull(screen->findChild<QLabel*>(QStringLiteral("lblFRPillarStress")), typed);
}

INSTANTIATE_TEST_SUITE_P(Markup, TypedStressCopy,
                         ::testing::Values("<b>70</b>", "<i>70", "<font size=1>70", "70&lt;"));

TEST_F(InterpolateTest, AFileNameWithATagIsShownInFull) {
    ASSERT_TRUE(load(kWidths5And7, QStringLiteral("a<b>c.int")));
    ExpectShownInFull(screen->findChild<QLabel*>(QStringLiteral("lblMainShowData")),
                      dir.filePath(QStringLiteral("a<b>c.int")));
}

} // namespace
} // namespace vt::test
