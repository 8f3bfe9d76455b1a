// The Setup tab's city tables: building one from its source text (parse,
// check, atomic write of the binary table) against loading it from the
// binary table, for the two shipped lists and a synthetic 25,000-city list.
#include "BenchMain.h"

#include "platform/DataPaths.h"
#include "prefs/CityTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kSyntheticCities = 25000;

QByteArray syntheticText()
{
    QByteArray text = QByteArray::number(kSyntheticCities) + "\tsynthetic cities\n";
    for (int i = 0; i < kSyntheticCities; ++i) {
        // Mac OS Roman 0x9F, u-umlaut, in every name.
        text +=
            "Z\x9F"
            "richberg ";
        text += QString("%1, XX\t%2\t%3\t%4\t%5\t%6\t%7\t%8\n")
                    .arg(i)
                    .arg(i % 90)
                    .arg(i % 60)
                    .arg(i % 2 ? "S" : "N")
                    .arg(i % 180)
                    .arg((i / 7) % 60)
                    .arg(i % 3 ? "W" : "E")
                    .arg(double(i % 27 - 12) / 2.0)
                    .toLatin1();
    }
    return text;
}

QByteArray sourceText(int which)
{
    if (which == 2)
        return syntheticText();
    QFile file(DataPaths::bundleDataFolder() +
               (which == 0 ? "/Build Data/BuildUSCity.txt" : "/Build Data/BuildWorldCity.txt"));
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

const char* label(int which)
{
    return which == 0 ? "shipped US" : which == 1 ? "shipped world" : "synthetic 25000";
}

// A folder holding one source text and the binary table built from it.
class CityFolder {
public:
    explicit CityFolder(int which)
    {
        QFile text(textPath());
        if (!text.open(QIODevice::WriteOnly) || text.write(sourceText(which)) < 0)
            std::abort();
        text.close();
        CityTable table = this->table();
        if (!table.rebuild() || table.size() < 1000)
            std::abort();
    }

    CityTable table() const { return CityTable({m_dir.path() + "/City.tvk", textPath(), "Startup Error"}); }

private:
    QString textPath() const { return m_dir.path() + "/BuildCity.txt"; }

    QTemporaryDir m_dir;
};

void BM_BuildCitiesFromText(benchmark::State& state)
{
    const CityFolder folder(int(state.range(0)));
    std::size_t cities = 0;
    for (auto _ : state) {
        CityTable table = folder.table();
        if (!table.rebuild())
            state.SkipWithError("build failed");
        cities = table.size();
    }
    state.SetLabel(label(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * std::int64_t(cities));
}
BENCHMARK(BM_BuildCitiesFromText)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_LoadCitiesFromBinary(benchmark::State& state)
{
    const CityFolder folder(int(state.range(0)));
    std::size_t cities = 0;
    for (auto _ : state) {
        CityTable table = folder.table();
        table.create();
        cities = table.size();
        if (cities == 0)
            state.SkipWithError("load failed");
    }
    state.SetLabel(label(int(state.range(0))));
    state.SetItemsProcessed(state.iterations() * std::int64_t(cities));
}
BENCHMARK(BM_LoadCitiesFromBinary)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    // The shipped data folder is found beside the program.
    QCoreApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
