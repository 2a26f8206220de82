#include "gauge/pressure_units.h"

#include "gauge/gauge_texts.h"
#include "gauge/survey_format.h"

namespace orv {

PressureUnitTexts PressureUnitText(int code)
{
    const QStringList &screen = text::PressureUnitScreenTexts();
    if (code < 1 || code > screen.size())
        return {};
    return {screen.at(code - 1), text::PressureUnitFileTexts().at(code - 1)};
}

PressureUnitCode PressureUnitCodeOfName(const QString &name)
{
    const int index = text::PressureUnitScreenTexts().indexOf(name);
    return index < 0 ? PressureUnitCode(0) : static_cast<PressureUnitCode>(index + 1);
}

const QStringList &PressureUnitNames()
{
    return text::PressureUnitScreenTexts();
}

} // namespace orv
