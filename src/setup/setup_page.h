#pragma once
// The page "Режим настройки": one gauge at a time, one command at a time. The page owns the
// command menu, the address, the trace log and the result table; what Start does is plugged in
// by AttachSetupPage (setup_attach.h).
#include "gauge/result_rows.h"
#include "setup/setup_decoders.h"
#include "setup/setup_plugins.h"

#include <QWidget>
#include <cstdint>
#include <functional>

class QComboBox;
class QDateTime;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTimer;

namespace orv {

class UpDownButtons;

class SetupPage : public QWidget {
    Q_OBJECT
public:
    explicit SetupPage(QWidget *parent = nullptr);

    // The trace log of the engine: one line appended per call. It keeps the latest `lines` lines,
    // dropping the oldest whenever more than `trimLines` extra have piled up.
    // While the log is not on screen (a registration run) lines are gathered and shown in
    // batches: every line added to a long log costs time in proportion to the log above it.
    void AppendTrace(const QString &line);
    // Shows the gathered lines now and returns the whole log.
    QString TraceText();
    void SetTraceLogLimit(int lines, int trimLines);
    int TraceLogLimit() const { return traceLimit_; }

    // Where the device-specific dialogs plug in.
    SetupPlugins &Plugins() { return plugins_; }
    // Which range group of the sub-range dialog the next command-33 answer fills.
    RangeReadTarget RangeTarget = RangeReadTarget::None;
    // Run by every press of Start: the registration page puts the attempt counters of its ten
    // slots back to 1.
    std::function<void()> ResetSlotAttempts;

    // --- the result table ---
    // Rows are numbered with the header as row 0 (in StringGrid1 a hidden row), so the first
    // result row is row 1, and the count includes it (two rows when the page is created).
    // The row the next answer fills.
    int ResultRow = 1;
    int RowCount() const;
    QString CellText(int row, int column) const;
    // The rows of a decoded answer: k rows appended, rows ResultRow..ResultRow+k written (columns
    // "Параметр" and "Значение"), ResultRow advanced by k. Every setup decoder ends here.
    void WriteAnswerRows(const ResultRows &rows);
    // Before the decoder: address, command, menu item text and time stamp of row ResultRow; the
    // parameter and value of an earlier no-answer in that row are wiped.
    void WriteAnswerHead(std::uint8_t address, std::uint8_t command, const QDateTime &moment);
    // After the decoder: one more row, ResultRow advanced, the last row selected.
    void AddResultRow();
    // A command given up: "Нет ответа от прибора" in the value column of row ResultRow.
    void WriteNoAnswer();

    // --- Start ---
    void Button1Click();
    void SetStartHandler(std::function<void()> handler) { start_ = std::move(handler); }
    void EnableStart();                 // Button1 enabled, caption "Старт"
    int SelectedItem() const;           // 1..17, 0 when no menu item is selected
    int AttemptLimit() const;           // LabeledEdit15
    QString address() const;            // LabeledEdit4 as typed

    // The conversion errors ("'x' is not a valid integer value"); a message box by default.
    void SetMessageSink(std::function<void(const QString &text)> sink) { messages_ = std::move(sink); }
    void ShowMessage(const QString &text);

    QLabel *Label17 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLabel *LabeledEdit4Label = nullptr;
    QLineEdit *LabeledEdit4 = nullptr;
    UpDownButtons *UpDown2 = nullptr;
    QLabel *LabeledEdit15Label = nullptr;
    QLineEdit *LabeledEdit15 = nullptr;
    UpDownButtons *UpDown13 = nullptr;
    QSplitter *Splitter1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTableWidget *StringGrid1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetCell(int row, int column, const QString &text);
    void FlushTrace();
    void TrimTrace();

    SetupPlugins plugins_;
    int traceLimit_ = 0;
    int traceTrim_ = 0;
    QStringList pendingTrace_;
    QTimer *traceFlush_ = nullptr;
    std::function<void()> start_;
    std::function<void(const QString &)> messages_;
};

} // namespace orv
