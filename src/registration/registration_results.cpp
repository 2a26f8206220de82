// What the registration page does with the end of an exchange: an accepted answer fills the
// block of the slot it belongs to (and a line of its data file), a failed one marks the slot
// polled last.
#include "registration/registration_page.h"

#include "link/transaction_engine.h"
#include "link/value_text.h"
#include "registration/registration_texts.h"
#include "gauge/registration_rows.h"
#include "gauge/survey_line.h"
#include "setup/variables_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QTimer>

namespace orv {

namespace {

VariableSelection CurrentSelection(const TransactionEngine &engine, const TForm5 *variables)
{
    VariableSelection selection;
    // The codes of the request on the line; the lists as they stand now.
    for (std::size_t j = 0; j < selection.requestedCodes.size(); ++j)
        selection.requestedCodes[j] = engine.CurrentRequest().data[j];
    if (variables)
        selection.selectedPositions = variables->SelectedPositions();
    return selection;
}

} // namespace

int RegistrationPage::AttemptLimit() const
{
    if (links_.engine && links_.engine->Hooks().attemptLimit)
        return links_.engine->Hooks().attemptLimit();
    return 1;
}

void RegistrationPage::RegistrationAnswer(const ResponseView &answer)
{
    if (!links_.engine)
        return;
    const std::uint8_t address = answer.PollingAddress();
    const std::optional<AnswerOwner> owner = OwnerOfAnswer(Slots, address);
    if (!owner)
        return;
    for (int k : SlotsShowingAddress(AddressTexts(), address))
        links_.engine->SlotTimer(k)->stop();

    const QDateTime now = QDateTime::currentDateTime();
    SlotStatus[static_cast<std::size_t>(owner->slot - 1)] = SlotAnswered;

    const VariableSelection selection = CurrentSelection(*links_.engine, links_.variables);
    const std::optional<RegistrationBlock> block =
        RegistrationAnswerBlock(answer, owner->blockNumber, selection);
    if (!block)
        return;
    const bool saving = Check_Save_Data_File->isChecked() && SurveyFiles.IsOpen(owner->slot);
    const QStringList pieces = saving ? SurveyLinePieces(answer, selection, now) : QStringList();
    // Each piece of the data line follows the cell that shows the same value.
    int nextPiece = 0;
    const auto writeNextPiece = [&] {
        if (nextPiece < pieces.size())
            WritePiece(owner->slot, pieces.at(nextPiece++));
    };

    const int r = block->firstRow;
    SetCell(r, 0, block->address);
    writeNextPiece();
    SetCell(r, 1, block->command);
    writeNextPiece();
    SetCell(r, 2, ComboBox2->currentText());
    for (std::size_t i = 0; i < block->rows.size(); ++i) {
        const int row = r + static_cast<int>(i);
        SetCell(row, 3, block->rows[i].parameter);
        SetCell(row, 4, block->rows[i].value);
        writeNextPiece();
    }
    SetCell(r, 5, TimeStampText(now));
    writeNextPiece();
}

void RegistrationPage::WritePiece(int slot, const QString &piece)
{
    QString error;
    if (!SurveyFiles.Append(slot, piece, &error)) {
        // The file is closed with its fault and reported once; the answer is still shown, the
        // other files and the polling go on.
        ShowMessage(error);
    }
}

void RegistrationPage::RegistrationTimeout(int slot)
{
    if (slot < 1 || slot > DeviceSlotCount)
        return;
    const std::size_t i = static_cast<std::size_t>(slot - 1);
    if (links_.trace)
        links_.trace(regtext::TimeoutTraceStart() + QString::number(slot) + regtext::TimeoutTraceEnd());
    SlotStatus[i] = SlotNoAnswer;
    SlotAttemptCount[i] = static_cast<std::uint8_t>(SlotAttemptCount[i] + 1);
    if (SlotAttemptCount[i] > AttemptLimit()) {
        SlotAttemptCount[i] = 1;
        // A slot that is not ticked owns no block (the exchange was not one of this run's).
        const int blockNumber = BlockNumberOfSlot(Slots, slot);
        if (blockNumber > 0) {
            const auto read = static_cast<RegistrationRead>(ComboBox2->currentIndex());
            const std::array<int, 4> positions =
                links_.variables ? links_.variables->SelectedPositions() : std::array<int, 4>{{1, 1, 1, 1}};
            const RegistrationBlock block = RegistrationNoAnswerBlock(read, blockNumber, Slots.address[i], positions);
            const int r = block.firstRow;
            SetCell(r, 0, block.address);
            SetCell(r, 1, block.command);
            SetCell(r, 2, ComboBox2->currentText());
            SetCell(r, 5, TimeStampText(QDateTime::currentDateTime()));
            for (std::size_t row = 0; row < block.rows.size(); ++row) {
                SetCell(r + static_cast<int>(row), 3, block.rows[row].parameter);
                SetCell(r + static_cast<int>(row), 4, block.rows[row].value);
            }
        }
    }
    RefreshStatusLamps();
}

} // namespace orv
