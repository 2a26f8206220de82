#pragma once
// The whole program on its setup page, connected to the gauge simulator: pick a menu item, type
// an address, press Start, and look at the table, the trace log and what went over the line.
#include "setup/setup_page.h"
#include "shell/program_fixture.h"
#include "support/modal.h"
#include "support/wait_until.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

namespace testsupport {

struct SetupSession : ProgramFixture {
    orv::SetupPage *page = nullptr;

    SetupSession() { page = form1->TabSheet1; }

    // Gauges on the line, the setup page in front and its Start button usable.
    bool Connect(const std::vector<std::uint8_t> &addresses = {1, 2, 3})
    {
        if (!ConnectSimulator(addresses))
            return false;
        ShowPage(0);
        return page->Button1->isEnabled();
    }

    // Chooses the menu item (0: none), types the address and presses Start. A dialog the item
    // opens must have its answer queued before.
    void Press(int item, const QString &address)
    {
        page->ComboBox1->setCurrentIndex(item - 1);
        page->LabeledEdit4->setText(address);
        QTest::mouseClick(page->Button1, Qt::LeftButton);
    }

    // The exchange is over: answered or given up, Start usable again.
    bool Finished(int timeoutMs = 3000)
    {
        return WaitUntil([this] { return page->Button1->isEnabled() && !Engine().Timer3()->isActive(); },
                         timeoutMs);
    }

    bool PressAndFinish(int item, const QString &address)
    {
        Press(item, address);
        return Finished();
    }

    std::vector<sim::LoggedRequest> Requests() const { return simulator->requests().entries(); }

    QString Cell(int row, int column) const { return page->CellText(row, column); }

    bool TraceHas(const QString &line) const
    {
        return page->TraceText().split(QLatin1Char('\n')).contains(line);
    }
};

} // namespace testsupport
