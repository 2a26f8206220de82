#include "setup/setup_page.h"

#include "link/widget_names.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

SetupPage::SetupPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));
    Button1 = Named(new QPushButton(QStringLiteral("Старт"), this), "Button1");
    Memo1 = Named(new QPlainTextEdit(this), "Memo1", QStringLiteral("Журнал обмена"));
    Memo1->setReadOnly(true);
    StringGrid1 = Named(new QTableWidget(2, 6, this), "StringGrid1", QStringLiteral("Результаты команд"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Button1, 0, Qt::AlignLeft);
    layout->addWidget(Memo1);
    layout->addWidget(StringGrid1);
}

void SetupPage::AppendTrace(const QString &line)
{
    Memo1->appendPlainText(line);
}

} // namespace orv

namespace orv {

void SetupPage::WriteAnswerRows(const ResultRows &rows)
{
    const int k = AdditionalRows(rows);
    StringGrid1->setRowCount(StringGrid1->rowCount() + k);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        StringGrid1->setItem(ResultRow + i, 3, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].parameter));
        StringGrid1->setItem(ResultRow + i, 4, new QTableWidgetItem(rows[static_cast<std::size_t>(i)].value));
    }
    ResultRow += k;
}

} // namespace orv
