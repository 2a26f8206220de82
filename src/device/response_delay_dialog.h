#pragma once
// "Длительность задержки ответа прибора": how long the gauge waits before it answers, 0..250 ms,
// read with command 194 and written with command 193.
#include "device/device_decoders.h"
#include "device/dialog_loop.h"

#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

namespace orv {

class TrackBar;

class TTime_Delay_Pribor : public QDialog {
    Q_OBJECT
public:
    explicit TTime_Delay_Pribor(QWidget *parent = nullptr);

    void SetLink(DialogLink link) { link_ = std::move(link); }

    // Menu item 15: shows the dialog until "Выход". The track bar, its selection and Delay_ms
    // stay as they were.
    void Open();
    // Answers 193 and 194: the thumb moves to the answered delay and the selection goes.
    void ShowDelay(const ResponseDelayEffect &effect);

    void Time_DelayChange();
    void Button_Delay_ReadClick();
    void Button_Delay_WriteClick();
    void Button_Delay_VixodClick();

    bool ResponseDelayExitFlag = false;

    TrackBar *Time_Delay = nullptr;
    std::array<QLabel *, 6> ScaleLabels{};   // Label1 .. Label6
    QLabel *Delay_ms = nullptr;
    QPushButton *Button_Delay_Read = nullptr;
    QPushButton *Button_Delay_Write = nullptr;
    QPushButton *Button_Delay_Vixod = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PlaceScaleLabels();

    QWidget *scale_ = nullptr;
    DialogLink link_;
};

} // namespace orv
