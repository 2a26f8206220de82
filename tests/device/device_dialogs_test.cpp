// The device dialogs on their own: what each button sends, what it clears, what an answer
// shows, and the loop that shows a dialog again until its exit button. No wire: the dialogs'
// link records the requests instead of sending them.
#include "device/current_output_dialog.h"
#include "device/device_info_dialog.h"
#include "device/dialog_script.h"
#include "widgets/lamp.h"
#include "device/pressure_unit_dialog.h"
#include "device/response_delay_dialog.h"
#include "device/setup_answers.h"
#include "device/signal_device_dialog.h"
#include "device/sub_range_dialog.h"
#include "device/track_bar.h"
#include "widgets/up_down_buttons.h"
#include "support/answer_frame.h"
#include "widgets/display_colours.h"
#include "gauge/pressure_units.h"
#include "support/test_printers.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;
using testsupport::DialogScript;
using Bytes = std::vector<std::uint8_t>;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

// Stands in for the engine and the message box.
struct Recorder {
    std::vector<Request> sent;
    QStringList messages;
    DialogLink Link()
    {
        DialogLink link;
        link.send = [this](const Request &r) { sent.push_back(r); };
        link.message = [this](const QString &m) { messages << m; };
        return link;
    }
};

void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

QColor FontColour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

// The fields an answer shows, applied as the decoder of the setup page does.
void Answer(const DeviceDialogs &dialogs, std::uint8_t command, const std::vector<std::uint8_t> &payload)
{
    const auto frame = MakeAnswer(0, command, payload);
    const SetupDecoder decoder = FindSetupDecoder(command);
    ASSERT_NE(decoder, nullptr) << int(command);
    ShowInDialogs(decoder(frame.View(), SetupDecodeContext{}), dialogs);
}

TEST(DeviceDialogs, EveryControlCarriesItsNameForAssistiveTechnology)
{
    TZavod_Parametrs info;
    TSign_Ustr signal;
    TUkaz_Ed_Davl unit;
    TUkaz_Tok tok;
    TPodDiapazon sub;
    TTime_Delay_Pribor delay;
    for (QWidget *dialog : std::initializer_list<QWidget *>{&info, &signal, &unit, &tok, &sub, &delay}) {
        int named = 0;
        for (QWidget *w : dialog->findChildren<QWidget *>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            ++named;
            EXPECT_EQ(w->accessibleDescription(), w->objectName()) << dialog->objectName().toStdString();
            // Controls without a text of their own are named for the reader.
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) || qobject_cast<Lamp *>(w) ||
                qobject_cast<QSlider *>(w) || qobject_cast<UpDownButtons *>(w)) {
                EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
            }
        }
        EXPECT_GT(named, 3) << dialog->objectName().toStdString();
    }
    // The labelled edits have their label as buddy.
    EXPECT_EQ(info.Label1->buddy(), info.Edit1);
    EXPECT_EQ(signal.Label5->buddy(), signal.Znachen_Gisteresis);
    EXPECT_EQ(tok.Label3->buddy(), tok.Edit2);
    EXPECT_EQ(sub.Label9->buddy(), sub.Edit_Koeff_Osndiap);
    EXPECT_EQ(sub.findChild<QLabel *>(QStringLiteral("Label5"))->buddy(), sub.Edit_Poddiap_Pmax);
    EXPECT_EQ(sub.Edit_Poddiap_Pmax->accessibleName(), QString::fromUtf8("Верхний предел поддиапазона"));
    EXPECT_EQ(unit.Label1->buddy(), unit.Ed_Davlen);
}

TEST(DeviceDialogs, DefaultsAndCaptions)
{
    TZavod_Parametrs info;
    EXPECT_EQ(info.windowTitle(), U("Сведения о приборе"));
    EXPECT_EQ(info.Edit1->text(), U("0000"));
    EXPECT_EQ(info.Edit2->text(), U("2010"));
    EXPECT_EQ(info.Button_Vixod->text(), U("Отмена"));

    TSign_Ustr signal;
    EXPECT_TRUE(signal.V_procentax->isChecked());
    EXPECT_EQ((QStringList{signal.Znachen_Ispolnen->text(), signal.Znachen_Ustavka_1->text(),
                           signal.Znachen_Ustavka_2->text(), signal.Znachen_Gisteresis->text()}),
              (QStringList{U("5"), U("20"), U("80"), U("1")}));
    EXPECT_EQ(signal.Ed_Gisteresis->text(), U("%"));
    EXPECT_FALSE(signal.windowFlags() & Qt::WindowCloseButtonHint);

    TUkaz_Ed_Davl unit;
    EXPECT_EQ(unit.Ed_Davlen->currentText(), U("кгс/см2"));
    QStringList items;
    for (int i = 0; i < unit.Ed_Davlen->count(); ++i)
        items << unit.Ed_Davlen->itemText(i);
    EXPECT_EQ(items, PressureUnitNames());
    EXPECT_EQ(unit.BitBtn1->text(), U("Отмена"));

    TPodDiapazon sub;
    EXPECT_EQ(sub.GroupBox2->title(), U("  Основной диапазон измерений  "));
    EXPECT_EQ(sub.Edit_Poddiap_Pmin->text(), U("0,0"));
    EXPECT_EQ(sub.Edit_Koeff_Osndiap->text(), U("5,0"));
    EXPECT_EQ(sub.Ed_Osndiap->currentText(), QString());
    EXPECT_EQ(sub.Label_Error_OsnDiap->text(), U("_"));
    EXPECT_EQ(sub.findChild<QLabel *>(QStringLiteral("Label1"))->text(), U("От  ("));

    TUkaz_Tok tok;
    EXPECT_EQ(tok.GroupBox4->title(), U("  Режим фиксированного тока  "));
    EXPECT_EQ(tok.Znachen_Tok->currentText(), U("(4...20) мА"));
    EXPECT_EQ(tok.Shape2->Colour(), LampSilver());

    TTime_Delay_Pribor delay;
    EXPECT_EQ(delay.Time_Delay->maximum(), 250);
    EXPECT_EQ(delay.Time_Delay->singleStep(), 10);
    EXPECT_EQ(delay.Time_Delay->tickInterval(), 5);
    EXPECT_EQ(delay.Delay_ms->text(), U("0 мс"));
    EXPECT_EQ(delay.ScaleLabels[5]->text(), U("250"));
}

TEST(DeviceDialogs, TypedUnitNamesStayAsTyped)
{
    // Each typed text differs from one of the box's items only in letter case.
    TPodDiapazon sub;
    TUkaz_Ed_Davl unit;
    TUkaz_Tok tok;
    const struct {
        QComboBox *box;
        const char *typed;
    } cases[] = {{sub.Ed_Poddiap, "bar"}, {sub.Ed_Osndiap, "мпа"}, {unit.Ed_Davlen, "bar"}, {tok.Znachen_Tok, "(4...20) ма"}};
    for (const auto &c : cases) {
        c.box->setEditText(QString());
        for (QChar ch : U(c.typed))   // one key at a time, as typed; keyClicks takes Latin-1 only
            QTest::sendKeyEvent(QTest::Click, c.box->lineEdit(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::keyClick(c.box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(c.box->currentText(), U(c.typed)) << c.box->objectName().toStdString();
    }
}

TEST(DeviceDialogs, TheLoopShowsTheDialogAgainUntilItsExitButton)
{
    TZavod_Parametrs info;
    Recorder r;
    info.SetLink(r.Link());
    auto script = std::make_unique<DialogScript>(
        &info,
        std::vector<DialogScript::Step>{[&] { Click(info.Button_Read); },
         [&] { info.close(); },                                  // the title bar's close button
         [&] { QTest::keyClick(&info, Qt::Key_Escape); },
         [&] { Click(info.Button_Vixod); }},
        [&] { info.DeviceInfoExitFlag = true; info.reject(); });
    info.Open();
    EXPECT_FALSE(script->TimedOut());
    EXPECT_EQ(script->Showings(), 4);
    EXPECT_EQ(script->StepsRun(), 4);
    script.reset();
    EXPECT_FALSE(info.isVisible());
    EXPECT_EQ(r.sent, (std::vector<Request>{{174, {}}}));
    // The edits are not cleared by a read; the answer fills them with integer parts.
    EXPECT_EQ(info.Edit1->text(), U("0000"));
    Answer({nullptr, nullptr, nullptr, &info, nullptr, nullptr}, 174, Payload().Float(123.75f).Float(2010.0f));
    EXPECT_EQ(info.Edit1->text(), U("123"));
    EXPECT_EQ(info.Edit2->text(), U("2010"));

    // A loop whose event loop is ended from outside (as the program's end does) gives up instead
    // of showing the dialog for ever.
    QTimer::singleShot(50, [&] { info.hide(); });
    info.Open();
    EXPECT_FALSE(info.isVisible());
    EXPECT_FALSE(info.DeviceInfoExitFlag);
}

TEST(DeviceDialogs, SignalDeviceButtons)
{
    TSign_Ustr d;
    Recorder r;
    d.SetLink(r.Link());
    const DeviceDialogs dialogs{&d, nullptr, nullptr, nullptr, nullptr, nullptr};
    DialogScript script(
        &d,
        {[&] { Click(d.Button_Sign_Ustr_Write); },
         [&] {
             QTest::mouseClick(d.V_ed_indikacii, Qt::LeftButton);
             Click(d.Button_Sign_Ustr_Write);   // the set points are empty now: refused
         },
         [&] { Click(d.Button_Sign_Ustr_Read); },
         [&] { Click(d.Button_Sign_Ustr_Vixod); }},
        [&] { d.SignalDeviceExitFlag = true; d.reject(); });
    d.Open();
    ASSERT_EQ(script.Showings(), 4);
    ASSERT_EQ(r.sent.size(), 2u);
    EXPECT_EQ(r.sent[0], (Request{186, {0x40, 0xA0, 0, 0, 0x41, 0xA0, 0, 0, 0x42, 0xA0, 0, 0, 0x3F, 0x80, 0, 0}}));
    EXPECT_EQ(r.sent[1], (Request{181, {}}));
    EXPECT_EQ(r.messages, QStringList{U("'' is not a valid floating point value")});
    // The read emptied everything, the execution number included.
    EXPECT_EQ(d.Znachen_Ispolnen->text(), QString());
    EXPECT_EQ(d.Ed_Ustavka_1->text(), QString());

    // 181: units per value; a code without a name leaves its caption as it is (empty here).
    Answer(dialogs, 181, Payload().Byte(0).Float(7.0f).Byte(1).Float(0.5f).Byte(1).Float(1.25f).Byte(0).Float(0.01f));
    EXPECT_EQ(d.Znachen_Ispolnen->text(), U("7"));
    EXPECT_EQ(d.Znachen_Ustavka_1->text(), U("0,5000000"));
    EXPECT_EQ((QStringList{d.Ed_Ustavka_1->text(), d.Ed_Ustavka_2->text(), d.Ed_Gisteresis->text()}),
              (QStringList{U("кгс/см2"), U("кгс/см2"), QString()}));
    // 187 sets "%".
    Answer(dialogs, 187, Payload().Float(5).Float(20).Float(80).Float(1));
    EXPECT_EQ(d.Ed_Gisteresis->text(), U("%"));

    // A radio click empties the set points and captions, never the execution number.
    QTest::mouseClick(d.V_procentax, Qt::LeftButton);
    EXPECT_EQ(d.Znachen_Ispolnen->text(), U("5"));
    EXPECT_EQ(d.Znachen_Ustavka_1->text(), QString());
    EXPECT_EQ(d.Ed_Ustavka_1->text(), QString());
    EXPECT_EQ(d.Units(), SignalUnits::Percent);
}

TEST(DeviceDialogs, CurrentOutputButtonsAndLamps)
{
    TUkaz_Tok d;
    Recorder r;
    d.SetLink(r.Link());
    // Left-overs of an earlier opening, all reset by the next one.
    d.Znachen_Tok->setCurrentText(U("(0...5) мА"));
    d.Edit1->setText(U("7"));
    d.Edit2->setText(U("9"));
    d.Shape1->SetColour(LampRed());
    d.Marks.dacMax = true;
    DialogScript script(
        &d,
        {[&] {
             EXPECT_EQ(d.Znachen_Tok->currentText(), U("(4...20) мА"));
             EXPECT_EQ(d.Edit1->text(), U("50"));
             EXPECT_EQ(d.Edit2->text(), U("4000"));
             EXPECT_EQ(d.Shape1->Colour(), LampSilver());
             EXPECT_EQ(d.Marks, FixedCurrentMarks{});
             Click(d.VKL_Regim_DAC_Min);
         },
         [&] {
             d.Znachen_Tok->setCurrentText(U("(0...5) мА"));
             Click(d.VKL_Regim_DAC_Max);
         },
         [&] { Click(d.VIKL_Regim); },
         [&] {
             d.Znachen_Tok->setCurrentText(U("(4...20)"));
             Click(d.VKL_Regim_DAC_Max);   // neither range: marked, refused
         },
         [&] {
             d.Edit2->setText(U("5000"));   // the arrows' limits do not bind what is typed
             Click(d.Button_DAC_write);
         },
         [&] { Click(d.Button_DAC_read); },
         [&] { Click(d.Button_tok_read); },
         [&] { Click(d.Button_tok_vixod); }},
        [&] { d.CurrentOutputExitFlag = true; d.reject(); });
    d.Open();
    ASSERT_EQ(script.Showings(), 8);
    const std::vector<Request> expected{
        {40, {0x40, 0x80, 0, 0}},                          // 4 mA
        {40, {0x40, 0xA0, 0, 0}},                          // 5 mA
        {40, {0xBF, 0x80, 0, 0}},                          // -1: off
        {146, {0x42, 0x48, 0, 0, 0x45, 0x9C, 0x40, 0}},    // 50 and 5000
        {147, {}},
        {157, {}},
    };
    EXPECT_EQ(r.sent, expected);
    EXPECT_EQ(r.messages, QStringList{U("'' is not a valid floating point value")});
    EXPECT_EQ(d.Marks, MarksAfterPress(FixedCurrentButton::DacMax));

    // The DacMax mark and a failed exchange: its lamp red, the mark gone.
    d.ExchangeFailed();
    EXPECT_EQ(d.Shape2->Colour(), LampRed());
    EXPECT_EQ(d.Shape1->Colour(), LampSilver());
    EXPECT_EQ(d.Marks, FixedCurrentMarks{});
    // With no mark a failure changes nothing.
    d.ExchangeFailed();
    EXPECT_EQ(d.Shape2->Colour(), LampRed());

    const DeviceDialogs dialogs{nullptr, nullptr, &d, nullptr, nullptr, nullptr};
    Answer(dialogs, 147, Payload().Float(4095.5f).Float(-0.5f));
    EXPECT_EQ(d.Edit1->text(), U("4095"));
    EXPECT_EQ(d.Edit2->text(), U("-0"));
    Answer(dialogs, 157, {1});
    EXPECT_EQ(d.Znachen_Tok->currentText(), U("(0...5) мА"));
    Answer(dialogs, 157, {2});
    EXPECT_EQ(d.Znachen_Tok->currentText(), QString());
}

TEST(DeviceDialogs, DacCodeArrowsStepWithinTheirRange)
{
    TUkaz_Tok d;
    const struct {
        const char *typed;
        bool up;
        const char *shown;
    } cases[] = {{"4095", true, "4095"}, {"5000", true, "4095"}, {"1", false, "1"},
                 {"50", true, "51"},     {"50", false, "49"},    {"abc", true, "50"}};
    for (const auto &c : cases) {
        d.Edit1->setText(U(c.typed));
        QTest::mouseClick(c.up ? d.UpDownMin->UpButton : d.UpDownMin->DownButton, Qt::LeftButton);
        EXPECT_EQ(d.Edit1->text(), U(c.shown)) << c.typed;
    }
    d.Edit2->setText(U("100"));
    QTest::keyClick(d.Edit2, Qt::Key_Down);
    EXPECT_EQ(d.Edit2->text(), U("99"));
}

TEST(DeviceDialogs, SubRangeButtonsAndMessages)
{
    TPodDiapazon d;
    Recorder r;
    d.SetLink(r.Link());
    RangeReadTarget target = RangeReadTarget::None;
    d.RangeTarget = &target;
    d.Label_Error->setText(U("old"));
    d.Label_Text->setText(U("old"));
    DialogScript script(
        &d,
        {[&] {
             EXPECT_EQ(d.Label_Error->text(), QString());
             EXPECT_EQ(d.Label_Text->text(), QString());
             d.Edit_Poddiap_Pmin->setText(U("0,5"));
             d.Edit_Poddiap_Pmax->setText(U("2.5"));
             d.Ed_Poddiap->setEditText(U("МПа"));
             Click(d.Button_Poddiap_Write);
         },
         [&] { Click(d.Button_Osn_Read); },
         [&] {
             EXPECT_EQ(target, RangeReadTarget::MainRange);
             EXPECT_EQ(d.Edit_Osndiap_Pmin->text(), QString());
             EXPECT_EQ(d.Ed_Osndiap->currentText(), QString());
             EXPECT_EQ(d.Edit_Poddiap_Pmin->text(), U("0,5"));
             Click(d.Button_Poddiap_Read);
         },
         [&] {
             EXPECT_EQ(target, RangeReadTarget::SubRange);
             d.Edit_Koeff_Poddiap->setText(U("x"));
             Click(d.Button_Koeff_Poddiap_Write);   // refused
         },
         [&] {
             d.Edit_Koeff_Poddiap->setText(U("2"));
             Click(d.Button_Koeff_Poddiap_Write);
         },
         [&] { Click(d.Button_Koeff_Poddiap_Read); },
         [&] { Click(d.Button_Koeff_Osndiap_Read); },
         [&] { Click(d.BitBtn2); }},
        [&] { d.SubRangeExitFlag = true; d.reject(); });
    d.Open();
    ASSERT_EQ(script.Showings(), 8);
    const std::vector<Request> expected{
        {190, {0x02, 0x40, 0x20, 0, 0, 0x3F, 0, 0, 0}},
        {33, {8, 7, 10, 9}},
        {33, {8, 7, 10, 9}},
        {191, {0x40, 0, 0, 0}},
        {192, {}},
        {151, {}},
    };
    EXPECT_EQ(r.sent, expected);
    EXPECT_EQ(r.messages, QStringList{U("'x' is not a valid floating point value")});
    EXPECT_EQ(d.Edit_Koeff_Poddiap->text(), QString());
    EXPECT_EQ(d.Edit_Koeff_Osndiap->text(), QString());

    const DeviceDialogs dialogs{nullptr, nullptr, nullptr, nullptr, &d, nullptr};
    d.Edit_Poddiap_Pmax->setText(U("2.5"));
    const QColor red = MessageRed(), green = MessageGreen();
    const struct {
        std::uint8_t command;
        std::vector<std::uint8_t> payload;
        QLabel *label;
        const char *text;
        QColor colour;
    } replies[] = {
        {190, {4}, d.Label_Error, "Верхний предел вне диапазона измерений", red},
        {190, Payload().Byte(2).Float(1.0f).Float(0.5f), d.Label_Error, "Перестроились на поддиапазон", green},
        {191, {2}, d.Label_Error_Koeff_PodDiap, "", red},
        {191, {1}, d.Label_Error_Koeff_PodDiap, "Дальнейшая перестройка ограничена", red},
        {192, Payload().Float(2.0f), d.Label_Error_Koeff_PodDiap, "Считали", green},
    };
    for (const auto &c : replies) {
        c.label->clear();   // as the button that sent the request left it
        Answer(dialogs, c.command, c.payload);
        EXPECT_EQ(c.label->text(), U(c.text)) << int(c.command) << " " << c.text;
        EXPECT_EQ(FontColour(c.label), c.colour) << int(c.command) << " " << c.text;
    }
    EXPECT_EQ(d.Edit_Koeff_Poddiap->text(), U("2,0000000"));
    // A re-ranging does not touch the sub-range edits.
    EXPECT_EQ(d.Edit_Poddiap_Pmax->text(), U("2.5"));
    Answer(dialogs, 191, Payload().Byte(0).Float(0.8f).Float(0.0f));
    EXPECT_EQ(d.Label_Text->text(), U(" (0,0000000 ... 0,8000000) "));
    Answer(dialogs, 191, Payload().Byte(2).Float(0.8f).Float(0.0f));
    EXPECT_EQ(d.Label_Text->text(), U(" (0,0000000 ... 0,8000000) МПа"));
    Answer(dialogs, 151, Payload().Float(5.0f));
    EXPECT_EQ(d.Edit_Koeff_Osndiap->text(), U("5,0000000"));

    // The groups a command-33 answer fills; a unit code without a name empties the box.
    d.FillRangeGroups(RangeGroupFill{QString(), U("0,1000000"), U("0,9000000")}, std::nullopt);
    EXPECT_EQ(d.Ed_Poddiap->currentText(), QString());
    EXPECT_EQ(d.Edit_Poddiap_Pmin->text(), U("0,1000000"));
    EXPECT_EQ(d.Edit_Osndiap_Pmin->text(), QString());
    d.FillRangeGroups(std::nullopt, RangeGroupFill{U("МПа"), U("0,0000000"), U("1,6000000")});
    EXPECT_EQ(d.Ed_Osndiap->currentText(), U("МПа"));
    EXPECT_EQ(d.Edit_Osndiap_Pmax->text(), U("1,6000000"));
}

TEST(DeviceDialogs, ResponseDelayTrackBar)
{
    TTime_Delay_Pribor d;
    Recorder r;
    d.SetLink(r.Link());
    const DeviceDialogs dialogs{nullptr, nullptr, nullptr, nullptr, nullptr, &d};
    DialogScript script(
        &d,
        {[&] {
             d.Time_Delay->setFocus();
             for (int i = 0; i < 12; ++i)
                 QTest::keyClick(d.Time_Delay, Qt::Key_Right);   // ten per key
             EXPECT_EQ(d.Time_Delay->value(), 120);
             EXPECT_EQ(d.Delay_ms->text(), U("120 мс"));
             EXPECT_EQ(d.Time_Delay->SelStart(), 0);
             EXPECT_EQ(d.Time_Delay->SelEnd(), 120);
             Click(d.Button_Delay_Write);
         },
         [&] { Click(d.Button_Delay_Read); },
         [&] { Click(d.Button_Delay_Vixod); }},
        [&] { d.ResponseDelayExitFlag = true; d.reject(); });
    d.Open();
    ASSERT_EQ(script.Showings(), 3);
    EXPECT_EQ(r.sent, (std::vector<Request>{{193, {0x78}}, {194, {}}}));

    // The write's answer equal to the position: no change handler, but the highlight goes.
    Answer(dialogs, 193, {120});
    EXPECT_EQ(d.Time_Delay->SelEnd(), 0);
    EXPECT_EQ(d.Delay_ms->text(), U("120 мс"));
    // A read beyond the scale: the thumb stops at its end, the caption shows what came.
    Answer(dialogs, 194, {255});
    EXPECT_EQ(d.Time_Delay->value(), 250);
    EXPECT_EQ(d.Time_Delay->SelEnd(), 0);
    EXPECT_EQ(d.Delay_ms->text(), U("255 мс"));
    // 193 moves the thumb (the change handler writes the caption), 194 equal to it still writes it.
    Answer(dialogs, 193, {30});
    EXPECT_EQ(d.Delay_ms->text(), U("30 мс"));
    d.Delay_ms->clear();
    Answer(dialogs, 194, {30});
    EXPECT_EQ(d.Delay_ms->text(), U("30 мс"));

    // The scale labels stand under their ticks, left to right.
    d.show();
    QCoreApplication::processEvents();
    int previous = -1;
    for (int i = 0; i < 6; ++i) {
        QLabel *label = d.ScaleLabels[static_cast<std::size_t>(i)];
        const int centre = label->mapTo(&d, label->rect().center()).x();
        const int tick = d.Time_Delay->mapTo(&d, QPoint(d.Time_Delay->ValueCentre(i * 50), 0)).x();
        EXPECT_NEAR(centre, tick, 2) << i;
        EXPECT_GT(centre, previous);
        previous = centre;
    }
    d.hide();
}

TEST(DeviceDialogs, PressureUnitDialogAnswers)
{
    TUkaz_Ed_Davl d;
    const struct {
        const char *button;
        bool accepted;
    } cases[] = {{"Button_Ed_Davlenie", true}, {"BitBtn1", false}};
    for (const auto &c : cases) {
        QTimer::singleShot(50, [&] { Click(d.findChild<QPushButton *>(QLatin1String(c.button))); });
        EXPECT_EQ(d.Ask(), c.accepted) << c.button;
    }
    QTimer::singleShot(50, [&] { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(d.Ask());
}

} // namespace
} // namespace orv
