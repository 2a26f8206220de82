#pragma once
// The page "Режим настройки": one gauge at a time, one command at a time.
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

    QPushButton *Button1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QTableWidget *StringGrid1 = nullptr;
};

} // namespace orv
