#include "platform/DisplayGamma.h"

#include "platform/X11DisplayGamma.h"

#include <QCoreApplication>
#include <QVariant>

#include <algorithm>
#include <cmath>

namespace {

constexpr GammaFormula kIdentityFormula = {0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f, 1.0f};

class NoDisplayGamma final : public DisplayGamma {
public:
    quint32 displayID() const override { return 0; }
    GammaFormula defaultFormula() const override { return kIdentityFormula; }
    bool setFormula(const GammaFormula&) override { return false; }
    bool restoreDefault() override { return false; }
};

}  // namespace

std::unique_ptr<DisplayGamma> DisplayGamma::create()
{
    // The platform name is a property of the GUI application; a core
    // application (tools, tests) has none and gets the no-op.
    const QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr && app->property("platformName").toString() == QLatin1String("xcb"))
        return openX11({});
    return std::make_unique<NoDisplayGamma>();
}

std::unique_ptr<DisplayGamma> DisplayGamma::openX11(const QByteArray& displayName)
{
    if (auto x11 = X11DisplayGamma::open(displayName, X11DisplayGamma::Watch::Yes))
        return x11;
    return std::make_unique<NoDisplayGamma>();
}

std::vector<quint16> DisplayGamma::rampFromFormula(float minimum, float maximum, float gamma, int size)
{
    std::vector<quint16> ramp(std::size_t(std::max(size, 0)));
    for (int i = 0; i < size; ++i) {
        const double x = size > 1 ? double(i) / (size - 1) : 1.0;
        const double level = minimum + (maximum - minimum) * std::pow(x, double(gamma));
        ramp[std::size_t(i)] = quint16(std::lround(std::clamp(level, 0.0, 1.0) * 65535.0));
    }
    return ramp;
}

std::array<float, 3> DisplayGamma::formulaFromRamp(const quint16* ramp, int size)
{
    if (ramp == nullptr || size < 3)
        return {0.0f, 1.0f, 1.0f};
    const double minimum = ramp[0] / 65535.0;
    const double maximum = ramp[size - 1] / 65535.0;
    if (maximum <= minimum)
        return {0.0f, 1.0f, 1.0f};
    // The gamma from the middle of the ramp, where a power curve is best resolved.
    const int mid = size / 2;
    const double x = double(mid) / (size - 1);
    const double y = (ramp[mid] / 65535.0 - minimum) / (maximum - minimum);
    double gamma = 1.0;
    if (y > 0.0 && y < 1.0)
        gamma = std::log(y) / std::log(x);
    return {float(minimum), float(maximum), float(gamma)};
}
