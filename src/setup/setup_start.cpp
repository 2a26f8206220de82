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

namespace orv {

SetupStart::SetupStart(SetupPage &page, TransactionEngine &engine, const SetupDialogs &dialogs)
    : page_(page), engine_(engine), dialogs_(dialogs)
{
}

void SetupStart::Run()
{
    engine_.EnterMode(SetupExchange);
    dialogs_.form5->AskVariables = true;
    engine_.PurgeLine();
    engine_.ClearReceiveBuffer();
    if (page_.ResetSlotAttempts)
        page_.ResetSlotAttempts();

    QString error;
    const std::optional<int> address = TextToInteger(page_.address(), &error);
    if (!address) {
        page_.ShowMessage(error);
        StopWithoutSending();
        return;
    }
    const auto gauge = static_cast<std::uint8_t>(*address & 0xFF);
    // Set before the builder runs: a device dialog it opens sends to this gauge.
    engine_.SelectGauge(gauge);

    const std::optional<Request> request = RunBuilder(page_.SelectedItem());
    if (!request) {
        StopWithoutSending();
        return;
    }
    page_.Button1->setEnabled(false);
    engine_.StartExchange(ExchangeRequest::Make(SetupExchange, gauge, request->command, request->data));
}

std::optional<Request> SetupStart::RunBuilder(int item)
{
    switch (item) {
    case menu::ReadPrimary:
        return BuildReadPrimary();
    case menu::ReadCurrentAndVariables:
        return BuildReadCurrentAndVariables();
    case menu::WritePollingAddress:
        return WritePollingAddress();
    case menu::ReadVariables:
        return ReadVariables();
    case menu::WriteAveraging:
        return WriteAveraging();
    case menu::ZeroCorrection:
        return ConfirmRequest(engine_.Attempt(), *dialogs_.podtvergdenie, BuildZeroCorrection());
    case menu::RangeCorrection:
        return ConfirmRequest(engine_.Attempt(), *dialogs_.podtvergdenie, BuildRangeCorrection());
    case menu::FixedCurrent:
        return FixCurrent();
    default:
        break;
    }
    // The items from menu::FirstDeviceItem on belong to the device dialogs; until one is plugged
    // in, its item sends nothing.
    // No item selected: nothing either, rather than the request the previous item left behind.
    const std::size_t slot = static_cast<std::size_t>(item);
    if (item >= menu::FirstDeviceItem && slot < page_.Plugins().menuItems.size() && page_.Plugins().menuItems[slot])
        return page_.Plugins().menuItems[slot]();
    return std::nullopt;
}

std::optional<Request> SetupStart::WritePollingAddress()
{
    // Shown on every attempt, repetitions included.
    if (dialogs_.form3->exec() != QDialog::Accepted)
        return std::nullopt;
    return Checked(BuildWritePollingAddress(dialogs_.form3->address()));
}

std::optional<Request> SetupStart::ReadVariables()
{
    TForm5 &form5 = *dialogs_.form5;
    if (form5.AskVariables && engine_.Attempt() == 1 && form5.exec() != QDialog::Accepted)
        return std::nullopt;
    return BuildReadVariables(form5.SelectedPositions());
}

std::optional<Request> SetupStart::WriteAveraging()
{
    if (engine_.Attempt() == 1 && dialogs_.form6->exec() != QDialog::Accepted)
        return std::nullopt;
    return BuildWriteAveraging(dialogs_.form6->averaging());
}

std::optional<Request> SetupStart::FixCurrent()
{
    if (engine_.Attempt() == 1 && dialogs_.form9->exec() != QDialog::Accepted)
        return std::nullopt;
    return Checked(BuildFixedCurrent(dialogs_.form9->currentText()));
}

std::optional<Request> SetupStart::Checked(const BuiltRequest &built)
{
    if (!built.request)
        page_.ShowMessage(built.errorMessage);
    return built.request;
}

void SetupStart::StopWithoutSending()
{
    // A repeated attempt that ends here has no exchange left to give the button back.
    if (engine_.Attempt() > 1) {
        engine_.ResetAttempts();
        page_.EnableStart();
    }
}

} // namespace orv
