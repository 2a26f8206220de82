#include "setup/confirmation_questions.h"

#include "gauge/gauge_texts.h"
#include "setup/setup_menu.h"

namespace orv {

QString ConfirmationQuestion(std::uint8_t command)
{
    switch (command) {
    case ZeroCorrectionCommand:
        return text::ZeroCorrectionQuestion();
    case RangeCorrectionCommand:
        return text::RangeCorrectionQuestion();
    case 162:
        return text::SaveParametersQuestion();
    case 196:
        return text::RestoreSettingsQuestion();
    case 197:
        return text::RestartQuestion();
    default:
        return QString();
    }
}

} // namespace orv
