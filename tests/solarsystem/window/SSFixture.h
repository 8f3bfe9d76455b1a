#pragma once

#include "model/ObjectIndex.h"
#include "model/PrefFixture.h"
#include "model/SkyDateModel.h"
#include "solarsystem/window/SSBodies.h"
#include "solarsystem/window/SSView.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTimeZone>

#include <array>
#include <memory>
#include <vector>

// Plot longitudes, orbits and names set by the test; recomputations recorded.
struct FakeBodies final : SSBodies {
    double planetPlotL(int k) const override { return k >= 0 && k < 9 ? plotL[std::size_t(k)] : 0.0; }
    void calculatePlanetPositions(double days) override { recomputes.push_back(days); }
    std::optional<OrbitPlot> smallBodyOrbit(int kind, double, int record) override
    {
        asked.push_back({kind, record});
        return orbit;
    }
    std::optional<QString> smallBodyName(int kind, int record) const override
    {
        const int count = kind == kSmallBodyComets ? comets : minorPlanets;
        if (record < 0 || record >= count)
            return std::nullopt;
        return QString("Body %1").arg(record);
    }

    std::array<double, 9> plotL{};
    std::optional<OrbitPlot> orbit;
    int comets = 1;
    int minorPlanets = 1;
    std::vector<double> recomputes;
    std::vector<std::pair<int, int>> asked;
};

// Settings on a temporary file and a sky date of 2026 March 20, 12h UT.
class SSFixture : public PrefFixture {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        prefs = &launch();
        skyDate = std::make_unique<SkyDateModel>(*prefs);
        skyDate->calculateDate(QDateTime(QDate(2026, 3, 20), QTime(12, 0), QTimeZone::utc()), 0.0);
    }

    // The view painted whole into an image of its size.
    static QImage render(QWidget& view)
    {
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::magenta);
        view.render(&image);
        return image;
    }
    // The colour at a view point (y upward) of a rendered image.
    static QColor at(const QImage& image, double x, double y)
    {
        return image.pixelColor(int(x), image.height() - 1 - int(y));
    }
    // The brightest pixel within `radius` of the view point.
    static QColor brightest(const QImage& image, double x, double y, int radius = 1)
    {
        QColor best(Qt::black);
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                if (at(image, x + dx, y + dy).lightness() > best.lightness())
                    best = at(image, x + dx, y + dy);
        return best;
    }
    static bool anyLight(const QImage& image, double x, double y, int radius)
    {
        return brightest(image, x, y, radius).lightness() > 40;
    }

    PrefControl* prefs = nullptr;
    std::unique_ptr<SkyDateModel> skyDate;
    FakeBodies bodies;
    QTemporaryDir noImages;
};
