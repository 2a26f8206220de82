#pragma once
// The whole program on its registration page, with simulated gauges on the line: slots are
// ticked and addressed the way the user does it, and the data file is chosen without a dialog.
#include "program_fixture.h"
#include "registration/registration_page.h"
#include "widgets/status_lamp.h"
#include "setup/setup_page.h"
#include "setup/variables_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

#include <optional>

namespace testsupport {

struct RegistrationFixture : ProgramFixture {
    orv::RegistrationPage *page = nullptr;
    std::optional<QString> nextFileChoice;   // what the file "dialog" answers; nothing = cancel
    int fileChoices = 0;

    RegistrationFixture()
    {
        page = form1->TabSheet2;
        page->SetFileChooser([this] {
            ++fileChoices;
            return nextFileChoice;
        });
    }

    bool Connect(const std::vector<std::uint8_t> &addresses, int responseWaitMs = 120, int nextTransmitMs = 150)
    {
        if (!ConnectSimulator(addresses, responseWaitMs, nextTransmitMs))
            return false;
        ShowPage(1);
        return page->Button2->isEnabled();
    }

    // Ten gauges at addresses 1..10 in slots 1..10, short link times, command 3, files written,
    // three cycles a second: the long runs that count lines and outcomes.
    bool PrepareTenGaugeRun(const QString &fileName)
    {
        std::vector<std::uint8_t> addresses;
        for (std::uint8_t a = 1; a <= 10; ++a)
            addresses.push_back(a);
        if (!Connect(addresses, 25, 30))
            return false;
        for (int k = 1; k <= 10; ++k)
            Tick(k, k);
        ChooseCommand(1);
        page->TickIntervalMs = 350;
        TickSaveBox(fileName);
        return page->FilesCreated();
    }

    QCheckBox *Check(int slot) const { return page->CheckBox_D[static_cast<std::size_t>(slot - 1)]; }
    QLineEdit *Address(int slot) const { return page->Addr_D[static_cast<std::size_t>(slot - 1)]; }
    QColor Lamp(int slot) const { return page->Shape[static_cast<std::size_t>(slot - 1)]->BrushColor(); }

    // A click on a slot's check box, as the user gives it.
    void ClickSlot(int slot) { QTest::mouseClick(Check(slot), Qt::LeftButton, {}, QPoint(5, Check(slot)->height() / 2)); }

    // Ticks a slot with an address.
    void Tick(int slot, int address)
    {
        Address(slot)->setText(QString::number(address));
        if (!Check(slot)->isChecked())
            ClickSlot(slot);
    }

    void ChooseCommand(int item) { page->ComboBox2->setCurrentIndex(item); }
    void SetPeriod(int seconds) { page->TrackBar1->setValue(seconds); }

    void ClickStartStop() { QTest::mouseClick(page->Button2, Qt::LeftButton); }
    bool Start()
    {
        ClickStartStop();
        return page->PollingRunning();
    }
    bool Stop()
    {
        ClickStartStop();
        return !page->PollingRunning();
    }

    // Ticks "Сохранять результаты опроса в файле" with the given file name.
    void TickSaveBox(const std::optional<QString> &choice)
    {
        nextFileChoice = choice;
        QTest::mouseClick(page->Check_Save_Data_File, Qt::LeftButton, {},
                          QPoint(5, page->Check_Save_Data_File->height() / 2));
    }

    QString Trace() const { return form1->TabSheet1->TraceText(); }
    QString Cell(int row, int column) const { return page->CellText(row, column); }
};

// Answers a dialog each time it comes up modally, for as long as this object lives.
class DialogAnswerer {
public:
    DialogAnswerer(QWidget *dialog, QPushButton *button, std::function<void()> onShown = {})
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, dialog, button, onShown] {
            if (QApplication::activeModalWidget() != dialog || !dialog->isVisible())
                return;
            ++count;
            if (onShown)
                onShown();
            QTest::mouseClick(button, Qt::LeftButton);
        });
        poll_.start(5);
    }
    int count = 0;

private:
    QTimer poll_;
};

inline sim::FaultSpec Fault(sim::FaultKind kind)
{
    sim::FaultSpec fault;
    fault.kind = kind;
    return fault;
}

inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor Green(0x00, 0x80, 0x00);
inline const QColor Red(0xFF, 0x00, 0x00);

} // namespace testsupport
