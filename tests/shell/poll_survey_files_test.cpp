// The command-line poller writes the survey files the registration page writes, byte for byte
// but for the time stamps, for the same answers of the same gauges.
#include "bus/gauge_exchange.h"
#include "poll/poll_run.h"
#include "registration_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace orv;
using namespace testsupport;

namespace {

QByteArray WithoutTimes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(missing) ") + path.toUtf8();
    QByteArray bytes = file.readAll();
    static const QRegularExpression time(QStringLiteral("\\d\\d:\\d\\d:\\d\\d(\\.\\d\\d\\d)?"));
    static const QRegularExpression date(QStringLiteral("\\d\\d\\.\\d\\d\\.\\d\\d\\d\\d"));
    QString text = QString::fromLatin1(bytes);   // one byte per character, as written
    text.replace(time, QStringLiteral("<time>")).replace(date, QStringLiteral("<date>"));
    return text.toLatin1();
}

} // namespace

TEST(PollSurveyFiles, SameBytesAsTheRegistrationPageForEachCommand)
{
    RegistrationFixture f;
    ASSERT_TRUE(f.Connect({1, 2}, 400, 450));
    for (std::uint8_t a : {1, 2}) {
        f.simulator->stagePressure(a, 0.8f, 2);
        f.simulator->modify(a, [](sim::GaugeState &state) {
            state.temperature = 24.5f;
            state.um = 31500.0f;
        });
    }
    f.Tick(1, 1);
    f.Tick(2, 2);
    f.SetPeriod(100);
    TForm5 *form5 = f.windows->Form5;
    for (auto *box : {form5->ComboBox1, form5->ComboBox2, form5->ComboBox3, form5->ComboBox4})
        box->setCurrentIndex(box == form5->ComboBox4 ? 11 : box == form5->ComboBox3 ? 2 : box == form5->ComboBox2 ? 1 : 0);
    DialogAnswerer ok(form5, form5->BitBtn1);

    const int commands[] = {1, 3, 33};
    for (int item = 0; item < 3; ++item) {
        f.TickSaveBox(f.dir.filePath(QStringLiteral("window%1.txt").arg(item)));
        ASSERT_TRUE(f.page->FilesCreated()) << item;
        f.ChooseCommand(item);
        ASSERT_TRUE(f.Start()) << item;
        ASSERT_TRUE(WaitUntil([&] { return f.Lamp(1) == Green && f.Lamp(2) == Green; }, 5000)) << item;
        ASSERT_TRUE(f.Stop()) << item;
        f.TickSaveBox(std::nullopt);   // unticking closes the files
        ASSERT_FALSE(f.page->FilesCreated()) << item;
    }
    f.form1->TabSheet4->Button15Click();

    // The same gauges, now through the poller's core on its own port.
    TVaComm port;
    LinkSettings settings;
    settings.ResponseWaitTime = 400;
    settings.NextTransmitTime = 450;
    TransactionEngine engine(port, settings);
    QObject::connect(&port, &TVaComm::OnRxChar, &engine, &TransactionEngine::VaComm1RxChar);
    QObject::connect(&port, &TVaComm::OnTxEmpty, &engine, &TransactionEngine::VaComm1OnTxEmpty);
    port.SetDeviceName(QString::fromStdString(f.simulator->slavePath()));
    port.OpenPort();
    GaugeExchange exchange(engine, port);
    for (int item = 0; item < 3; ++item) {
        PollOptions options;
        options.link = settings;
        options.addresses = {1, 2};
        options.command = static_cast<std::uint8_t>(commands[item]);
        options.variables = {{0, 1, 2, 13}};   // the positions chosen in the window's lists above
        options.count = 1;
        options.surveyName = f.dir.filePath(QStringLiteral("poller%1.txt").arg(item));
        PollRun run(exchange, options, [](const QString &) {}, [](const QString &) {});
        int status = -1;
        QObject::connect(&run, &PollRun::finished, [&status](int s) { status = s; });
        QString error;
        ASSERT_TRUE(run.CreateSurveyFiles(&error)) << error.toStdString();
        run.Start();
        ASSERT_TRUE(WaitUntil([&] { return status >= 0; }, 5000)) << item;
        EXPECT_EQ(status, AllAnswered) << item;
        for (int slot : {1, 2}) {
            const QByteArray window = WithoutTimes(f.dir.filePath(QStringLiteral("window%1_%2.txt").arg(item).arg(slot)));
            EXPECT_EQ(WithoutTimes(f.dir.filePath(QStringLiteral("poller%1_%2.txt").arg(item).arg(slot))), window)
                << commands[item];
            EXPECT_EQ(window.count("\r\n"), 3) << commands[item];
        }
    }
    port.ClosePort();
}
