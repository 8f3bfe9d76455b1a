#include "mount/ReplyCycles.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <vector>

namespace {

// A device whose reads give these chunks in turn ("" for nothing, "!" for
// an error), then nothing.
struct ScriptedReads {
    explicit ScriptedReads(std::vector<QByteArray> script) : chunks(std::move(script)) {}

    std::vector<QByteArray> chunks;
    std::size_t next = 0;

    ReadSome reader()
    {
        return [this](char* into, qsizetype most) -> qsizetype {
            const QByteArray chunk = next < chunks.size() ? chunks[next++] : QByteArray();
            if (chunk == "!")
                return -1;
            const qsizetype n = std::min(most, chunk.size());
            std::copy_n(chunk.constData(), n, into);
            return n;
        };
    }
};

CycleRules instant(CycleRules rules)
{
    rules.wait = std::chrono::microseconds(0);
    return rules;
}

std::vector<QByteArray> repeated(int count, const QByteArray& chunk)
{
    return std::vector<QByteArray>(std::size_t(count), chunk);
}

std::vector<QByteArray> operator+(std::vector<QByteArray> a, const std::vector<QByteArray>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

TEST(ReplyCyclesTest, EndsAsEachSlotsRulesSay)
{
    const CycleRules serial = instant(CycleRules::serial(std::chrono::microseconds(1)));
    const CycleRules dome = instant(CycleRules::dome());
    struct Case {
        const char* name;
        CycleRules rules;
        std::vector<QByteArray> chunks;
        qint32 result;
        qsizetype received;
    };
    const std::vector<Case> cases = {
        {"silence before the reply is waited out", serial, {"", "", "12", "34", ""}, 4, 4},
        {"a pause of four cycles is inside the reply", serial, {"12", "", "", "", "", "34"}, 4, 4},
        {"five quiet cycles end it", serial, {"12", "", "", "", "", "", "34"}, 2, 2},
        {"read error", serial, {"12", "!"}, kTransReadError, 2},
        {"never silent", serial, repeated(50, "x"), kTransTimeout, 40},
        {"the 40th cycle completes it, still late", serial, repeated(39, "") + repeated(1, "123"),
         kTransTimeout, 3},
        {"the 39th cycle's reply ends at the 40th", serial,
         repeated(38, "") + repeated(1, "123") + repeated(1, ""), kTransTimeout, 3},
        {"silence never ends a dome reply", dome, {"12", "", "", "34\r", "5", "6"}, 6, 6},
        {"dome CR ends the reply one cycle later", dome, {"OK\r", "", "x"}, 3, 3},
        {"dome without CR", dome, repeated(600, "1"), kTransTimeout, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReads device(c.chunks);
        ReplyBuffer reply{};
        const GatheredReply gathered = gatherReply(c.rules, device.reader(), reply);
        EXPECT_EQ(gathered.result, c.result);
        EXPECT_EQ(gathered.received, c.received);
    }
}

TEST(ReplyCyclesTest, AReplyThatKnowsItsEndReadsThroughPauses)
{
    const CycleRules serial = instant(CycleRules::serial(std::chrono::microseconds(1)));
    const struct {
        const char* name;
        ReplyEnd end;
        std::vector<QByteArray> chunks;
        qint32 result;
    } cases[] = {
        {"a pause mid-reply", ReplyEnd::terminator('#'), {"5.9", "", "", "", "#"}, 4},
        {"ends on its terminator, not on silence", ReplyEnd::terminator('#'), {"12#", "34#"}, 3},
        {"a fragment times out rather than passing", ReplyEnd::terminator('#'), {"02:4"}, kTransTimeout},
        {"a binary body holding the terminator", ReplyEnd::endingIn('#', 2), {"#", "", "#"}, 2},
        {"a known length through a pause", ReplyEnd::length(3), {"A", "", "BC"}, 3},
        {"holds its mark after a pause", ReplyEnd::holding("Ok", 6), {"Tes", "", "tOk", "\r\n"}, 6},
        {"without its mark, ended by the quiet", ReplyEnd::holding("Ok", 6), {"TestNo"}, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedReads device(c.chunks);
        ReplyBuffer reply{};
        EXPECT_EQ(gatherReply(serial, device.reader(), reply, c.end).result, c.result);
    }
}
