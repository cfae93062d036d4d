// The screen side of the graphical design toggle: the four plan dimensions
// travel to frmRazuziRuridaDimensions and back as text.
#include "tests/support/programtest.h"
#include "tests/support/screenhelpers.h"

#include <QPushButton>

namespace vt::test {
namespace {

const QString kDialog = QStringLiteral("frmRazuziRuridaDimensions");
const QStringList kFour = {QStringLiteral("cboPillarWidth1"), QStringLiteral("cboPillarLength"),
                           QStringLiteral("cboBordWidth"), QStringLiteral("cboBordWidth2")};

class GraphicToggle : public ProgramTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ASSERT_TRUE(Windows().hasFactory(kDialog));
        screen = OpenScreen(QString::fromLatin1(GetParam()));
        ASSERT_NE(screen, nullptr);
        toggle = qobject_cast<QPushButton*>(Field(screen, QStringLiteral("chkGraphicToggle")));
        ASSERT_NE(toggle, nullptr);
    }
    QWidget* dialog() const { return Windows().existing(kDialog); }
    QStringList dialogTexts() const {
        QStringList texts;
        for (const QString& name : kFour)
            texts << dialog()->findChild<QComboBox*>(name)->currentText();
        return texts;
    }
    QStringList screenTexts() const {
        QStringList texts;
        for (const QString& name : kFour)
            texts << Text(screen, name);
        return texts;
    }
    bool fourEnabled(bool enabled) const {
        for (const QString& name : kFour)
            if (Field(screen, name)->isEnabled() != enabled)
                return false;
        return true;
    }
    void typeInDialog(const QString& name, const QString& text) {
        QLineEdit* editor = dialog()->findChild<QComboBox*>(name)->lineEdit();
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
    }

    CalculationScreen* screen = nullptr;
    QPushButton* toggle = nullptr;
};

TEST_P(GraphicToggle, OnWithEmptyInputsOpensTheDialogAndLocksTheInputs) {
    Press(screen, QStringLiteral("chkGraphicToggle"));
    EXPECT_TRUE(toggle->isChecked());
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_EQ(dialogTexts(), (QStringList{{}, {}, QStringLiteral("12"), QStringLiteral("12")}));
    EXPECT_TRUE(fourEnabled(false));
    // The rest of the screen stays usable.
    EXPECT_TRUE(Field(screen, QStringLiteral("txtDepth"))->isEnabled());
}

TEST_P(GraphicToggle, OffBringsTheDialogsValuesBackThroughTheChangeHandling) {
    RunFullEvaluation(screen, QStringLiteral("5"));
    Press(screen, QStringLiteral("chkGraphicToggle"));
    EXPECT_EQ(dialogTexts(), screenTexts());
    typeInDialog(QStringLiteral("cboPillarWidth1"), QStringLiteral("8"));
    Press(screen, QStringLiteral("chkGraphicToggle"));
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(fourEnabled(true));
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth1")), QStringLiteral("8"));
    EXPECT_EQ(Text(screen, QStringLiteral("txtFRPillarWidth")), QStringLiteral("8"));
    EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QString());
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarWidth")), QString());
    EXPECT_EQ(Text(screen, QStringLiteral("lblFOS")), QString());
    ASSERT_NE(dialog(), nullptr); // hidden, keeping its values
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(dialogTexts()[0], QStringLiteral("8"));
}

TEST_P(GraphicToggle, OffWithoutChangesGivesBackTheSameTexts) {
    FillPillarStressTab(screen);
    Press(screen, StressStepButton(screen));
    const QStringList before = screenTexts();
    Press(screen, QStringLiteral("chkGraphicToggle"));
    Press(screen, QStringLiteral("chkGraphicToggle"));
    EXPECT_EQ(screenTexts(), before);
    EXPECT_EQ(Text(screen, QStringLiteral("lblPercentageExtraction")), QStringLiteral("79.3"));
}

TEST_P(GraphicToggle, EnterWhileOnRefeedsTheDialogWithTheScreensValues) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("chkGraphicToggle"));
    typeInDialog(QStringLiteral("cboPillarWidth1"), QStringLiteral("3"));
    typeInDialog(QStringLiteral("cboBordWidth2"), QStringLiteral("20"));
    dialog()->hide();
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Return);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialogTexts(), screenTexts());
    EXPECT_EQ(dialogTexts()[0], QStringLiteral("10"));
    EXPECT_TRUE(fourEnabled(false));
}

TEST_P(GraphicToggle, EnterWhileOffSwitchesOn) {
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Enter);
    EXPECT_TRUE(toggle->isChecked());
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_TRUE(fourEnabled(false));
    QTest::keyClick(toggle, Qt::Key_Return); // Enter never switches off
    EXPECT_TRUE(toggle->isChecked());
}

TEST_P(GraphicToggle, AcceptInTheDialogHandsBackAndEnablesTheInputs) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("chkGraphicToggle"));
    typeInDialog(QStringLiteral("cboPillarLength"), QStringLiteral("7"));
    QWidget* accept = dialog()->findChild<QWidget*>(QStringLiteral("cmdAccept"));
    ASSERT_NE(accept, nullptr);
    QTest::mouseClick(accept, Qt::LeftButton);
    flushDeletes();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(fourEnabled(true));
    EXPECT_EQ(Text(screen, QStringLiteral("cboPillarLength")), QStringLiteral("7"));
    EXPECT_EQ(Text(screen, QStringLiteral("txtFRPillarLength")), QStringLiteral("7"));
    EXPECT_EQ(dialog(), nullptr);
}

TEST_P(GraphicToggle, ClosingTheDialogHandsBackLikeAccept) {
    FillPillarStressTab(screen);
    Press(screen, QStringLiteral("chkGraphicToggle"));
    typeInDialog(QStringLiteral("cboBordWidth"), QStringLiteral("16"));
    dialog()->close();
    flushDeletes();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_TRUE(fourEnabled(true));
    EXPECT_EQ(Text(screen, QStringLiteral("cboBordWidth")), QStringLiteral("16"));
    EXPECT_EQ(Text(screen, QStringLiteral("txtFRBordWidth")), QStringLiteral("16"));
}

INSTANTIATE_TEST_SUITE_P(Screens, GraphicToggle, ::testing::Values("frmTributary", "frmModelled"));

} // namespace
} // namespace vt::test
