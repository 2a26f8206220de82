#include "device/current_output_dialog.h"

#include "link/widget_names.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace orv {

TUkaz_Tok::TUkaz_Tok(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Ukaz_Tok"));
    setWindowTitle(QStringLiteral("Настройка токового выходного сигнала"));
    WithoutBorderIcons(this);
    auto *buttons = new QHBoxLayout(this);
    Button_tok_vixod = Named(new QPushButton(QStringLiteral("Выход"), this), "Button_tok_vixod");
    buttons->addWidget(Button_tok_vixod);
    connect(Button_tok_vixod, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace orv
