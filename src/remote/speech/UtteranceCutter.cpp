#include "remote/speech/UtteranceCutter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFramesToStart = 3;       // 30 ms above the threshold
constexpr int kFramesToEnd = 50;        // a 0.5 s pause
constexpr size_t kFramesBefore = 30;    // 0.3 s kept ahead of speech
constexpr size_t kMaxFrames = 600;      // 6 s: longer than any command
constexpr double kSpeechRatio = 4.0;    // louder than the room by this much
constexpr double kQuietestLevel = 30.0; // a digital silence still needs a voice
constexpr double kNoiseFollow = 0.05;   // how fast the room's level is learnt

double level(const qint16* frame, size_t length)
{
    double sum = 0.0;
    for (size_t i = 0; i < length; ++i)
        sum += double(frame[i]) * double(frame[i]);
    return std::sqrt(sum / double(length));
}

}  // namespace

UtteranceCutter::UtteranceCutter(int sampleRate) : m_frameLength(size_t(std::max(sampleRate / 100, 1)))
{
}

std::vector<std::vector<qint16>> UtteranceCutter::feed(const qint16* samples, size_t count)
{
    std::vector<std::vector<qint16>> done;
    m_partial.insert(m_partial.end(), samples, samples + count);
    size_t used = 0;
    while (m_partial.size() - used >= m_frameLength) {
        takeFrame(m_partial.data() + used, done);
        used += m_frameLength;
    }
    m_partial.erase(m_partial.begin(), m_partial.begin() + qsizetype(used));
    return done;
}

void UtteranceCutter::takeFrame(const qint16* frame, std::vector<std::vector<qint16>>& done)
{
    const double loudness = level(frame, m_frameLength);
    if (m_noise < 0.0)
        m_noise = loudness;
    const bool loud = loudness > std::max(m_noise * kSpeechRatio, kQuietestLevel);
    if (!m_inSpeech) {
        m_loudFrames = loud ? m_loudFrames + 1 : 0;
        if (!loud)
            m_noise += (loudness - m_noise) * kNoiseFollow;
        m_before.emplace_back(frame, frame + m_frameLength);
        if (m_loudFrames < kFramesToStart) {
            if (m_before.size() > kFramesBefore + kFramesToStart)
                m_before.pop_front();
            return;
        }
        m_inSpeech = true;
        m_quietFrames = 0;
        m_utterance.clear();
        for (const std::vector<qint16>& kept : m_before)
            m_utterance.insert(m_utterance.end(), kept.begin(), kept.end());
        m_before.clear();
        return;
    }
    m_utterance.insert(m_utterance.end(), frame, frame + m_frameLength);
    m_quietFrames = loud ? 0 : m_quietFrames + 1;
    if (m_utterance.size() > kMaxFrames * m_frameLength) {
        // No command lasts this long: the room itself got louder.
        m_inSpeech = false;
        m_utterance.clear();
        m_loudFrames = 0;
        m_noise = loudness;
        return;
    }
    if (m_quietFrames >= kFramesToEnd) {
        m_inSpeech = false;
        m_loudFrames = 0;
        done.push_back(std::move(m_utterance));
        m_utterance = {};
    }
}
