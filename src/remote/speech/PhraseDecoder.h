#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

struct ps_decoder_s;

// Turns one spoken utterance into one of a fixed list of commands, or into
// nothing. A decoder restricted to the commands always answers with its
// nearest one, so the same sound is also decoded as free phones and the
// command is taken only when its pronunciation is the nearest to those
// phones as well: two readings must agree, so a misheard phrase is dropped
// rather than run as another command.
class PhraseDecoder {
public:
    // Loads the English acoustic model and dictionary; `sampleRate` is the
    // rate of the samples `decode` will be given.
    PhraseDecoder(const QStringList& commands, int sampleRate);
    ~PhraseDecoder();
    PhraseDecoder(const PhraseDecoder&) = delete;
    PhraseDecoder& operator=(const PhraseDecoder&) = delete;

    // False when the model is not installed or a command has a word the
    // dictionary lacks.
    bool isReady() const { return m_decoder != nullptr; }
    // The command heard in `samples` (16-bit mono, a whole utterance), as
    // given to the constructor; nothing when the two readings disagree.
    std::optional<QString> decode(const std::vector<qint16>& samples);

    // Where the model is looked for.
    static QString modelFolder();

private:
    // The hypothesis of the named search over the whole utterance.
    QString run(const char* search, const std::vector<qint16>& samples);

    QStringList m_commands;
    QStringList m_grammarTexts;  // per command, as the grammar spells it
    std::vector<QStringList> m_pronunciations;  // per command, its phones
    ps_decoder_s* m_decoder = nullptr;
    struct ConfigFree {
        void operator()(void* config) const;
    };
    std::unique_ptr<void, ConfigFree> m_config;
};
