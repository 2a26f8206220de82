#include "setup/variables_dialog.h"

#include "link/widget_names.h"
#include "setup/variable_catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace orv {

TForm5::TForm5(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Ввод переменных"));
    WithoutBorderIcons(this);
    auto *grid = new QGridLayout(this);
    QComboBox **lists[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4};
    const char *names[] = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"};
    const QString captions[] = {QStringLiteral("1. Первая"), QStringLiteral("2. Вторая"), QStringLiteral("3. Третья"),
                                QStringLiteral("4. Четвертая")};
    for (int i = 0; i < 4; ++i) {
        *lists[i] = Named(new QComboBox(this), names[i]);
        for (const CatalogueEntry &entry : VariableCatalogue())
            (*lists[i])->addItem(entry.listText);
        grid->addWidget(LabelFor(new QLabel(captions[i], this), *lists[i]), i, 0);
        grid->addWidget(*lists[i], i, 1);
    }
    Check_No_Zapros_All_Datchik = Named(
        new QCheckBox(QStringLiteral("В дальнейшем не запрашивать ввод переменных для приборов"), this),
        "Check_No_Zapros_All_Datchik");
    Check_No_Zapros_All_Datchik->setChecked(true);
    grid->addWidget(Check_No_Zapros_All_Datchik, 4, 0, 1, 2);
    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn2 = Named(new QPushButton(QStringLiteral("Отмена"), this), "BitBtn2");
    grid->addWidget(BitBtn1, 5, 0);
    grid->addWidget(BitBtn2, 5, 1);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (Check_No_Zapros_All_Datchik->isChecked())
            AskVariables = false;
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        if (SendSuppressed)
            *SendSuppressed = true;
        VariablesDialogCancelled = true;
        reject();
    });
}

std::array<int, 4> TForm5::SelectedPositions() const
{
    return {ComboBox1->currentIndex() + 1, ComboBox2->currentIndex() + 1, ComboBox3->currentIndex() + 1,
            ComboBox4->currentIndex() + 1};
}

} // namespace orv
