#pragma once

#include <QtGlobal>

#include <deque>
#include <vector>

// Cuts a microphone's stream into utterances by loudness: speech starts
// when a few frames in a row stand well above the room's noise level and
// ends after a pause, with a little of the quiet before kept so the first
// sound is whole. An utterance longer than any command is dropped.
class UtteranceCutter {
public:
    explicit UtteranceCutter(int sampleRate);

    // Takes the next samples; the utterances they completed, oldest first.
    std::vector<std::vector<qint16>> feed(const qint16* samples, size_t count);

private:
    void takeFrame(const qint16* frame, std::vector<std::vector<qint16>>& done);

    size_t m_frameLength;  // 10 ms
    std::vector<qint16> m_partial;
    std::deque<std::vector<qint16>> m_before;  // quiet frames kept ahead of speech
    std::vector<qint16> m_utterance;
    double m_noise = -1.0;  // the room's level, once known
    int m_loudFrames = 0;
    int m_quietFrames = 0;
    bool m_inSpeech = false;
};
