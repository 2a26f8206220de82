#pragma once
// "Параметры сигнализирующего устройства": the execution number, the two set points and the
// hysteresis, read and written in percent (187, 186) or in pressure units (181, 180).
#include "device/device_decoders.h"
#include "device/device_requests.h"
#include "device/dialog_loop.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace orv {

class TSign_Ustr : public QDialog {
    Q_OBJECT
public:
    explicit TSign_Ustr(QWidget *parent = nullptr);

    void SetLink(DialogLink link) { link_ = std::move(link); }

    // Menu item 9: shows the dialog until "Выход". Nothing is reset between openings.
    void Open();
    // Answers 180, 181, 186, 187: the four edits, and the unit captions the answer carries.
    void ShowValues(const SignalDeviceTexts &texts);

    // The representation chosen by the radio buttons.
    SignalUnits Units() const;

    void Button_Sign_Ustr_ReadClick();
    void Button_Sign_Ustr_WriteClick();
    void Button_Sign_Ustr_VixodClick();
    void RepresentationClick();

    bool SignalDeviceExitFlag = false;

    QLabel *Label6 = nullptr;
    QLineEdit *Znachen_Ispolnen = nullptr;
    QRadioButton *V_procentax = nullptr;
    QRadioButton *V_ed_indikacii = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Znachen_Ustavka_1 = nullptr;
    QLabel *Ed_Ustavka_1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Znachen_Ustavka_2 = nullptr;
    QLabel *Ed_Ustavka_2 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Znachen_Gisteresis = nullptr;
    QLabel *Ed_Gisteresis = nullptr;
    QPushButton *Button_Sign_Ustr_Read = nullptr;
    QPushButton *Button_Sign_Ustr_Write = nullptr;
    QPushButton *Button_Sign_Ustr_Vixod = nullptr;

private:
    void ClearSetPoints();

    DialogLink link_;
};

} // namespace orv
