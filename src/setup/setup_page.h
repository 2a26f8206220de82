#pragma once
// The page "Режим настройки": one gauge at a time, one command at a time.
#include "setup/result_rows.h"
#include "setup/setup_plugins.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace orv {

class SetupPage : public QWidget {
    Q_OBJECT
public:
    explicit SetupPage(QWidget *parent = nullptr);

    // The trace log of the engine: one line appended per call.
    void AppendTrace(const QString &line);

    // Where the device-specific dialogs plug in.
    SetupPlugins &Plugins() { return plugins_; }
    // Which range group of the sub-range dialog the next command-33 answer fills.
    RangeReadTarget RangeTarget = RangeReadTarget::None;
    // The row of StringGrid1 the next answer fills.
    int ResultRow = 1;
    // The rows of a decoded answer: k rows appended, rows ResultRow..ResultRow+k written (columns
    // "Параметр" and "Значение"), ResultRow advanced by k. Every setup decoder ends here.
    void WriteAnswerRows(const ResultRows &rows);

    QPushButton *Button1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTableWidget *StringGrid1 = nullptr;

private:
    SetupPlugins plugins_;
};

} // namespace orv
