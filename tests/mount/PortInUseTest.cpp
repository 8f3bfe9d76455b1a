#include "mount/MountFixture.h"
#include "mount/dome/DDWControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/dome/FakeDomeMount.h"
#include "support/OtherProgramsLock.h"

#include <gtest/gtest.h>

// A search whose only port another program holds: the user reads that the
// port is in use, not that the device was silent on it.
class PortInUseTest : public MountFixture {
public:
    // Each runs its family's search to its end; what the user reads of its failure.
    QString domeBoardFailure()
    {
        DomeControl dome(*serial, domeMount, DebugWriter{}, kTiming);
        if (!dome.domeConnect())
            return QStringLiteral("no search");
        domeMount.settle();
        return dome.connectFailure();
    }
    QString ddwFailure()
    {
        DDWControl ddw(*serial, domeMount, DebugWriter{}, kTiming);
        if (!ddw.ddwConnect())
            return QStringLiteral("no search");
        domeMount.settle();
        return ddw.connectFailure();
    }
    QString mountFailure()
    {
        prefs->scopes()[0].mountProtocol = kProtocolLX200;
        if (connectSlot0() || alerts.alerts.size() != 1)
            return QStringLiteral("no single alert");
        EXPECT_EQ(alerts.alerts[0].title, "Could not connect to telescope:");
        // The telescope's name, and under it why.
        const QStringList lines = alerts.alerts[0].message.split('\n');
        EXPECT_EQ(lines.value(0), prefs->scopeNamesArray().value(0));
        return lines.mid(1).join('\n');
    }

protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        domeMount.onWorker = true;
    }

    inline static const ScopeThreadTiming kTiming{std::chrono::microseconds(1000), {}};
    FakeDomeMount domeMount;
};

struct SearchingFamily {
    const char* name;
    QString (PortInUseTest::*failure)();
};

class PortInUse : public PortInUseTest, public ::testing::WithParamInterface<SearchingFamily> {};

TEST_P(PortInUse, TheOnlyPortHeldByAnotherProgramIsSaidToBeInUse)
{
    PtyDevice held;
    held.start();
    serial->setExtraPorts({held.path()});
    serial->getPortNames();
    const OtherProgramsLock lock(held);
    ASSERT_TRUE(lock.holds());
    EXPECT_EQ((this->*GetParam().failure)(), held.path().mid(5) + " is in use by another program.");
    EXPECT_EQ(held.simulator().received(), "") << "a held port is never asked";
}

INSTANTIATE_TEST_SUITE_P(Searches, PortInUse,
                         ::testing::Values(SearchingFamily{"DomeBoard", &PortInUseTest::domeBoardFailure},
                                           SearchingFamily{"DDW", &PortInUseTest::ddwFailure},
                                           SearchingFamily{"Mount", &PortInUseTest::mountFailure}),
                         [](const ::testing::TestParamInfo<SearchingFamily>& info) { return info.param.name; });
