#pragma once
// "Ввод переменных": the four variables read with command 33, in setup and registration mode.
#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace orv {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget *parent = nullptr);

    // Catalogue positions (1..17) selected in ComboBox1..ComboBox4.
    std::array<int, 4> SelectedPositions() const;

    // Shared with the pages: the dialog is offered only while AskVariables is set; OK with the
    // check box ticked clears it. "Отмена" (and Esc) sets VariablesDialogCancelled; every showing
    // of the dialog clears it first.
    bool AskVariables = true;
    bool VariablesDialogCancelled = false;

    std::array<QLabel *, 4> Labels{};   // "1. Первая" .. "4. Четвертая"
    QComboBox *ComboBox1 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QCheckBox *Check_No_Zapros_All_Datchik = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QPushButton *BitBtn2 = nullptr;

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace orv
