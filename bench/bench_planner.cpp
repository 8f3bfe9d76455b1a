// The night planner's chart with the Sun, the Moon, every planet and both
// tours on: two 100-line tours (deep-sky objects and stars in catalogue
// order) resolved through the finder over the shipped sky, twilight, mist
// and the click readout drawn. A repaint of the night shown, and the first
// render of a new night (the chart date a day on each time): the Sun's
// twilight crossings, every body followed through the night and the tour
// lines resolved again. The repaint is timed after a first render, so the
// tours' resolving is never part of its figure.
#include "ShippedSky.h"

#include "find/panels/TonightView.h"
#include "find/tours/TourFinderLink.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

constexpr int kTourLines = 100;

// A tour file of the first names a catalogue holds, in its order.
template <class Record>
QString tourOf(std::span<const Record> records, QString (*nameOf)(const Record&))
{
    QString text;
    int lines = 0;
    for (const Record& r : records) {
        const QString name = nameOf(r);
        if (name.isEmpty())
            continue;
        text += name + QLatin1Char('\n');
        if (++lines == kTourLines)
            break;
    }
    return text;
}

struct Planner : ShippedFinder {
    Planner()
        : tours(finder, sky, prefs, {}),
          view({prefs, tours, [this] { return chartDate; },
                [this] { return nextTour; }, [] { return 0.5; }})
    {
        prefs.setLatitude(45.0);
        const auto deepSkyName = [](const deepSky& d) { return QString::fromLatin1(d.ngc).trimmed(); };
        const auto starName = [](const star& s) { return QString::fromLatin1(s.name).trimmed(); };
        openTour(1, tourOf<deepSky>(sky.deepSkyData(), deepSkyName));
        openTour(2, tourOf<star>(sky.stars(), starName));
        for (int tag = TonightView::kSunTag; tag <= TonightView::kMoonTag; ++tag)
            view.tonightAction(tag, true);
        view.tonightAction(TonightView::kMistTag, true);
        view.tonightDate();
        view.clickAt({1250, 210});
    }
    void openTour(int n, const QString& text)
    {
        nextTour = misc.filePath(QStringLiteral("Tour%1.txt").arg(n));
        QFile file(nextTour);
        if (!file.open(QIODevice::WriteOnly))
            fail("The tour files cannot be written.");
        file.write(text.toLatin1());
        file.close();
        view.tonightAction(n == 1 ? TonightView::kTour1Tag : TonightView::kTour2Tag, true);
    }

    TourFinderLink tours;
    QDateTime chartDate{QDate(2026, 8, 12), QTime(22, 0)};
    QString nextTour;
    TonightView view;
};

void BM_PlannerRender(benchmark::State& state)
{
    Planner planner;
    QImage image(TonightView::kWidth, TonightView::kHeight, QImage::Format_ARGB32_Premultiplied);
    int found = 0;
    for (const QString& line : {QStringLiteral("Tour1.txt"), QStringLiteral("Tour2.txt")}) {
        QFile file(planner.misc.filePath(line));
        file.open(QIODevice::ReadOnly);
        for (const QByteArray& name : file.readAll().split('\n'))
            found += !name.isEmpty() && planner.finder.findVoiceName(QString::fromLatin1(name)) == findResultFound;
    }
    // The night's first render resolves the tours; the repaints after it are timed.
    {
        QPainter painter(&image);
        planner.view.drawChart(painter);
    }
    for (auto _ : state) {
        QPainter painter(&image);
        planner.view.drawChart(painter);
    }
    state.counters["tour objects found"] = found;
    state.counters["labels drawn"] = double(planner.view.placedLabels().size());
    state.counters["bodies"] = TonightView::kMoonTag + 1;
}
BENCHMARK(BM_PlannerRender)->Unit(benchmark::kMillisecond);

void BM_PlannerNewNight(benchmark::State& state)
{
    Planner planner;
    QImage image(TonightView::kWidth, TonightView::kHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        planner.chartDate = planner.chartDate.addDays(1);
        planner.view.tonightDate();
        QPainter painter(&image);
        planner.view.drawChart(painter);
    }
    state.counters["bodies"] = TonightView::kMoonTag + 1;
}
BENCHMARK(BM_PlannerNewNight)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
