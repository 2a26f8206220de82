#pragma once
// "Ввод числа измерений при усреднении": the averaging count written with command 34.
#include <QDialog>

class QLabel;
class QPushButton;
class QSlider;

namespace orv {

class PieGauge;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget *parent = nullptr);

    static constexpr int MaxMeasurements = 50;

    // The chosen number of measurements, 1..MaxMeasurements.
    int averaging() const;

    // Closed with OK: Accepted; with "Отмена" or Esc: Rejected. The track bar keeps its position.
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;      // the chosen number, in red
    PieGauge *Gauge1 = nullptr;    // the number as a share of the maximum
    QSlider *TrackBar1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

private:
    void TrackBar1Change(int position);
};

} // namespace orv
