#include "setup/variables_dialog.h"

#include "widgets/widget_names.h"
#include "setup/setup_window_texts.h"
#include "gauge/variable_catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

namespace orv {

TForm5::TForm5(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Ввод переменных"));
    WithoutBorderIcons(this);
    auto *grid = new QGridLayout(this);
    QComboBox **lists[] = {&ComboBox1, &ComboBox2, &ComboBox3, &ComboBox4};
    const char *names[] = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"};
    const QString captions[] = {text::FirstVariable(), text::SecondVariable(), text::ThirdVariable(),
                                text::FourthVariable()};
    const char *labelNames[] = {"Label1", "Label2", "Label3", "Label4"};
    for (int i = 0; i < 4; ++i) {
        *lists[i] = Named(new QComboBox(this), names[i]);
        for (const CatalogueEntry &entry : VariableCatalogue())
            (*lists[i])->addItem(entry.listText);
        (*lists[i])->setMaxVisibleItems(VariableCatalogueSize);
        const std::size_t k = static_cast<std::size_t>(i);
        Labels[k] = Named(LabelFor(new QLabel(captions[i], this), *lists[i]), labelNames[i]);
        grid->addWidget(Labels[k], i, 0);
        grid->addWidget(*lists[i], i, 1);
    }
    grid->setColumnStretch(1, 1);
    Check_No_Zapros_All_Datchik = Named(
        new QCheckBox(QStringLiteral("В дальнейшем не запрашивать ввод переменных для приборов"), this),
        "Check_No_Zapros_All_Datchik");
    Check_No_Zapros_All_Datchik->setChecked(true);
    grid->addWidget(Check_No_Zapros_All_Datchik, 4, 0, 1, 2);
    BitBtn1 = Named(new QPushButton(QStringLiteral("OK"), this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton(text::CancelCaption(), this), "BitBtn2");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(20);
    buttons->addWidget(BitBtn2);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 0, 1, 2);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (Check_No_Zapros_All_Datchik->isChecked())
            AskVariables = false;
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &TForm5::reject);
}

void TForm5::reject()
{
    VariablesDialogCancelled = true;
    QDialog::reject();
}

void TForm5::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        VariablesDialogCancelled = false;
    QDialog::showEvent(event);
}

std::array<int, 4> TForm5::SelectedPositions() const
{
    return {ComboBox1->currentIndex() + 1, ComboBox2->currentIndex() + 1, ComboBox3->currentIndex() + 1,
            ComboBox4->currentIndex() + 1};
}

} // namespace orv
