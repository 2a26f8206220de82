#pragma once
// The page "Настройки CОМ-порта": the port and its line settings, opening and closing it, and the
// way to the link timing dialog.
#include <QWidget>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace orv {

class PortListBox;
class TVaComm;

class PortPage : public QWidget {
    Q_OBJECT
public:
    PortPage(TVaComm &port, QWidget *parent = nullptr);

    // The built-in emulator: start returns the device path to open, or an empty text and a reason.
    void SetEmulator(std::function<QString(QString *error)> start, std::function<void()> stop);
    // Run after a successful opening (the engine's receive counter goes back to zero there).
    void SetAfterOpen(std::function<void()> afterOpen) { afterOpen_ = std::move(afterOpen); }
    // How failures reach the user: a message box with a beep by default; tests capture them.
    void SetMessageSink(std::function<void(const QString &text, const QString &detail)> sink)
    {
        messages_ = std::move(sink);
    }

    bool PortOpen() const;
    void Button14Click();
    void Button15Click();

    QGroupBox *GroupBox = nullptr;
    PortListBox *ComboBox7 = nullptr;
    QComboBox *ComboBox3 = nullptr;
    QComboBox *ComboBox4 = nullptr;
    QComboBox *ComboBox5 = nullptr;
    QComboBox *ComboBox6 = nullptr;
    QPushButton *Button14 = nullptr;
    QPushButton *Button15 = nullptr;
    QLabel *Label16 = nullptr;
    QPushButton *BitBtn1 = nullptr;

signals:
    void timingRequested();   // "Временные интервалы"
    void portStateChanged(bool open);
    void portLost();   // the device went away while open; the port is closed by now

private:
    void ShowClosed();
    void ShowOpen();
    void ApplySelections();
    void Report(const QString &text, const QString &detail);
    void PortLost();
    QString OpenFailureReason(const QString &componentMessage) const;

    TVaComm &port_;
    std::function<QString(QString *)> startEmulator_;
    std::function<void()> stopEmulator_;
    std::function<void()> afterOpen_;
    std::function<void(const QString &, const QString &)> messages_;
    bool emulatorRunning_ = false;
};

} // namespace orv
