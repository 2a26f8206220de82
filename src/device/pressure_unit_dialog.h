#pragma once
// "Указание единиц измерений": the pressure unit menu item 10 sends with command 178.
#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace orv {

class TUkaz_Ed_Davl : public QDialog {
    Q_OBJECT
public:
    explicit TUkaz_Ed_Davl(QWidget *parent = nullptr);

    // Shows the dialog once; true for the OK button, false for "Отмена" (or Esc). The combo box
    // keeps the choice for the next time.
    bool Ask();
    // The unit name chosen in the combo box.
    QString unitText() const;

    QLabel *Label1 = nullptr;
    QComboBox *Ed_Davlen = nullptr;
    QPushButton *Button_Ed_Davlenie = nullptr;
    QPushButton *BitBtn1 = nullptr;
};

} // namespace orv
