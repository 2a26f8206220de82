#pragma once
// The whole program with the simulator, for the device dialogs: runs setup-menu items 9..17 the
// way the setup page's Start button does, delivers scripted answers where the simulated gauge
// cannot give the bytes a test needs, and reads the result table.
#include "device/dialog_script.h"
#include "link/transaction_engine.h"
#include "setup/setup_page.h"
#include "shell/program_fixture.h"
#include "support/modal.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTableWidgetItem>

#include <gtest/gtest.h>
#include <QTest>

#include <optional>
#include <vector>

namespace testsupport {

struct DeviceProgram : ProgramFixture {
    explicit DeviceProgram(const std::vector<std::uint8_t> &addresses = {0}, int responseWaitMs = 120)
    {
        connected = ConnectSimulator(addresses, responseWaitMs);
        ShowPage(0);
    }

    orv::SetupPage &Page() const { return *form1->TabSheet1; }

    // What the Start button does for an item of 9..17: setup mode, fresh buffers, the address,
    // the item in place of a builder, and the send of the request it gives. Whether it gave one.
    bool RunItem(int item, std::uint8_t address = 0)
    {
        orv::TransactionEngine &e = Engine();
        e.EnterMode(orv::SetupExchange);
        e.ClearReceiveBuffer();
        e.SelectGauge(address);
        const std::optional<orv::Request> request = Page().Plugins().menuItems[static_cast<std::size_t>(item)]();
        if (request)
            e.StartExchange(
                orv::ExchangeRequest::Make(orv::SetupExchange, address, request->command, request->data));
        return request.has_value();
    }

    // An answer as if it had arrived on the line, evaluated as the response timer would.
    void Deliver(const std::vector<std::uint8_t> &frame)
    {
        orv::TransactionEngine &e = Engine();
        e.Timer3()->stop();
        e.EnterMode(orv::SetupExchange);
        e.ClearReceiveBuffer();
        e.Receive(frame.data(), static_cast<int>(frame.size()));
        e.Soobchenie(e.Timer3());
    }

    // Waits until the simulator has heard `count` requests and the exchange of the last one is over.
    bool WaitForExchanges(std::size_t count, int timeoutMs = 3000)
    {
        return WaitUntil([&] { return simulator->requests().size() >= count && !Engine().Timer3()->isActive(); },
                         timeoutMs);
    }

    std::vector<std::uint8_t> LastFrame() const
    {
        const auto entries = simulator->requests().entries();
        return entries.empty() ? std::vector<std::uint8_t>{} : entries.back().bytes;
    }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem *item = Page().StringGrid1->item(row, column);
        return item ? item->text() : QString();
    }
    QString Parameter(int row) const { return Cell(row, 3); }
    QString Value(int row) const { return Cell(row, 4); }

    bool connected = false;
};

inline QString U(const char *utf8) { return QString::fromUtf8(utf8); }
inline void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

// Opens a looping dialog through its menu item and plays the steps on its successive showings;
// should the script run out, the dialog's exit flag ends the loop. Returns the showings.
template <typename Dialog>
int RunLoopedDialog(DeviceProgram &p, Dialog *dialog, int item, bool Dialog::*exitFlag,
                    std::vector<DialogScript::Step> steps)
{
    DialogScript script(dialog, std::move(steps), [dialog, exitFlag] {
        dialog->*exitFlag = true;
        dialog->reject();
    });
    p.RunItem(item);
    EXPECT_FALSE(script.TimedOut());
    return script.Showings();
}

} // namespace testsupport
