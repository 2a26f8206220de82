// The survey data files of the registration page: choosing the name, the overwrite question,
// creating the files of the ticked slots and closing them again.
#include "registration/registration_page.h"

#include "link/transaction_engine.h"
#include "link/value_text.h"
#include "registration/overwrite_prompt.h"
#include "widgets/up_down_buttons.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace orv {

std::optional<QString> RegistrationPage::ChooseDataFile()
{
    if (fileChooser_)
        return fileChooser_();
    if (OpenDialogOpros->exec() != QDialog::Accepted)
        return std::nullopt;
    return OpenDialogOpros->selectedFiles().value(0);
}

void RegistrationPage::Check_Save_Data_FileClick()
{
    if (links_.engine)
        links_.engine->EnterMode(RegistrationExchange);

    if (!Check_Save_Data_File->isChecked()) {
        if (!chosenFileName_.isEmpty() && !NoFileOpen)
            CloseSurveyFiles();
        else if (!PollingRunning())
            SetSlotControlsEnabled(true);
        return;
    }

    const std::optional<QString> chosen = ChooseDataFile();
    if (!chosen) {
        Check_Save_Data_File->setChecked(false);
        return;
    }
    if (chosen->isEmpty())
        return;
    chosenFileName_ = *chosen;
    const QString base = SurveyBaseName(chosenFileName_);

    OverwriteConfirmed = true;
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        if (!CheckBox_D[static_cast<std::size_t>(k - 1)]->isChecked())
            continue;
        if (!QFileInfo::exists(SurveyFileName(base, k)))
            continue;
        // One question covers the files of all ticked slots.
        OverwriteConfirmed = links_.overwritePrompt && links_.overwritePrompt->AskOverwrite(SurveyFilesExistText(base));
        if (!OverwriteConfirmed) {
            Check_Save_Data_File->setChecked(false);
            return;
        }
        break;
    }
    if (!CreateSurveyFiles()) {
        // Files already made in this step are closed again and the box goes back, so the page
        // never claims files it does not have.
        CloseSurveyFiles();
        Check_Save_Data_File->setChecked(false);
    }
}

bool RegistrationPage::CreateSurveyFiles()
{
    NoFileOpen = true;
    SetSlotControlsEnabled(false);
    const QString base = SurveyBaseName(chosenFileName_);
    for (int k = 1; k <= DeviceSlotCount; ++k) {
        const std::size_t i = static_cast<std::size_t>(k - 1);
        if (!CheckBox_D[i]->isChecked())
            continue;
        QString error;
        const std::optional<int> address = TextToInteger(Addr_D[i]->text(), &error);
        if (!address) {
            ShowMessage(error);
            return false;
        }
        NoFileOpen = false;
        filesCreated_ = true;
        if (!OverwriteConfirmed)
            continue;
        if (!SurveyFiles.Create(k, SurveyFileName(base, k), QDateTime::currentDateTime(), *address, &error)) {
            ShowMessage(error);
            return false;
        }
    }
    return true;
}

void RegistrationPage::CloseSurveyFiles()
{
    if (filesCreated_) {
        SurveyFiles.CloseAll();
        NoFileOpen = true;
    }
    // While polling runs the slot set stays frozen; Stop unlocks it.
    if (!PollingRunning())
        SetSlotControlsEnabled(true);
    filesCreated_ = false;
}

} // namespace orv
