#include "setup/setup_attach.h"

#include "link/port_operations.h"
#include "link/transaction_engine.h"
#include "setup/setup_decoders.h"
#include "setup/setup_page.h"
#include "setup/setup_start.h"
#include "setup/variables_dialog.h"

#include <QDateTime>
#include <memory>

namespace orv {

namespace {

// What a command-33 answer is read against: the codes of the request that went out (still in
// the request buffer) and what the four lists select now.
VariableSelection SelectionOf(const TransactionEngine &engine, const TForm5 &form5)
{
    VariableSelection selection;
    for (std::size_t i = 0; i < 4; ++i)
        selection.requestedCodes[i] = engine.CurrentRequest().data[i];
    selection.selectedPositions = form5.SelectedPositions();
    return selection;
}

void AttachHooks(SetupPage &page, TransactionEngine &engine, const PortOperations &port)
{
    ExchangeHooks &hooks = engine.Hooks();
    // An exchange that ends with the port closed (or lost meanwhile) leaves Start disabled: it
    // could only fail again.
    const auto enableStart = [&page, &port] {
        if (port.Active())
            page.EnableStart();
    };
    hooks.setupAnswerHead = [&page, enableStart](const ResponseView &answer) {
        enableStart();
        page.WriteAnswerHead(answer.PollingAddress(), answer.Command(), QDateTime::currentDateTime());
    };
    hooks.setupAnswerTail = [&page](const ResponseView &) { page.AddResultRow(); };
    hooks.attemptLimit = [&page] { return page.AttemptLimit(); };
    hooks.setupGiveUp = [&page, enableStart] {
        page.WriteNoAnswer();
        enableStart();
    };
    hooks.setupRepeat = [&page] { page.Button1Click(); };
    hooks.setupFailureMarks = [&page] {
        if (page.Plugins().exchangeFailed)
            page.Plugins().exchangeFailed();
    };
}

void AttachDecoders(SetupPage &page, TransactionEngine &engine, const TForm5 &form5)
{
    const auto rows = [&page](ResultRows (*decode)(const ResponseView &)) {
        return [&page, decode](const ResponseView &answer) { page.WriteAnswerRows(decode(answer)); };
    };
    engine.SetSetupDecoder(1, [&page](const ResponseView &answer) {
        page.WriteAnswerRows(DecodePrimaryVariable(answer));
    });
    engine.SetSetupDecoder(3, [&page](const ResponseView &answer) {
        page.WriteAnswerRows(DecodeCurrentAndVariables(answer));
    });
    engine.SetSetupDecoder(33, [&page, &engine, &form5](const ResponseView &answer) {
        const DeviceVariablesAnswer decoded =
            DecodeDeviceVariables(answer, SelectionOf(engine, form5), page.RangeTarget);
        page.WriteAnswerRows(decoded.rows);
        page.RangeTarget = decoded.nextTarget;
        if ((decoded.subRange || decoded.mainRange) && page.Plugins().applyRangeGroups)
            page.Plugins().applyRangeGroups(decoded);
    });
    engine.SetSetupDecoder(6, rows(&DecodeWritePollingAddress));
    engine.SetSetupDecoder(34, [&page](const ResponseView &answer) {
        page.WriteAnswerRows(DecodeWriteAveraging(answer));
    });
    engine.SetSetupDecoder(36, rows(&DecodeRangeCorrection));
    engine.SetSetupDecoder(37, rows(&DecodeZeroCorrection));
    engine.SetSetupDecoder(40, [&page](const ResponseView &answer) {
        SetupPlugins &plugins = page.Plugins();
        const FixedCurrentMarks marks = plugins.fixedCurrentMarks ? plugins.fixedCurrentMarks() : FixedCurrentMarks{};
        const FixedCurrentAnswer decoded = DecodeFixedCurrent(answer, marks);
        page.WriteAnswerRows(decoded.rows);
        if (plugins.applyFixedCurrent)
            plugins.applyFixedCurrent(decoded.currentOutput);
    });
    engine.SetSetupDecoder(44, rows(&DecodeUnitSet));
}

} // namespace

void AttachSetupPage(SetupPage &page, TransactionEngine &engine, PortOperations &port, const SetupDialogs &dialogs,
                     std::function<void(const QString &text)> messageSink)
{
    if (messageSink)
        page.SetMessageSink(std::move(messageSink));
    auto start = std::make_shared<SetupStart>(page, engine, dialogs);
    page.SetStartHandler([start] { start->Run(); });
    AttachHooks(page, engine, port);
    AttachDecoders(page, engine, *dialogs.form5);
}

} // namespace orv
