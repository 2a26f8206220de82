#pragma once
// The "Тип порта" list: COM1..COM10, then the serial devices actually present, then the built-in
// gauge emulator. The list is read again each time it is opened, so an adapter plugged in while
// the program runs shows up.
#include <QComboBox>
#include <QStringList>

namespace orv {

// Serial devices present now: USB and ACM adapters by their stable /dev/serial/by-id names,
// and the ones without such a name by their /dev path.
QStringList DetectSerialDevices(const QString &devRoot = QStringLiteral("/dev"));

// What a port-list entry opens: "COM1".."COM10" are device names the serial component maps;
// a path is opened as it stands; the emulator entry starts the built-in gauge emulator.
struct PortListEntry {
    QString text;
    bool emulator = false;
};

QString EmulatorEntryText();

class PortListBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortListBox(QWidget *parent = nullptr);
    void Refresh();
    bool EmulatorSelected() const;
    void SetDeviceSource(std::function<QStringList()> source) { source_ = std::move(source); }

    void showPopup() override;

private:
    std::function<QStringList()> source_;
};

} // namespace orv
