// Loading the star table from its cache, and building it from its source
// text, at the largest size the object indexes allow (99,999 stars).
#include "model/catalogue/StarTableBuilder.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kStars = 99999;

QByteArray starText()
{
    static const char* const spectra[] = {"B8", "G2", "K5", "M1", "A0", "F5"};
    QByteArray text = QByteArray::number(kStars) + "\tstars\n";
    for (int i = 0; i < kStars; ++i) {
        text += QString("%1\tAlp %2\tStar %3\t%4\t%5\t%6\t%7\t%8\t%9\t%10\n")
                    .arg(100000 + i)
                    .arg(i % 89)
                    .arg(i % 1000)
                    .arg(1.0 + (i % 80) / 10.0, 0, 'f', 2)
                    .arg(spectra[i % 6])
                    .arg(i % 14)
                    .arg(i * 0.0036, 0, 'f', 4)
                    .arg(-89.0 + i * 0.00178, 0, 'f', 4)
                    .arg(i % 200 - 100)
                    .arg(i % 150 - 75)
                    .toLatin1();
    }
    return text;
}

// A data folder holding "BuildStar.txt" and the "Stars.tvk" built from it.
class StarFolder {
public:
    StarFolder()
    {
        QFile source(m_dir.path() + "/BuildStar.txt");
        if (!source.open(QIODevice::WriteOnly) || source.write(starText()) < 0)
            std::abort();
        source.close();
        std::vector<star> stars;
        if (table().build(stars) || stars.size() != std::size_t(kStars))
            std::abort();
    }

    CachedTable<star> table() const
    {
        return StarTableBuilder::table(m_dir.path() + "/", m_dir.path() + "/");
    }

private:
    QTemporaryDir m_dir;
};

void BM_LoadStars(benchmark::State& state)
{
    const StarFolder folder;
    const CachedTable<star> table = folder.table();
    for (auto _ : state) {
        std::vector<star> stars;
        if (table.load(stars))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(stars.data());
    }
    state.SetItemsProcessed(state.iterations() * kStars);
}
BENCHMARK(BM_LoadStars)->Unit(benchmark::kMillisecond);

void BM_BuildStars(benchmark::State& state)
{
    const StarFolder folder;
    const CachedTable<star> table = folder.table();
    for (auto _ : state) {
        std::vector<star> stars;
        if (table.build(stars))
            state.SkipWithError("build failed");
        benchmark::DoNotOptimize(stars.data());
    }
    state.SetItemsProcessed(state.iterations() * kStars);
}
BENCHMARK(BM_BuildStars)->Unit(benchmark::kMillisecond);

}  // namespace
