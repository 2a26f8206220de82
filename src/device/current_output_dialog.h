#pragma once
// Current output range, DAC codes and fixed-current modes.
#include <QDialog>

class QPushButton;

namespace orv {

class TUkaz_Tok : public QDialog {
    Q_OBJECT
public:
    explicit TUkaz_Tok(QWidget *parent = nullptr);

    QPushButton *Button_tok_vixod = nullptr;
};

} // namespace orv
