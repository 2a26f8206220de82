#pragma once
// The whole program polling ten gauges through the adapter with survey files open, as a
// technician runs it: what the soak and the unplug during a run share.
#include "registration_fixture.h"
#include "rig_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace rig {

struct SurveyRun : testsupport::RegistrationFixture {
    // Ten gauges at 1..10 on the host, the port at 115200, short link times, command 3, files on.
    bool Prepare(const QString &fileName)
    {
        if (!Tell("gauges usb 1,2,3,4,5,6,7,8,9,10") || !Tell("clear usb") || !Tell("rate usb 115200") ||
            !Tell("turnaround usb 2") || !Tell("reset usb"))
            return false;
        form1->TabSheet4->ComboBox3->setCurrentIndex(10);
        // The adapter hands received bytes over on its latency timer (16 ms), so the answer
        // wait leaves room for that.
        form1->Settings.ResponseWaitTime = 60;
        form1->Settings.NextTransmitTime = 70;
        if (!OpenPortAt(QString::fromLatin1(kUsb.device)))
            return false;
        ShowPage(1);
        for (int k = 1; k <= 10; ++k)
            Tick(k, k);
        ChooseCommand(1);
        // A cycle (ten polls, one spacing apart) must end before the next one starts, which
        // abandons whatever is still waiting for an answer.
        page->TickIntervalMs = 10 * form1->Settings.NextTransmitTime + 300;
        TickSaveBox(dir.filePath(fileName + QStringLiteral(".txt")));
        return page->FilesCreated();
    }

    // A slot file's data lines (after the two header lines).
    QStringList DataLines(const QString &fileName, int slot) const
    {
        QFile file(dir.filePath(QStringLiteral("%1_%2.txt").arg(fileName).arg(slot)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringDecoder decoder("windows-1251");
        const QString text = decoder.decode(file.readAll());
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        else if (!lines.isEmpty())
            lines.back() += QStringLiteral(" <no line end>");
        return lines.mid(2);
    }

    // Lines of slot k that are not one whole survey line of gauge k.
    int BrokenLines(const QString &fileName, int slot, int *count = nullptr) const
    {
        static const QRegularExpression whole(QStringLiteral(
            "^Addr: (\\d+) ; Command: 3 ; Iout: [\\d,]+ mA ; Pressure: [\\d,]+ ; Um: [\\d,]+ ; Udif: [\\d,]+ ;  "
            "t_kristall: [\\d,]{5} \u00B0C ; Time: \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d ; Date: \\d\\d\\.\\d\\d\\.\\d\\d\\d\\d$"));
        const QStringList lines = DataLines(fileName, slot);
        if (count)
            *count = static_cast<int>(lines.size());
        int broken = 0;
        for (const QString &line : lines) {
            const QRegularExpressionMatch m = whole.match(line);
            if (!m.hasMatch() || m.captured(1).toInt() != slot)
                ++broken;
        }
        return broken;
    }
};

// Processor seconds this process has used.
double CpuSeconds();

// Whether an exchange through the adapter completes its transmission (the driver reports the end):
// the long runs shrink to a short one where it does not, since each exchange then waits it out.
bool AdapterReportsTransmitEnd();

} // namespace rig
