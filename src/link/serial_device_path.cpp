#include "link/serial_device_path.h"

#include <QRegularExpression>

namespace orv {

QString DevicePathFor(const QString &deviceName, int portNum)
{
    QString name = deviceName;
    name.replace(QStringLiteral("%d"), QString::number(portNum));

    if (name.startsWith(QLatin1Char('/')))
        return name;

    static const QRegularExpression comPort(QStringLiteral("^COM([1-9][0-9]{0,2})$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = comPort.match(name);
    if (match.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(match.captured(1).toInt() - 1);

    return QStringLiteral("/dev/") + name;
}

} // namespace orv
