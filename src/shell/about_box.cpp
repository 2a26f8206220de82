#include "shell/about_box.h"

#include "shell/program_picture.h"
#include "widgets/widget_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orv {

TForm21::TForm21(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("О программе"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *picture = Named(new QLabel(this), "Image1", QStringLiteral("Изображение манометра"));
    picture->setPixmap(ProgramPicture(129));
    picture->setFixedSize(129, 129);

    auto *title = Named(new QLabel(QStringLiteral("\"Orvessa 2.1.6\""), this), "Label1");
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    title->setFont(titleFont);
    auto *line1 = Named(new QLabel(QStringLiteral("Программа для работы с цифровыми"), this), "Label2");
    auto *line2 = Named(new QLabel(QStringLiteral("манометрами КВ-310"), this), "Label3");
    auto *maker = Named(new QLabel(QStringLiteral("Сервисная программа, 2011 г."), this), "Label4");

    auto *text = new QVBoxLayout;
    text->addWidget(title);
    text->addSpacing(6);
    text->addWidget(line1);
    text->addWidget(line2);
    text->addStretch();
    text->addWidget(maker);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addSpacing(12);
    layout->addLayout(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace orv
