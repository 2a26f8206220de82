#include "port/port_page.h"

#include "port/port_list.h"
#include "widgets/display_colours.h"
#include "link/serial_port.h"
#include "widgets/widget_names.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <grp.h>
#include <sys/stat.h>

namespace orv {

namespace {

const BaudRateSetting RateOfItem[] = {br300,   br600,   br1200,   br2400,   br9600,   br14400,  br19200,
                                      br38400, br56000, br57600, br115200, br128000, br256000};
const ParitySetting ParityOfItem[] = {paNone, paEven, paOdd, paMark, paSpace};
const StopBitsSetting StopBitsOfItem[] = {sb1, sb15, sb2};

QComboBox *PickList(const char *name, const QStringList &items, const QString &start, QWidget *parent)
{
    auto *box = Named(new QComboBox(parent), name);
    box->addItems(items);
    box->setCurrentText(start);
    return box;
}

void Colour(QLabel *label, const QColor &colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace

PortPage::PortPage(TVaComm &port, QWidget *parent) : QWidget(parent), port_(port)
{
    setObjectName(QStringLiteral("TabSheet4"));
    GroupBox = Named(new QGroupBox(QStringLiteral("  Настройка порта  "), this), "GroupBox1");

    ComboBox7 = Named(new PortListBox(GroupBox), "ComboBox7");
    ComboBox3 = PickList("ComboBox3",
                         {QStringLiteral("300"), QStringLiteral("600"), QStringLiteral("1200"), QStringLiteral("2400"),
                          QStringLiteral("9600"), QStringLiteral("14400"), QStringLiteral("19200"),
                          QStringLiteral("38400"), QStringLiteral("56000"), QStringLiteral("57600"),
                          QStringLiteral("115200"), QStringLiteral("128000"), QStringLiteral("256000")},
                         QStringLiteral("9600"), GroupBox);
    ComboBox4 = PickList("ComboBox4",
                         {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                          QStringLiteral("8")},
                         QStringLiteral("8"), GroupBox);
    ComboBox5 = PickList("ComboBox5",
                         {QStringLiteral("нет"), QStringLiteral("четная"), QStringLiteral("нечетная"),
                          QStringLiteral("маркер (1)"), QStringLiteral("пробел (0)")},
                         QStringLiteral("нет"), GroupBox);
    ComboBox6 = PickList("ComboBox6", {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")},
                         QStringLiteral("1"), GroupBox);
    Button14 = Named(new QPushButton(QStringLiteral("Включение порта"), GroupBox), "Button14");
    Button15 = Named(new QPushButton(QStringLiteral("Отключение порта"), GroupBox), "Button15");
    Label16 = Named(new QLabel(GroupBox), "Label16");   // says its state itself
    QFont bold = Label16->font();
    bold.setBold(true);
    Label16->setFont(bold);
    BitBtn1 = Named(new QPushButton(QStringLiteral("Временные интервалы"), GroupBox), "BitBtn1");

    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto row = [&](const QString &text, QComboBox *box) {
        auto *label = LabelFor(new QLabel(text, GroupBox), box);
        form->addRow(label, box);
    };
    row(QStringLiteral("Тип порта"), ComboBox7);
    row(QStringLiteral("Скорость обмена (бит/с)"), ComboBox3);
    row(QStringLiteral("Количество бит"), ComboBox4);
    row(QStringLiteral("Четность"), ComboBox5);
    row(QStringLiteral("Количествово стоп-бит"), ComboBox6);
    ComboBox7->setMinimumContentsLength(28);
    ComboBox7->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button14);
    buttons->addWidget(Button15);
    auto *groupLayout = new QVBoxLayout(GroupBox);
    groupLayout->addLayout(form);
    groupLayout->addSpacing(8);
    groupLayout->addLayout(buttons);
    groupLayout->addWidget(Label16, 0, Qt::AlignHCenter);
    groupLayout->addSpacing(8);
    groupLayout->addWidget(BitBtn1);

    auto *page = new QHBoxLayout(this);
    auto *column = new QVBoxLayout;
    column->addWidget(GroupBox);
    column->addStretch();
    page->addLayout(column);
    page->addStretch();

    connect(Button14, &QPushButton::clicked, this, &PortPage::Button14Click);
    connect(Button15, &QPushButton::clicked, this, &PortPage::Button15Click);
    connect(BitBtn1, &QPushButton::clicked, this, &PortPage::timingRequested);
    connect(&port_, &TVaComm::OnPortLost, this, &PortPage::PortLost);
    ShowClosed();
}

void PortPage::SetEmulator(std::function<QString(QString *)> start, std::function<void()> stop)
{
    startEmulator_ = std::move(start);
    stopEmulator_ = std::move(stop);
}

bool PortPage::PortOpen() const
{
    return port_.Active();
}

void PortPage::ShowClosed()
{
    Label16->setText(QStringLiteral("Порт выключен"));
    Colour(Label16, MessageRed());
    Button14->setEnabled(true);
    Button15->setEnabled(false);
    for (QComboBox *box : {static_cast<QComboBox *>(ComboBox7), ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        box->setEnabled(true);
}

void PortPage::ShowOpen()
{
    Label16->setText(QStringLiteral("Порт включен"));
    Colour(Label16, MessageGreen());
    Button14->setEnabled(false);
    Button15->setEnabled(true);
    for (QComboBox *box : {static_cast<QComboBox *>(ComboBox7), ComboBox3, ComboBox4, ComboBox5, ComboBox6})
        box->setEnabled(false);
}

void PortPage::Report(const QString &text, const QString &detail)
{
    if (messages_) {
        messages_(text, detail);
        return;
    }
    QApplication::beep();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PortMessage"));
    box.setInformativeText(detail);
    box.exec();
}

void PortPage::ApplySelections()
{
    port_.SetBaudrate(RateOfItem[qBound(0, ComboBox3->currentIndex(), 12)]);
    port_.SetDatabits(static_cast<DataBitsSetting>(qBound(0, ComboBox4->currentIndex(), 4)));
    port_.SetParity(ParityOfItem[qBound(0, ComboBox5->currentIndex(), 4)]);
    port_.SetStopbits(StopBitsOfItem[qBound(0, ComboBox6->currentIndex(), 2)]);
}

QString PortPage::OpenFailureReason(const QString &componentMessage) const
{
    const QString path = port_.DevicePath();
    switch (port_.LastErrorCode()) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return QStringLiteral("Устройство %1 не найдено.").arg(path);
    case EBUSY:
        return QStringLiteral("Порт %1 занят другой программой.").arg(path);
    case EACCES:
    case EPERM: {
        QString groupName;
        struct stat info {};
        if (::stat(path.toLocal8Bit().constData(), &info) == 0) {
            if (const struct group *g = ::getgrgid(info.st_gid))
                groupName = QString::fromLocal8Bit(g->gr_name);
        }
        if (groupName.isEmpty())
            groupName = QStringLiteral("dialout");
        return QStringLiteral("Нет прав доступа к %1. Устройство принадлежит группе %2: добавьте пользователя в эту "
                              "группу (sudo usermod -aG %2 $USER) и войдите в систему заново.")
            .arg(path, groupName);
    }
    case EIO:
        return QStringLiteral("Устройство %1 не отвечает: такого порта, вероятно, нет в компьютере.").arg(path);
    default:
        return componentMessage;
    }
}

void PortPage::Button14Click()
{
    QString reason;
    try {
        ApplySelections();
        if (ComboBox7->EmulatorSelected()) {
            if (!startEmulator_)
                throw EVaCommError(QStringLiteral("Эмулятор приборов недоступен"));
            QString error;
            const QString path = startEmulator_(&error);
            if (path.isEmpty())
                throw EVaCommError(QStringLiteral("Эмулятор приборов не запущен: ") + error);
            emulatorRunning_ = true;
            port_.SetDeviceName(path);
        } else {
            port_.SetDeviceName(ComboBox7->currentText());
        }
        port_.OpenPort();
        port_.SetDtrLevel(true);
        port_.SetRtsLevel(false);
        port_.PurgeInput();
        port_.PurgeOutput();
        if (afterOpen_)
            afterOpen_();
        ShowOpen();
        emit portStateChanged(true);
        return;
    } catch (const EVaCommError &error) {
        reason = OpenFailureReason(error.message());
        if (reason != error.message())
            reason += QLatin1Char('\n') + error.message();
    }
    if (port_.Active())
        port_.ClosePort();
    if (emulatorRunning_ && stopEmulator_)
        stopEmulator_();
    emulatorRunning_ = false;
    Report(QStringLiteral("Ошибка инициализации порта"), reason);
}

void PortPage::Button15Click()
{
    port_.ClosePort();
    if (emulatorRunning_ && stopEmulator_)
        stopEmulator_();
    emulatorRunning_ = false;
    ShowClosed();
    emit portStateChanged(false);
}

void PortPage::PortLost()
{
    // The adapter went away: the page must not go on claiming the port is open.
    const QString path = port_.DevicePath();
    Button15Click();
    emit portLost();
    const QString text = QStringLiteral("Ошибка порта");
    const QString detail = QStringLiteral("Устройство %1 больше не отвечает (отключено?). Порт закрыт.").arg(path);
    if (messages_) {
        messages_(text, detail);
        return;
    }
    // The loss may be noticed inside an exchange's wait; a window that does not block keeps the
    // exchange free to end on its own.
    QApplication::beep();
    auto *box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(), text, QMessageBox::Ok,
                                this);
    box->setObjectName(QStringLiteral("PortMessage"));
    box->setInformativeText(detail);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace orv
