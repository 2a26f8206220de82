#pragma once
// «Поиск приборов»: the range to search, the progress of the search, the gauges that answered,
// and on request those gauges ticked in free device slots. The search itself is AddressScan's.
#include "bus/address_scan.h"

#include <QDialog>

#include <functional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace orv {

class AddressScanDialog : public QDialog {
    Q_OBJECT
public:
    // Ticks free slots with the addresses; returns how many found a slot.
    using SlotTicker = std::function<int(const std::vector<int> &addresses)>;

    AddressScanDialog(AddressScan &scan, SlotTicker ticker, QWidget *parent = nullptr);

    QSpinBox *FromAddress = nullptr;
    QSpinBox *ToAddress = nullptr;
    QPushButton *StartButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *TickButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QProgressBar *Progress = nullptr;
    QLabel *Status = nullptr;
    QTableWidget *FoundTable = nullptr;

    void reject() override;   // Esc and the title bar: a running search is cancelled first

private:
    void StartScan();
    void ShowProgress(int done, int total, int found);
    void ScanFinished(AddressScan::End end);
    void TickSlots();
    void SetRunning(bool running);

    AddressScan &scan_;
    SlotTicker ticker_;
    bool closeWhenDone_ = false;
};

} // namespace orv
