#pragma once
// "Настройка токового выходного сигнала": the output range (157), the DAC codes of its limits
// (147, 146), and the fixed-current modes (40) with their three lamps.
#include "device/device_decoders.h"
#include "device/dialog_loop.h"
#include "setup/fixed_current.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class Lamp;
class UpDownButtons;

class TUkaz_Tok : public QDialog {
    Q_OBJECT
public:
    explicit TUkaz_Tok(QWidget *parent = nullptr);

    void SetLink(DialogLink link) { link_ = std::move(link); }

    // Menu item 11: range, codes, lamps and marks back to their start, then the dialog until "Выход".
    void Open();
    // Answer 157: the range text ("" for a code that is no range).
    void ShowCurrentRange(const QString &rangeText);
    // Answers 146 and 147.
    void ShowDacCodes(const DacCodeTexts &codes);
    // What an answer of command 40 or a failed exchange decided about the marks and the lamps.
    void ApplyFixedCurrent(const FixedCurrentOutcome &outcome);
    // A setup exchange failed: the marked button's lamp turns red.
    void ExchangeFailed();

    // Which fixed-current button waits for its answer.
    FixedCurrentMarks Marks;

    void Button_tok_readClick();
    void Button_DAC_readClick();
    void Button_DAC_writeClick();
    void FixedCurrentClick(FixedCurrentButton button);
    void Button_tok_vixodClick();

    bool CurrentOutputExitFlag = false;

    QGroupBox *GroupBox1 = nullptr;
    QComboBox *Znachen_Tok = nullptr;
    QPushButton *Button_tok_read = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;   // "DacMin"
    QLineEdit *Edit1 = nullptr;
    UpDownButtons *UpDownMin = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;   // "DacMax"
    QLineEdit *Edit2 = nullptr;
    UpDownButtons *UpDownMax = nullptr;
    QPushButton *Button_DAC_read = nullptr;
    QPushButton *Button_DAC_write = nullptr;
    QGroupBox *GroupBox4 = nullptr;
    Lamp *Shape1 = nullptr;
    Lamp *Shape2 = nullptr;
    Lamp *Shape3 = nullptr;
    QPushButton *VKL_Regim_DAC_Min = nullptr;
    QPushButton *VKL_Regim_DAC_Max = nullptr;
    QPushButton *VIKL_Regim = nullptr;
    QPushButton *Button_tok_vixod = nullptr;

private:
    DialogLink link_;
};

} // namespace orv
