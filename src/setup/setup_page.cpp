#include "setup/setup_page.h"

#include "gauge/gauge_texts.h"
#include "link/value_text.h"
#include "widgets/widget_names.h"
#include "setup/setup_window_texts.h"
#include "widgets/up_down_buttons.h"
#include "widgets/message_box.h"

#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

constexpr int ColumnWidths[] = {47, 63, 271, 348, 106, 119};

// In registration mode the engine writes some fifty lines a second; the log keeps the latest
// hundred thousand (about half an hour of polling) so a long run cannot eat the memory. The
// oldest lines go a thousand at a time: a log held at its limit line by line (the edit's own
// maximum block count) costs about eight times as much per appended line, on the thread that
// also times the exchanges.
constexpr int TraceLogLines = 100000;
constexpr int TraceTrimLines = 1000;

} // namespace

SetupPage::SetupPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet1"));

    ComboBox1 = Named(new QComboBox(this), "ComboBox1");
    ComboBox1->addItems(text::SetupMenuItems());
    ComboBox1->setCurrentIndex(0);
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboBox1->setMaxVisibleItems(menu::ItemCount);
    Label17 = Named(LabelFor(new QLabel(text::CommandLabel(), this), ComboBox1), "Label17");

    LabeledEdit4 = Named(new QLineEdit(text::AddressInitial(), this), "LabeledEdit4");
    LabeledEdit4->setFixedWidth(LabeledEdit4->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    LabeledEdit4Label = LabelFor(new QLabel(text::AddressLabel(), this), LabeledEdit4);
    UpDown2 = Named(new UpDownButtons(LabeledEdit4, 0, 255, 0, this), "UpDown2",
                    QStringLiteral("Изменить адрес прибора"));

    // One attempt per command: the field exists for the engine to read, never for the user.
    LabeledEdit15 = Named(new QLineEdit(text::AttemptsInitial(), this), "LabeledEdit15");
    LabeledEdit15->setReadOnly(true);
    LabeledEdit15->setEnabled(false);
    LabeledEdit15Label = LabelFor(new QLabel(text::AttemptsLabel(), this), LabeledEdit15);
    UpDown13 = Named(new UpDownButtons(LabeledEdit15, 1, 1, 1, this), "UpDown13",
                     QStringLiteral("Изменить число попыток"));
    UpDown13->setEnabled(false);
    for (QWidget *hidden : std::initializer_list<QWidget *>{LabeledEdit15, LabeledEdit15Label, UpDown13})
        hidden->setVisible(false);

    Button1 = Named(new QPushButton(text::StartCaption(), this), "Button1");
    Button1->setMinimumWidth(90);
    connect(Button1, &QPushButton::clicked, this, &SetupPage::Button1Click);

    Memo1 = Named(new QPlainTextEdit(this), "Memo1", QStringLiteral("Журнал обмена"));
    Memo1->setReadOnly(true);
    // A log is never edited: an undo history would only keep every removed line in memory.
    Memo1->setUndoRedoEnabled(false);
    SetTraceLogLimit(TraceLogLines, TraceTrimLines);
    traceFlush_ = new QTimer(this);
    traceFlush_->setSingleShot(true);
    traceFlush_->setInterval(500);
    connect(traceFlush_, &QTimer::timeout, this, &SetupPage::FlushTrace);
    Memo1->installEventFilter(this);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    // Row 0 stands for the header row and stays hidden (the table's own header shows the titles),
    // so a row's number is the result row's own number everywhere: ResultRow starts at 1.
    StringGrid1 = Named(new QTableWidget(2, 6, this), "StringGrid1", QStringLiteral("Результаты команд"));
    StringGrid1->setHorizontalHeaderLabels(text::ResultHeaders());
    StringGrid1->setRowHidden(0, true);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->horizontalHeader()->setSectionsMovable(true);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    // The columns start at their own widths; the last one takes what the window has left, so
    // the time stamp is not cut off on a wide window.
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    // One line per row, as in a grid: long texts are shortened, their whole text is the tip.
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideRight);
    StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 8);
    for (int c = 0; c < 6; ++c)
        StringGrid1->setColumnWidth(c, ColumnWidths[c]);

    auto *controls = new QHBoxLayout;
    controls->addWidget(Label17);
    controls->addWidget(ComboBox1);
    controls->addSpacing(16);
    controls->addWidget(LabeledEdit4Label);
    auto *address = new QHBoxLayout;
    address->setSpacing(0);
    address->addWidget(LabeledEdit4);
    address->addWidget(UpDown2);
    controls->addLayout(address);
    controls->addWidget(LabeledEdit15Label);
    controls->addWidget(LabeledEdit15);
    controls->addWidget(UpDown13);
    controls->addSpacing(16);
    controls->addWidget(Button1);
    controls->addStretch(1);

    Splitter1 = Named(new QSplitter(Qt::Vertical, this), "Splitter1", QStringLiteral("Граница журнала и таблицы"));
    Splitter1->addWidget(Memo1);
    Splitter1->addWidget(StringGrid1);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(Splitter1, 1);
}

void SetupPage::AppendTrace(const QString &line)
{
    pendingTrace_ << line;
    if (Memo1->isVisible())
        FlushTrace();
    else if (!traceFlush_->isActive())
        traceFlush_->start();
}

QString SetupPage::TraceText()
{
    FlushTrace();
    return Memo1->toPlainText();
}

void SetupPage::FlushTrace()
{
    traceFlush_->stop();
    if (pendingTrace_.isEmpty())
        return;
    // Lines that the limit would drop at once are never shown.
    const int most = traceLimit_ + traceTrim_;
    if (pendingTrace_.size() > most)
        pendingTrace_.erase(pendingTrace_.begin(), pendingTrace_.end() - most);
    Memo1->appendPlainText(pendingTrace_.join(QLatin1Char('\n')));
    pendingTrace_.clear();
    TrimTrace();
}

void SetupPage::TrimTrace()
{
    const int excess = Memo1->blockCount() - traceLimit_;
    if (excess > traceTrim_) {
        QTextCursor oldest(Memo1->document());
        oldest.movePosition(QTextCursor::Start);
        oldest.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
        oldest.removeSelectedText();
    }
}

bool SetupPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Memo1 && event->type() == QEvent::Show)
        FlushTrace();
    return QWidget::eventFilter(watched, event);
}

void SetupPage::SetTraceLogLimit(int lines, int trimLines)
{
    traceLimit_ = std::max(1, lines);
    traceTrim_ = std::max(0, trimLines);
}

int SetupPage::RowCount() const
{
    return StringGrid1->rowCount();
}

QString SetupPage::CellText(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem *header = StringGrid1->horizontalHeaderItem(column);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem *item = StringGrid1->item(row, column);
    return item ? item->text() : QString();
}

void SetupPage::SetCell(int row, int column, const QString &text)
{
    if (row < 1)
        return;
    if (row >= StringGrid1->rowCount())
        StringGrid1->setRowCount(row + 1);
    QTableWidgetItem *item = StringGrid1->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        StringGrid1->setItem(row, column, item);
    }
    item->setText(text);
    item->setToolTip(text);
}

void SetupPage::WriteAnswerRows(const ResultRows &rows)
{
    const int k = AdditionalRows(rows);
    StringGrid1->setRowCount(StringGrid1->rowCount() + k);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const ResultRowTexts &row = rows[static_cast<std::size_t>(i)];
        SetCell(ResultRow + i, 3, row.parameter);
        SetCell(ResultRow + i, 4, row.value);
    }
    ResultRow += k;
}

void SetupPage::WriteAnswerHead(std::uint8_t address, std::uint8_t command, const QDateTime &moment)
{
    SetCell(ResultRow, 0, QString::number(address));
    SetCell(ResultRow, 1, QString::number(command));
    SetCell(ResultRow, 2, ComboBox1->currentText());
    // A row left with "Нет ответа от прибора" is reused; an answer without a decoder of its own
    // must not stand beside that text.
    SetCell(ResultRow, 3, QString());
    SetCell(ResultRow, 4, QString());
    SetCell(ResultRow, 5, TimeStampText(moment));
}

void SetupPage::AddResultRow()
{
    StringGrid1->setRowCount(StringGrid1->rowCount() + 1);
    ResultRow += 1;
    const int last = StringGrid1->rowCount() - 1;
    StringGrid1->selectRow(last);
    StringGrid1->scrollToBottom();
}

void SetupPage::WriteNoAnswer()
{
    SetCell(ResultRow, 4, text::NoAnswer());
}

void SetupPage::Button1Click()
{
    if (start_)
        start_();
}

void SetupPage::EnableStart()
{
    Button1->setEnabled(true);
    Button1->setText(text::StartCaption());
}

int SetupPage::SelectedItem() const
{
    return ComboBox1->currentIndex() + 1;
}

int SetupPage::AttemptLimit() const
{
    return TextToInteger(LabeledEdit15->text()).value_or(1);
}

QString SetupPage::address() const
{
    return LabeledEdit4->text();
}

void SetupPage::ShowMessage(const QString &text)
{
    if (messages_)
        messages_(text);
    else
        ShowErrorBox(this, text);
}

} // namespace orv
