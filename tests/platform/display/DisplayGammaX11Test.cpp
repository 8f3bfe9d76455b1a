#include "platform/DisplayGamma.h"
#include "platform/GammaRestoreWatcher.h"
#include "platform/X11DisplayGamma.h"

#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr GammaFormula kNightVision = {0.0f, 0.6f, 0.72f, 0.0f, 0.0f, 0.71f, 0.0f, 0.0f, 0.78f};

// Reads the red ramp of every output, on the test's own connection; with
// `baseline` it first gives every output a plain gamma 1.6 curve, since a
// virtual X server starts with undefined ramps.
std::vector<std::vector<unsigned short>> readRedRamps(Display* display, bool baseline = false)
{
    std::vector<std::vector<unsigned short>> ramps;
    if (XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display))) {
        for (int i = 0; i < resources->ncrtc; ++i) {
            const int size = XRRGetCrtcGammaSize(display, resources->crtcs[i]);
            if (size <= 0)
                continue;
            if (baseline) {
                XRRCrtcGamma* curve = XRRAllocGamma(size);
                const auto levels = DisplayGamma::rampFromFormula(0.0f, 1.0f, 1.6f, size);
                for (int k = 0; k < size; ++k)
                    curve->red[k] = curve->green[k] = curve->blue[k] = levels[std::size_t(k)];
                XRRSetCrtcGamma(display, resources->crtcs[i], curve);
                XRRFreeGamma(curve);
                XSync(display, False);
            }
            if (XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, resources->crtcs[i])) {
                ramps.emplace_back(gamma->red, gamma->red + gamma->size);
                XRRFreeGamma(gamma);
            }
        }
        XRRFreeScreenResources(resources);
    }
    return ramps;
}

class DisplayGammaX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "No X display (DISPLAY is unset): run the display tests under xvfb-run.";
        if (!X11DisplayGamma::open({}))
            GTEST_SKIP() << "The X display has no RandR output whose gamma can be set.";
        // Held for the whole test: an X server that loses its last client
        // resets, and its gamma with it.
        // A busy server may turn a connection away for a moment.
        ASSERT_TRUE(QTest::qWaitFor([&] { return (m_display = XOpenDisplay(nullptr)) != nullptr; }, 10000));
        m_original = readRedRamps(m_display, true);
    }

    void TearDown() override
    {
        if (m_display != nullptr)
            XCloseDisplay(m_display);
    }

    std::vector<std::vector<unsigned short>> redRamps() const { return readRedRamps(m_display); }

    Display* m_display = nullptr;
    std::vector<std::vector<unsigned short>> m_original;
};

TEST_F(DisplayGammaX11Test, NightVisionFormulaReachesTheDisplayAndIsUndone)
{
    auto gamma = DisplayGamma::openX11({});
    ASSERT_NE(gamma->displayID(), 0u);
    ASSERT_TRUE(gamma->setFormula(kNightVision));
    const auto dimmed = redRamps();
    ASSERT_FALSE(dimmed.empty());
    const auto expected = DisplayGamma::rampFromFormula(0.0f, 0.6f, 0.72f, int(dimmed[0].size()));
    EXPECT_TRUE(std::equal(dimmed[0].begin(), dimmed[0].end(), expected.begin()));
    const GammaFormula found = gamma->defaultFormula();
    EXPECT_NEAR(found[1], 1.0f, 1e-4);
    EXPECT_NEAR(found[2], 1.6f, 2e-2);

    ASSERT_TRUE(gamma->restoreDefault());
    EXPECT_EQ(redRamps(), m_original);

    // Closing puts the ramps back too.
    ASSERT_TRUE(gamma->setFormula(kNightVision));
    gamma.reset();
    EXPECT_EQ(redRamps(), m_original);
}

// A process that dims the display through the program's own path and then
// dies: by abort(), by SIGKILL (which no handler sees) or by an exit that
// skips every destructor.
void dimAndDie(int signal)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        auto gamma = DisplayGamma::openX11({});
        if (!gamma->setFormula(kNightVision))
            _exit(3);
        if (signal != 0)
            raise(signal);
        std::exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (signal != 0) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}

TEST_F(DisplayGammaX11Test, AProcessThatDiesDimmedHasItsRampsPutBackByTheWatcher)
{
    ASSERT_TRUE(QFileInfo(GammaRestoreWatcher::helperPath()).isExecutable());
    for (const int signal : {SIGABRT, SIGKILL, 0}) {
        dimAndDie(signal);
        // The watcher restores once it sees the socket close; give it time.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (redRamps() != m_original && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(redRamps(), m_original) << "signal " << signal;
    }
}

}  // namespace
