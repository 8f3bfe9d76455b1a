#pragma once

#include "app/MountSessionFixture.h"
#include "model/Angles.h"

#include <QByteArrayList>

#include <cmath>
#include <functional>
#include <vector>

inline constexpr double kHour = 15.0 * Angles::kDegToRad;
inline constexpr double kPollTolerance = 1e-3;  // radians: finer than any family's replies drop

// The frames of `sent` from index `from` on that `keep` keeps.
inline QByteArrayList framesSince(const std::vector<QByteArray>& sent, size_t from,
                                  const std::function<bool(const QByteArray&)>& keep)
{
    QByteArrayList kept;
    for (size_t i = from; i < sent.size(); ++i) {
        if (keep(sent[i]))
            kept.append(sent[i]);
    }
    return kept;
}

// Each family's session as the program assembles it, from the Connect menu
// and the family's hand panel, against a simulator written from the
// family's protocol: connect → site and time → goto → polls → stops from
// the panel → sync → park, where the family has each.
class FamilySessionTest : public MountSessionFixture {
protected:
    using Frames = std::function<std::vector<QByteArray>()>;
    using Keep = std::function<bool(const QByteArray&)>;

    // Polls until the program's position is the mount's.
    bool pollsReach(const std::function<double()>& ra, const std::function<double()>& dec)
    {
        return QTest::qWaitFor(
            [&] {
                return std::abs(scope().status().scopeRA - ra()) < kPollTolerance
                       && std::abs(scope().status().scopeDec - dec()) < kPollTolerance;
            },
            kSessionWaitMs);
    }
    // What the mount receives, of what `keep` keeps, from one use of the
    // program: waits for `count` such frames.
    static QByteArrayList sentBy(const Frames& sent, const Keep& keep, const std::function<void()>& use,
                                 qsizetype count)
    {
        const size_t before = sent().size();
        use();
        EXPECT_TRUE(QTest::qWaitFor([&] { return framesSince(sent(), before, keep).size() >= count; },
                                    kSessionWaitMs));
        return framesSince(sent(), before, keep);
    }
    // What the mount receives of what `keep` keeps in the next second and a
    // half: nothing, once a stop has stopped. Waiting the span out is the check.
    static QByteArrayList sentInAWhile(const Frames& sent, const Keep& keep)
    {
        const size_t before = sent().size();
        QTest::qWait(1500);
        return framesSince(sent(), before, keep);
    }
};
