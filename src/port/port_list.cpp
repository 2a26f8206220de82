#include "port/port_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace orv {

QString EmulatorEntryText()
{
    return QStringLiteral("Эмулятор приборов (адреса 1, 2, 3)");
}

QStringList DetectSerialDevices(const QString &devRoot)
{
    QStringList found;
    QSet<QString> covered;
    const QDir byId(devRoot + QStringLiteral("/serial/by-id"));
    for (const QFileInfo &link : byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        found << link.absoluteFilePath();
        covered.insert(link.canonicalFilePath());
    }
    const QDir dev(devRoot);
    const QStringList patterns = {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*")};
    for (const QFileInfo &node : dev.entryInfoList(patterns, QDir::System | QDir::Files, QDir::Name)) {
        if (!covered.contains(node.canonicalFilePath()))
            found << node.absoluteFilePath();
    }
    return found;
}

PortListBox::PortListBox(QWidget *parent) : QComboBox(parent)
{
    source_ = [] { return DetectSerialDevices(); };
    Refresh();
}

void PortListBox::Refresh()
{
    const QString current = currentText();
    QStringList items;
    for (int i = 1; i <= 10; ++i)
        items << QStringLiteral("COM%1").arg(i);
    items << source_();
    items << EmulatorEntryText();
    blockSignals(true);
    clear();
    addItems(items);
    const int index = findText(current);
    setCurrentIndex(index >= 0 ? index : 0);
    blockSignals(false);
}

bool PortListBox::EmulatorSelected() const
{
    return currentText() == EmulatorEntryText();
}

void PortListBox::showPopup()
{
    Refresh();
    QComboBox::showPopup();
}

} // namespace orv
