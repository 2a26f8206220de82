#pragma once
// The page "Режим регистрации": cyclic polling of up to ten gauges.
#include <QWidget>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace orv {

class RegistrationPage : public QWidget {
    Q_OBJECT
public:
    explicit RegistrationPage(QWidget *parent = nullptr);

    bool PollingRunning() const;          // Button2 reads "Стоп"
    bool FilesCreated() const { return filesCreated_; }
    bool SlotSelectionInvalid() const { return slotSelectionInvalid_; }

    QPushButton *Button2 = nullptr;
    QCheckBox *Check_Save_Data_File = nullptr;
    QTableWidget *StringGrid2 = nullptr;

private:
    bool filesCreated_ = false;
    bool slotSelectionInvalid_ = true;
};

} // namespace orv
