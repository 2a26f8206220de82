#pragma once
// The yes/no window that asks before the program ends.
#include <QDialog>

class QLabel;
class QPushButton;

namespace orv {

class TForm1;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget *parent = nullptr);
    void SetMainWindow(TForm1 *form1) { form1_ = form1; }

    void Button_YESClick();
    void Button_NOClick();
    // Esc answers "НЕТ".
    void reject() override;

    QLabel *Text = nullptr;
    QPushButton *Button_YES = nullptr;
    QPushButton *Button_NO = nullptr;

private:
    TForm1 *form1_ = nullptr;
};

} // namespace orv
