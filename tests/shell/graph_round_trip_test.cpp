// Files written by the registration page from a simulated run, read back by the graph window.
#include "graph/graph_slots.h"
#include "graph/graph_window.h"
#include "registration_fixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The values of one key in a data file, read independently of the graph window's reader.
std::vector<double> ValuesIn(const QString &path, const QString &key)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QStringDecoder cp1251("windows-1251");
    const QString text = cp1251(file.readAll());
    std::vector<double> values;
    const QRegularExpression value(QRegularExpression::escape(key) + QStringLiteral(": (-?\\d+),(\\d+)"));
    for (auto it = value.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        values.push_back((m.captured(1) + QLatin1Char('.') + m.captured(2)).toDouble());
    }
    return values;
}

} // namespace

TEST(GraphRoundTrip, FilesOfARegistrationRunLoadWithTheirCountsAndExtremes)
{
    testsupport::RegistrationFixture f;
    ASSERT_TRUE(f.Connect({5, 6}));
    f.Tick(1, 5);
    f.Tick(2, 6);
    f.ChooseCommand(1);   // command 3: current, pressure, Um, Udif, temperature
    f.SetPeriod(1);
    const QString base = f.dir.filePath(QStringLiteral("trip"));
    f.TickSaveBox(base + QStringLiteral(".txt"));
    ASSERT_TRUE(f.page->FilesCreated());
    ASSERT_TRUE(f.Start());
    ASSERT_TRUE(testsupport::WaitUntil(
        [&] { return f.Trace().count(QStringLiteral("Режим регистрации. Получен ответ:")) >= 8; }, 10000));
    ASSERT_TRUE(f.Stop());
    f.TickSaveBox(std::nullopt);   // unticking closes the files
    ASSERT_FALSE(f.page->FilesCreated());

    orv::TGrafik *grafik = f.windows->Grafik;
    const struct {
        const char *axis;
        const char *key;
        const char *unit;
    } axes[] = {{"Давление", "Pressure", ""}, {"Ток", "Iout", "мА"}};
    int loaded = 0;
    for (const auto &axis : axes) {
        auto *dataAxis = grafik->findChild<QComboBox *>(QStringLiteral("ComboBox2"));
        ASSERT_NE(dataAxis, nullptr);
        dataAxis->setCurrentText(QString::fromUtf8(axis.axis));
        ASSERT_EQ(dataAxis->currentText(), QString::fromUtf8(axis.axis));
        for (int slot : {1, 2}) {
            const QString path = base + QStringLiteral("_%1.txt").arg(slot);
            const std::vector<double> values = ValuesIn(path, QString::fromUtf8(axis.key));
            ASSERT_GE(values.size(), 3u) << slot;
            grafik->AddGraphFromFile(path);
            ++loaded;
            ASSERT_EQ(grafik->GraphCount(), loaded);
            const orv::GraphSlot &graph = grafik->Graph(loaded);
            EXPECT_EQ(graph.count, static_cast<int>(values.size())) << axis.key << slot;
            EXPECT_DOUBLE_EQ(graph.minimum, *std::min_element(values.begin(), values.end())) << axis.key << slot;
            EXPECT_DOUBLE_EQ(graph.maximum, *std::max_element(values.begin(), values.end())) << axis.key << slot;
            EXPECT_EQ(graph.unit, QString::fromUtf8(axis.unit)) << axis.key << slot;
        }
    }
}
