#include "registration/registration_page.h"

#include "link/widget_names.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

RegistrationPage::RegistrationPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    Button2 = Named(new QPushButton(QStringLiteral("Старт"), this), "Button2");
    Check_Save_Data_File =
        Named(new QCheckBox(QStringLiteral("Сохранять результаты опроса в файле"), this), "Check_Save_Data_File");
    StringGrid2 = Named(new QTableWidget(255, 6, this), "StringGrid2", QStringLiteral("Результаты опроса"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Button2, 0, Qt::AlignLeft);
    layout->addWidget(Check_Save_Data_File);
    layout->addWidget(StringGrid2);
}

bool RegistrationPage::PollingRunning() const
{
    return Button2->text() == QStringLiteral("Стоп");
}

} // namespace orv
