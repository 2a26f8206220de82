#include "setup/setup_attach.h"

#include "link/port_operations.h"
#include "link/transaction_engine.h"
#include "setup/setup_page.h"
#include "setup/setup_start.h"
#include "setup/variables_dialog.h"

#include <QDateTime>
#include <memory>

namespace orv {

// The codes of the request that went out (still in the request buffer) and what the four lists
// select now.
VariableSelection RequestedVariables(const TransactionEngine &engine, const TForm5 &form5)
{
    VariableSelection selection;
    for (std::size_t i = 0; i < 4; ++i)
        selection.requestedCodes[i] = engine.CurrentRequest().data[i];
    selection.selectedPositions = form5.SelectedPositions();
    return selection;
}

namespace {

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

} // namespace

void AttachSetupPage(SetupPage &page, TransactionEngine &engine, PortOperations &port, const SetupDialogs &dialogs,
                     std::function<void(const QString &text)> messageSink)
{
    if (messageSink)
        page.SetMessageSink(std::move(messageSink));
    auto start = std::make_shared<SetupStart>(page, engine, dialogs);
    page.SetStartHandler([start] { start->Run(); });
    AttachHooks(page, engine, port);
}

} // namespace orv
