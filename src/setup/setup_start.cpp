#include "setup/setup_start.h"

#include "link/transaction_engine.h"
#include "link/value_text.h"
#include "setup/address_dialog.h"
#include "setup/averaging_dialog.h"
#include "setup/confirmation_dialog.h"
#include "setup/confirmation_questions.h"
#include "setup/fixed_current_dialog.h"
#include "setup/setup_menu.h"
#include "setup/setup_page.h"
#include "setup/setup_requests.h"
#include "setup/variables_dialog.h"

#include <QPushButton>

#include <algorithm>

namespace orv {

SetupStart::SetupStart(SetupPage &page, TransactionEngine &engine, const SetupDialogs &dialogs)
    : page_(page), engine_(engine), dialogs_(dialogs)
{
}

void SetupStart::Run()
{
    engine_.ExchangeMode = SetupExchange;
    dialogs_.form5->AskVariables = true;
    engine_.PurgeLine();
    engine_.ClearReceiveBuffer();
    engine_.RequestFrame.fill(0);
    if (page_.ResetSlotAttempts)
        page_.ResetSlotAttempts();

    QString error;
    const std::optional<int> address = TextToInteger(page_.address(), &error);
    if (!address) {
        page_.ShowMessage(error);
        StopWithoutSending();
        return;
    }
    engine_.PollingAddress = static_cast<std::uint8_t>(*address & 0xFF);

    engine_.SendSuppressed = false;
    RunBuilder(page_.SelectedItem());
    if (engine_.SendSuppressed) {
        StopWithoutSending();
        return;
    }
    page_.Button1->setEnabled(false);
    engine_.StartSetupExchange();
}

void SetupStart::RunBuilder(int item)
{
    switch (item) {
    case menu::ReadPrimary:
        Load(BuildReadPrimary());
        return;
    case menu::ReadCurrentAndVariables:
        Load(BuildReadCurrentAndVariables());
        return;
    case menu::WritePollingAddress:
        WritePollingAddress();
        return;
    case menu::ReadVariables:
        ReadVariables();
        return;
    case menu::WriteAveraging:
        WriteAveraging();
        return;
    case menu::ZeroCorrection:
        Confirmed(ZeroCorrectionCommand, BuildZeroCorrection());
        return;
    case menu::RangeCorrection:
        Confirmed(RangeCorrectionCommand, BuildRangeCorrection());
        return;
    case menu::FixedCurrent:
        FixCurrent();
        return;
    default:
        break;
    }
    // The items from menu::FirstDeviceItem on belong to the device dialogs; until one is plugged
    // in, its item sends nothing.
    // No item selected: nothing either, rather than the request the previous item left behind.
    const std::size_t slot = static_cast<std::size_t>(item);
    if (item >= menu::FirstDeviceItem && slot < page_.Plugins().menuItems.size() && page_.Plugins().menuItems[slot])
        page_.Plugins().menuItems[slot]();
    else
        Suppress();
}

void SetupStart::WritePollingAddress()
{
    // Shown on every attempt, repetitions included.
    if (dialogs_.form3->exec() != QDialog::Accepted) {
        Suppress();
        return;
    }
    Load(BuildWritePollingAddress(dialogs_.form3->address()));
}

void SetupStart::ReadVariables()
{
    TForm5 &form5 = *dialogs_.form5;
    if (form5.AskVariables && engine_.RetryCounter == 1 && form5.exec() != QDialog::Accepted) {
        Suppress();
        return;
    }
    Load(BuildReadVariables(form5.SelectedPositions()));
}

void SetupStart::WriteAveraging()
{
    if (engine_.RetryCounter == 1 && dialogs_.form6->exec() != QDialog::Accepted) {
        Suppress();
        return;
    }
    Load(BuildWriteAveraging(dialogs_.form6->averaging()));
}

void SetupStart::Confirmed(std::uint8_t command, const Request &request)
{
    if (engine_.RetryCounter == 1 && !dialogs_.podtvergdenie->Ask(ConfirmationQuestion(command))) {
        Suppress();
        return;
    }
    Load(request);
}

void SetupStart::FixCurrent()
{
    if (engine_.RetryCounter == 1 && dialogs_.form9->exec() != QDialog::Accepted) {
        Suppress();
        return;
    }
    Load(BuildFixedCurrent(dialogs_.form9->currentText()));
}

void SetupStart::Load(const Request &request)
{
    const int n = std::min<int>(request.ByteCount(), MaxRequestDataBytes);
    engine_.RequestCommand = request.command;
    engine_.RequestByteCount = static_cast<std::uint8_t>(n);
    std::copy_n(request.data.begin(), n, engine_.RequestData());
}

void SetupStart::Load(const BuiltRequest &built)
{
    if (!built.request) {
        page_.ShowMessage(built.errorMessage);
        Suppress();
        return;
    }
    Load(*built.request);
}

void SetupStart::Suppress()
{
    engine_.SendSuppressed = true;
}

void SetupStart::StopWithoutSending()
{
    // A repeated attempt that ends here has no exchange left to give the button back.
    if (engine_.RetryCounter > 1) {
        engine_.RetryCounter = 1;
        page_.EnableStart();
    }
}

} // namespace orv
