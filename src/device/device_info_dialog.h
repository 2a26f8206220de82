#pragma once
// "Сведения о приборе": reads the serial number and the year of manufacture (command 174).
#include "device/device_decoders.h"
#include "device/dialog_loop.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orv {

class TZavod_Parametrs : public QDialog {
    Q_OBJECT
public:
    explicit TZavod_Parametrs(QWidget *parent = nullptr);

    void SetLink(DialogLink link) { link_ = std::move(link); }

    // Menu item 13 (after the caller has suppressed the Start button's own send): shows the
    // dialog until "Отмена". The edits keep what they showed last time.
    void Open();
    // Answers 173 and 174.
    void ShowDeviceInfo(const DeviceInfoTexts &texts);

    void Button_ReadClick();
    void Button_VixodClick();

    bool DeviceInfoExitFlag = false;

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QPushButton *Button_Read = nullptr;
    QPushButton *Button_Vixod = nullptr;

private:
    DialogLink link_;
};

} // namespace orv
