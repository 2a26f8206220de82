// The polling scheduler of the registration page: slot checks, Start/Stop, the period countdown
// of Timer1 and the polls of Timer31, each with its own response timer.
#include "registration/registration_page.h"

#include "link/link_settings.h"
#include "link/port_operations.h"
#include "link/transaction_engine.h"
#include "registration/poll_countdown.h"
#include "registration/registration_texts.h"
#include "widgets/status_lamp.h"
#include "gauge/gauge_texts.h"
#include "gauge/registration_rows.h"
#include "setup/setup_requests.h"
#include "setup/variables_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <algorithm>

#include <time.h>

namespace orv {

namespace {

// The poll waits out the rest of the spacing timer's lead to its due time; a timer that fires
// earlier than the lead allows is not waited for.
void WaitUntilDue(double ms, int leadMs)
{
    if (ms <= 0.0 || ms > leadMs + 2)
        return;
    // A plain sleep of at most a few milliseconds: serving events here could start another poll.
    const long ns = static_cast<long>(ms * 1e6);
    timespec pause{0, ns};
    nanosleep(&pause, nullptr);
}

} // namespace

std::optional<bool> RegistrationPage::CheckSlots(bool showMessages)
{
    std::array<bool, DeviceSlotCount> ticked{};
    for (std::size_t i = 0; i < ticked.size(); ++i)
        ticked[i] = CheckBox_D[i]->isChecked();
    const SlotValidation validation = ValidateSlotSelection(ticked, AddressTexts());
    if (validation.verdict == SlotVerdict::ConversionError) {
        // An address that is no number stops the whole operation, and says so even when silent.
        ShowMessage(validation.message);
        return std::nullopt;
    }
    if (links_.engine && links_.engine->Mode() != RegistrationExchange)
        return false;
    Slots.enabled = validation.table.enabled;
    if (validation.verdict != SlotVerdict::Valid) {
        if (showMessages)
            ShowMessage(validation.message);
        return false;
    }
    return true;
}

bool RegistrationPage::ValidateSlots(bool showMessages)
{
    return CheckSlots(showMessages).value_or(false);
}

void RegistrationPage::CheckBoxSlotClick(int /*slot*/)
{
    if (links_.engine)
        links_.engine->EnterMode(RegistrationExchange);
    const std::optional<bool> valid = CheckSlots(false);
    if (!valid)
        return;
    slotSelectionInvalid_ = !*valid;
    FollowSlotSelection();
}

void RegistrationPage::LockSurveyFileChoice()
{
    Check_Save_Data_File->setChecked(false);
    Check_Save_Data_File->setEnabled(false);
}

void RegistrationPage::FollowSlotSelection()
{
    Check_Save_Data_File->setEnabled(!slotSelectionInvalid_);
}

void RegistrationPage::Button2Click()
{
    TransactionEngine *engine = links_.engine;
    if (!engine || engine->TransmitInProgress())
        return;
    engine->DiscardReceived();
    engine->EnterMode(RegistrationExchange);
    if (links_.variables)
        links_.variables->AskVariables = true;
    if (!ValidateSlots(true))
        return;

    if (!PollingRunning()) {
        ClearRegistrationGrid();
        TrackBar1->setEnabled(false);
        ComboBox2->setEnabled(false);
        Check_Save_Data_File->setEnabled(false);
        running_ = true;
        Button2->setText(regtext::StopCaption());
        const std::array<QString, DeviceSlotCount> texts = AddressTexts();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            SlotStatus[i] = SlotNoResult;
            SlotAttemptCount[i] = 1;
            Slots.address[i] = static_cast<std::uint8_t>(TextToInteger(texts[i]).value_or(0) & 0xFF);
        }
        RefreshStatusLamps();
        SetSlotControlsEnabled(false);
        Timer1->stop();
        Timer1->setInterval(TickIntervalMs);
        ProgressBar1->setMaximum(10000);
        ProgressBar1->setValue(10000);
        PeriodCountdown = 0;
        Label33->setText(SecondsText(TrackBar1->value()));
        NextSlotIndex = 1;
        Timer1->start();
        Timer1Timer();
    } else {
        StopPolling();
    }
}

void RegistrationPage::PortClosed()
{
    if (PollingRunning())
        StopPolling();
}

void RegistrationPage::StopPolling()
{
    Timer1->stop();
    Timer31->stop();
    if (links_.engine) {
        for (int k = 1; k <= DeviceSlotCount; ++k)
            links_.engine->SlotTimer(k)->stop();
    }
    Check_Save_Data_File->setEnabled(true);
    TrackBar1->setEnabled(true);
    ComboBox2->setEnabled(true);
    running_ = false;
    Button2->setText(text::StartCaption());
    ProgressBar1->setValue(0);
    Label33->setText(SecondsText(TrackBar1->value()));
    // Open data files keep the slot set frozen until they are closed.
    if (!Check_Save_Data_File->isChecked())
        SetSlotControlsEnabled(true);
}

void RegistrationPage::Timer1Timer()
{
    if (CountdownExpired(PeriodCountdown))
        StartPollCycle();
    ProgressBar1->setValue(0);
    if (links_.variables && links_.variables->VariablesDialogCancelled) {
        links_.variables->VariablesDialogCancelled = false;
        return;
    }
    Label33->setText(SecondsText(SecondsShown(PeriodCountdown)));
    ProgressBar1->setValue(CountdownBarPosition(PeriodCountdown, TrackBar1->value(),
                                                ProgressBar1->maximum() - ProgressBar1->minimum()));
}

void RegistrationPage::StartPollCycle()
{
    if (links_.engine) {
        links_.engine->PurgeLine();
        links_.engine->DiscardReceived();
        for (int k = 1; k <= DeviceSlotCount; ++k)
            links_.engine->SlotTimer(k)->stop();
    }
    // A cycle cut short by this one never reached its end: its lines go on to the disk now.
    QString error;
    if (!SurveyFiles.SyncWritten(&error))
        ShowMessage(error);
    NextSlotIndex = 1;
    // A request of the previous cycle still waiting for its answer is abandoned without result.
    Timer31->stop();
    SlotAttemptCount.fill(1);
    Label33->setText(SecondsText(0));
    // The bar goes to 0 as soon as the first poll is out (Timer1Timer): a progress bar repaints
    // at once when its value changes, which would hold up the cycle's first request.
    PeriodCountdown = TrackBar1->value() - 1;
    Timer31->setInterval(std::max(1, links_.settings ? links_.settings->NextTransmitTime : 300));
    if (!clock_.isValid())
        clock_.start();
    schedule_.StartCycle(clock_.nsecsElapsed() / 1e6);
    PollNextSlot();
}

void RegistrationPage::PollNextSlot()
{
    TransactionEngine *engine = links_.engine;
    if (!engine)
        return;
    if (links_.variables)
        links_.variables->VariablesDialogCancelled = false;

    const std::optional<int> slot = NextTickedSlot(Slots, NextSlotIndex);
    if (!slot) {
        NextSlotIndex = DeviceSlotCount + 1;
        Timer31->stop();
        // The cycle's lines are written: now they go on to the disk, so that a power cut loses
        // at most this cycle.
        QString error;
        if (!SurveyFiles.SyncWritten(&error))
            ShowMessage(error);
        return;
    }
    const int k = *slot;
    const int spacing = links_.settings ? links_.settings->NextTransmitTime : 300;
    const int responseWait = links_.settings ? links_.settings->ResponseWaitTime : 280;
    const int lead = PollSchedule::TimerLead(spacing, responseWait);
    WaitUntilDue(schedule_.MsUntilDue(clock_.isValid() ? clock_.nsecsElapsed() / 1e6 : 0.0), lead);
    NextSlotIndex = k + 1;

    const std::optional<Request> request = BuildRequest();
    if (!request) {
        StopPolling();
        return;
    }
    engine->PurgeLine();
    engine->ClearReceiveBuffer();
    // The next slot is polled one spacing after this poll's due time.
    // A timer never gets an interval below 1 ms: zero would fire at every turn of the event loop.
    Timer31->setInterval(std::max(1, schedule_.NextInterval(clock_.isValid() ? clock_.nsecsElapsed() / 1e6 : 0.0,
                                                            spacing, responseWait, lead)));
    Timer31->start();
    engine->StartExchange(ExchangeRequest::Make(RegistrationExchange, Slots.Address(k), request->command,
                                                request->data, static_cast<std::uint8_t>(k)));
}

std::optional<Request> RegistrationPage::BuildRequest()
{
    const TransactionEngine &engine = *links_.engine;
    Request request;
    switch (static_cast<RegistrationRead>(ComboBox2->currentIndex())) {
    case RegistrationRead::Primary:
        request = BuildReadPrimary();
        break;
    case RegistrationRead::CurrentAndVariables:
        request = BuildReadCurrentAndVariables();
        break;
    case RegistrationRead::Variables:
        if (!links_.variables)
            return std::nullopt;
        if (links_.variables->AskVariables && engine.Attempt() == 1)
            AskVariablesDuringRun();
        request = BuildReadVariables(links_.variables->SelectedPositions());
        break;
    }
    if (links_.variables && links_.variables->VariablesDialogCancelled)
        return std::nullopt;
    return request;
}

void RegistrationPage::AskVariablesDuringRun()
{
    // The period and the spacing stand still while the user chooses.
    const bool periodRunning = Timer1->isActive();
    const bool spacingRunning = Timer31->isActive();
    Timer1->stop();
    Timer31->stop();
    links_.variables->exec();
    if (periodRunning)
        Timer1->start();
    if (spacingRunning)
        Timer31->start();
}

} // namespace orv
