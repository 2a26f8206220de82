#pragma once
// "Временные интервалы": edits the four link times and the RS-485 option, and saves them.
#include "link/link_settings.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace orv {

class TRis_Interf;
class TimingDiagramView;

class TTime_Intervals : public QDialog {
    Q_OBJECT
public:
    explicit TTime_Intervals(QWidget *parent = nullptr);

    void SetPictureDialog(TRis_Interf *picture) { picture_ = picture; }
    // Where OK saves the file; tests point it elsewhere.
    void SetSettingsPath(const QString &path) { settingsPath_ = path; }
    // How errors reach the user (a message box by default; tests capture them).
    void SetMessageSink(std::function<void(const QString &title, const QString &text)> sink)
    {
        messages_ = std::move(sink);
    }

    // The main window's "Временные интервалы" button: fill the fields from the settings and show
    // the dialog until OK has been pressed; OK stores into the settings and saves the file.
    void EditSettings(LinkSettings &settings);

    QLineEdit *Edit_T_Posle_Trans = nullptr;
    QLineEdit *Edit_T_Posle_Trans_RS485 = nullptr;
    QLineEdit *Edit_T_Ogidan_Otvet = nullptr;
    QLineEdit *Edit_T_New_Trans = nullptr;
    QCheckBox *CheckBox_RS485 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    TimingDiagramView *Image1 = nullptr;

private:
    void BitBtn1Click();
    void CheckBox_RS485Click();
    void Image1Click();
    void ShowMessage(const QString &title, const QString &text);

    TRis_Interf *picture_ = nullptr;
    LinkSettings *settings_ = nullptr;
    bool finished_ = false;
    QString settingsPath_;
    std::function<void(const QString &, const QString &)> messages_;
};

// "Временные интервалы передаваемых сообщений": the diagram at full size.
class TRis_Interf : public QDialog {
    Q_OBJECT
public:
    explicit TRis_Interf(QWidget *parent = nullptr);
    // Shows the picture until its OK button has been pressed.
    void ShowUntilClosed();
    QPushButton *BitBtn2 = nullptr;

private:
    bool finished_ = false;
};

} // namespace orv
