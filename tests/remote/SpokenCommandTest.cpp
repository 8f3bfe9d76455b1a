#include "remote/speech/PhraseDecoder.h"
#include "remote/speech/UtteranceCutter.h"
#include "remote/speech/VoiceCommands.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

// A phrase spoken by espeak-ng: its 16-bit mono samples and their rate,
// with half a second of quiet each side as a microphone would give.
struct Spoken {
    std::vector<qint16> samples;
    int rate = 0;
};

std::optional<Spoken> speak(const QString& text, const QString& voice)
{
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), voice, QStringLiteral("--stdout"), text});
    if (!espeak.waitForFinished(30000) || espeak.exitCode() != 0)
        return std::nullopt;
    const QByteArray wav = espeak.readAllStandardOutput();
    if (wav.size() < 44 || !wav.startsWith("RIFF"))
        return std::nullopt;
    Spoken spoken;
    spoken.rate = qFromLittleEndian<qint32>(wav.constData() + 24);
    // The stream's length fields are unknown when written to a pipe: the
    // samples are whatever follows the "data" header.
    const qsizetype data = wav.indexOf("data", 12);
    if (data < 0)
        return std::nullopt;
    const qsizetype start = data + 8;
    const size_t count = size_t(wav.size() - start) / 2;
    const size_t quiet = size_t(spoken.rate / 2);
    std::mt19937 noise(7);
    std::uniform_int_distribution<int> hiss(-3, 3);
    for (size_t i = 0; i < quiet; ++i)
        spoken.samples.push_back(qint16(hiss(noise)));
    for (size_t i = 0; i < count; ++i)
        spoken.samples.push_back(qFromLittleEndian<qint16>(wav.constData() + start + qsizetype(2 * i)));
    for (size_t i = 0; i < quiet; ++i)
        spoken.samples.push_back(qint16(hiss(noise)));
    return spoken;
}

bool canSynthesise()
{
    return !QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty() &&
           QDir(PhraseDecoder::modelFolder()).exists();
}

}  // namespace

// A misheard phrase must come back as nothing, never as another command:
// each command spoken in two voices, with the rate heard reported.
TEST(PhraseDecoderTest, SpokenCommandsNeverComeBackAsAnotherCommand)
{
    if (!canSynthesise())
        GTEST_SKIP() << "espeak-ng or the PocketSphinx English model is not installed";
    const QStringList commands = VoiceCommands::commands();
    std::optional<PhraseDecoder> decoder;
    int rate = 0;
    int heard = 0;
    int spokenCount = 0;
    for (const QString& command : commands) {
        int heardThis = 0;
        for (const QString& voice : {QStringLiteral("en-us"), QStringLiteral("en-us+f3")}) {
            const std::optional<Spoken> spoken = speak(command, voice);
            ASSERT_TRUE(spoken) << command.toStdString();
            if (!decoder) {
                rate = spoken->rate;
                decoder.emplace(commands, rate);
                ASSERT_TRUE(decoder->isReady());
            }
            ASSERT_EQ(spoken->rate, rate);
            const std::optional<QString> result = decoder->decode(spoken->samples);
            ++spokenCount;
            if (!result)
                continue;
            EXPECT_EQ(*result, command) << voice.toStdString();
            if (*result == command)
                ++heardThis;
        }
        heard += heardThis;
        std::printf("  %-30s heard %d of 2\n", qPrintable(command), heardThis);
    }
    std::printf("  recognised %d of %d spoken commands\n", heard, spokenCount);
}

TEST(PhraseDecoderTest, NothingToDecodeGivesNothing)
{
    if (!QDir(PhraseDecoder::modelFolder()).exists())
        GTEST_SKIP() << "the PocketSphinx English model is not installed";
    PhraseDecoder decoder(VoiceCommands::commands(), 16000);
    ASSERT_TRUE(decoder.isReady());
    EXPECT_FALSE(decoder.decode({}));
    EXPECT_FALSE(decoder.decode(std::vector<qint16>(16000, 0)));
    // A word the dictionary lacks leaves the decoder unusable, not wrong.
    EXPECT_FALSE(PhraseDecoder({QStringLiteral("Track xqzzyv")}, 16000).isReady());
}

namespace {

std::vector<qint16> hum(size_t count, double amplitude, std::mt19937& random)
{
    std::normal_distribution<double> noise(0.0, amplitude);
    std::vector<qint16> samples(count);
    for (qint16& sample : samples)
        sample = qint16(std::clamp(noise(random), -32000.0, 32000.0));
    return samples;
}

std::vector<qint16> tone(size_t count, double amplitude)
{
    std::vector<qint16> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = qint16(amplitude * std::sin(double(i) * 0.2));
    return samples;
}

}  // namespace

TEST(UtteranceCutterTest, CutsSpeechOutOfTheRoomsNoiseWithTheQuietBeforeIt)
{
    std::mt19937 random(3);
    UtteranceCutter cutter(16000);
    std::vector<std::vector<qint16>> done;
    const auto feed = [&](const std::vector<qint16>& samples) {
        // In uneven pieces, as a sound card delivers them.
        for (size_t at = 0; at < samples.size(); at += 333) {
            auto cut = cutter.feed(samples.data() + at, std::min<size_t>(333, samples.size() - at));
            done.insert(done.end(), cut.begin(), cut.end());
        }
    };
    feed(hum(16000, 50.0, random));
    EXPECT_TRUE(done.empty());
    feed(tone(12000, 3000.0));  // 0.75 s of voice
    EXPECT_TRUE(done.empty()) << "still waiting for the pause";
    feed(hum(16000, 50.0, random));
    ASSERT_EQ(done.size(), 1u);
    // The voice, 0.3 s of the quiet before it and the 0.5 s pause after.
    EXPECT_NEAR(double(done[0].size()), 12000 + 4800 + 8000, 480);

    // A sound louder than any command is dropped, and the room's new level
    // learnt, so a later command is still cut out.
    done.clear();
    feed(tone(16000 * 8, 3000.0));
    EXPECT_TRUE(done.empty());
    feed(tone(16000, 3000.0));
    feed(tone(12000, 30000.0));
    feed(tone(16000, 3000.0));
    EXPECT_EQ(done.size(), 1u);
}
