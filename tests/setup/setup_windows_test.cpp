// The setup page's controls and small dialogs on their own, without a gauge.
#include "setup/averaging_dialog.h"
#include "setup/fixed_current_dialog.h"
#include "setup/pie_gauge.h"
#include "setup/setup_page.h"
#include "widgets/up_down_buttons.h"
#include "setup/variables_dialog.h"
#include "support/wait_until.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTextDocument>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace orv;

TEST(SetupControls, ArrowsStepTheTypedNumberWithinTheLimits)
{
    struct Case {
        const char *text;
        int last, steps, expected;
    };
    const Case cases[] = {
        {"7", 0, 1, 8},      {"7", 0, -1, 6},   {"255", 0, 1, 255}, {"0", 5, -1, 0},
        {"300", 0, 1, 255},  // a typed value beyond the limit comes back to it
        {"300", 0, -1, 254}, {"-4", 9, 1, 1},   {"abc", 9, 1, 10},  // no number: from the last position
        {"", 3, -1, 2},      {" 12", 0, 1, 13},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SteppedPosition(QString::fromUtf8(c.text), c.last, 0, 255, c.steps), c.expected) << c.text;

    QLineEdit edit(QStringLiteral("254"));
    UpDownButtons arrows(&edit, 0, 255, 0);
    arrows.UpButton->click();
    arrows.UpButton->click();
    EXPECT_EQ(edit.text(), QStringLiteral("255"));
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.text(), QStringLiteral("254"));
    edit.setText(QStringLiteral("300"));   // typing is not bound by the arrows' limits
    EXPECT_EQ(edit.text(), QStringLiteral("300"));
}

TEST(SetupControls, FixedCurrentEditIsResetOnShowingOnly)
{
    TForm9 form9;
    form9.show();
    EXPECT_EQ(form9.LabeledEdit1->text(), QStringLiteral("4"));
    form9.LabeledEdit1->setText(QStringLiteral("12,5"));
    form9.repaint();
    form9.update();
    QApplication::processEvents();
    form9.LabeledEdit1->repaint();
    EXPECT_EQ(form9.LabeledEdit1->text(), QStringLiteral("12,5"));
    form9.hide();
    EXPECT_EQ(form9.LabeledEdit1->text(), QStringLiteral("12,5"));
    form9.show();
    EXPECT_EQ(form9.LabeledEdit1->text(), QStringLiteral("4"));
    EXPECT_EQ(form9.UpDown1->Position(), 4);
    EXPECT_EQ(form9.UpDown1->Min(), 0);
    EXPECT_EQ(form9.UpDown1->Max(), 20);

    // "Отключить" leaves -1 in the edit for the request.
    form9.BitBtn3->click();
    EXPECT_EQ(form9.LabeledEdit1->text(), QStringLiteral("-1"));
    EXPECT_EQ(form9.result(), QDialog::Accepted);
    EXPECT_EQ(form9.LabeledEdit1Label->text(), QStringLiteral("Введите значение силы тока, мА  "));
}

TEST(SetupControls, AveragingTrackBarDrivesTheNumberAndTheGauge)
{
    TForm6 form6;
    EXPECT_EQ(form6.TrackBar1->minimum(), 1);
    EXPECT_EQ(form6.TrackBar1->maximum(), 50);
    EXPECT_EQ(form6.Label2->text(), QStringLiteral("1"));
    EXPECT_EQ(form6.Gauge1->Progress(), 2);
    EXPECT_EQ(form6.Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(form6.Gauge1->ForeColor, QColor(166, 202, 240));
    for (int n : {10, 25, 50, 1}) {
        form6.TrackBar1->setValue(n);
        EXPECT_EQ(form6.Label2->text(), QString::number(n));
        EXPECT_EQ(form6.Gauge1->Progress(), 2 * n);
    }
}

TEST(SetupControls, PieGaugeFillsClockwiseFromTwelve)
{
    PieGauge gauge;
    gauge.resize(100, 100);
    const QColor blue = PieGaugeSkyBlue();
    struct Case {
        int progress;
        bool upperRight, lowerRight, lowerLeft, upperLeft;
    };
    const Case cases[] = {
        {0, false, false, false, false},
        {25, true, false, false, false},
        {50, true, true, false, false},
        {75, true, true, true, false},
        {100, true, true, true, true},
    };
    for (const Case &c : cases) {
        gauge.SetProgress(c.progress);
        const QImage image = gauge.grab().toImage();
        const auto filled = [&](int x, int y) { return QColor(image.pixel(x, y)) == blue; };
        EXPECT_EQ(filled(70, 30), c.upperRight) << c.progress;
        EXPECT_EQ(filled(70, 70), c.lowerRight) << c.progress;
        EXPECT_EQ(filled(30, 70), c.lowerLeft) << c.progress;
        EXPECT_EQ(filled(30, 30), c.upperLeft) << c.progress;
    }
}

TEST(SetupControls, VariablesDialogFlags)
{
    TForm5 form5;
    const QString labels[] = {QStringLiteral("1. Первая"), QStringLiteral("2. Вторая"), QStringLiteral("3. Третья"), QStringLiteral("4. Четвертая")};
    QComboBox *lists[] = {form5.ComboBox1, form5.ComboBox2, form5.ComboBox3, form5.ComboBox4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(form5.Labels[static_cast<std::size_t>(i)]->text(), labels[i]);
        EXPECT_EQ(form5.Labels[static_cast<std::size_t>(i)]->buddy(), lists[i]);
        EXPECT_EQ(lists[i]->count(), 17);
        EXPECT_FALSE(lists[i]->isEditable());
        EXPECT_EQ(lists[i]->currentText(), QStringLiteral("1. Давление"));
    }
    EXPECT_TRUE(form5.Check_No_Zapros_All_Datchik->isChecked());

    form5.show();
    QTest::keyClick(&form5, Qt::Key_Escape);
    EXPECT_EQ(form5.result(), QDialog::Rejected);
    EXPECT_TRUE(form5.VariablesDialogCancelled);
    EXPECT_TRUE(form5.AskVariables);

    // A new showing starts without the old cancel; OK with the box cleared keeps asking.
    form5.show();
    EXPECT_FALSE(form5.VariablesDialogCancelled);
    form5.Check_No_Zapros_All_Datchik->setChecked(false);
    form5.BitBtn1->click();
    EXPECT_TRUE(form5.AskVariables);
    form5.show();
    form5.Check_No_Zapros_All_Datchik->setChecked(true);
    form5.BitBtn1->click();
    EXPECT_FALSE(form5.AskVariables);
    EXPECT_FALSE(form5.VariablesDialogCancelled);
}

TEST(SetupControls, TraceLogKeepsTheLatestLines)
{
    SetupPage page;
    page.SetTraceLogLimit(50, 10);
    const auto lines = [&] { return page.TraceText().split(QLatin1Char('\n')); };
    for (int i = 1; i <= 60; ++i)
        page.AppendTrace(QString::number(i));
    EXPECT_EQ(lines().size(), 60);   // within the slack
    page.AppendTrace(QStringLiteral("61"));
    QStringList kept = lines();
    ASSERT_EQ(kept.size(), 50);
    EXPECT_EQ(kept.front(), QStringLiteral("12"));
    EXPECT_EQ(kept.back(), QStringLiteral("61"));
    for (int i = 62; i <= 200; ++i)
        page.AppendTrace(QString::number(i));
    kept = lines();
    EXPECT_LE(kept.size(), 60);
    EXPECT_GE(kept.size(), 50);
    EXPECT_EQ(kept.back(), QStringLiteral("200"));
    EXPECT_EQ(kept.front().toInt(), 200 - kept.size() + 1);
}

TEST(SetupControls, TraceLogGathersLinesWhileOffScreen)
{
    SetupPage page;
    page.AppendTrace(QStringLiteral("hidden 1"));
    page.AppendTrace(QStringLiteral("hidden 2"));
    // Not on screen: nothing reaches the document yet, and reading the log shows everything.
    EXPECT_TRUE(page.Memo1->document()->toPlainText().isEmpty());
    page.AppendTrace(QStringLiteral("hidden 3"));
    EXPECT_TRUE(testsupport::WaitUntil(
        [&] { return page.Memo1->document()->toPlainText() == QStringLiteral("hidden 1\nhidden 2\nhidden 3"); },
        2000));
    page.AppendTrace(QStringLiteral("before showing"));
    page.show();
    EXPECT_TRUE(page.Memo1->document()->toPlainText().endsWith(QStringLiteral("\nbefore showing")));
    page.AppendTrace(QStringLiteral("on screen"));
    EXPECT_TRUE(page.Memo1->document()->toPlainText().endsWith(QStringLiteral("\non screen")));
}
