#include "remote/speech/PhraseDecoder.h"

#include <pocketsphinx.h>

#include <QFileInfo>

#include <algorithm>

namespace {

const char kCommandSearch[] = "commands";
const char kPhoneSearch[] = "phones";
// Marks the dictionary entries of the free-phone reading.
const QString kPhonePrefix = QStringLiteral("ph_");

const char* const kPhones[] = {"AA", "AE", "AH", "AO", "AW", "AY", "B",  "CH", "D",  "DH",
                               "EH", "ER", "EY", "F",  "G",  "HH", "IH", "IY", "JH", "K",
                               "L",  "M",  "N",  "NG", "OW", "OY", "P",  "R",  "S",  "SH",
                               "T",  "TH", "UH", "UW", "V",  "W",  "Y",  "Z",  "ZH"};

QString phoneWord(const char* phone)
{
    return kPhonePrefix + QString::fromLatin1(phone).toLower();
}

int editDistance(const QStringList& a, const QStringList& b)
{
    std::vector<int> row(size_t(b.size()) + 1);
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j - 1)] + 1,
                                       diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

}  // namespace

void PhraseDecoder::ConfigFree::operator()(void* config) const
{
    cmd_ln_free_r(static_cast<cmd_ln_t*>(config));
}

QString PhraseDecoder::modelFolder()
{
    return QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
}

PhraseDecoder::PhraseDecoder(const QStringList& commands, int sampleRate) : m_commands(commands)
{
    const QString folder = modelFolder();
    const QByteArray hmm = (folder + QStringLiteral("en-us")).toLocal8Bit();
    const QByteArray dict = (folder + QStringLiteral("cmudict-en-us.dict")).toLocal8Bit();
    if (!QFileInfo::exists(QString::fromLocal8Bit(hmm)) || !QFileInfo::exists(QString::fromLocal8Bit(dict)))
        return;
    const QByteArray rate = QByteArray::number(sampleRate);
    // Above 16 kHz the transform needs more points to keep the same filter bank.
    const QByteArray fft = sampleRate > 16000 ? QByteArrayLiteral("1024") : QByteArrayLiteral("512");
    m_config.reset(cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", hmm.constData(), "-dict", dict.constData(),
                               "-samprate", rate.constData(), "-nfft", fft.constData(), "-logfn", "/dev/null",
                               nullptr));
    if (!m_config)
        return;
    ps_decoder_t* decoder = ps_init(static_cast<cmd_ln_t*>(m_config.get()));
    if (!decoder)
        return;
    for (const char* phone : kPhones)
        ps_add_word(decoder, phoneWord(phone).toLatin1().constData(), phone, FALSE);

    for (const QString& command : commands) {
        const QString words = command.toLower();
        QStringList phones;
        for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            char* found = ps_lookup_word(decoder, word.toLatin1().constData());
            if (!found) {
                ps_free(decoder);
                return;
            }
            phones += QString::fromLatin1(found).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            ckd_free(found);
        }
        m_pronunciations.push_back(phones);
        m_grammarTexts += words;
    }
    QStringList phoneWords;
    for (const char* phone : kPhones)
        phoneWords += phoneWord(phone);
    const QByteArray commandGrammar = QStringLiteral("#JSGF V1.0;\ngrammar commands;\npublic <command> = %1;\n")
                                          .arg(m_grammarTexts.join(QStringLiteral(" | ")))
                                          .toLatin1();
    const QByteArray phoneGrammar = QStringLiteral("#JSGF V1.0;\ngrammar phones;\n<phone> = %1;\n"
                                                   "public <phones> = <phone>+;\n")
                                        .arg(phoneWords.join(QStringLiteral(" | ")))
                                        .toLatin1();
    if (ps_set_jsgf_string(decoder, kCommandSearch, commandGrammar.constData()) != 0 ||
        ps_set_jsgf_string(decoder, kPhoneSearch, phoneGrammar.constData()) != 0) {
        ps_free(decoder);
        return;
    }
    m_decoder = decoder;
}

PhraseDecoder::~PhraseDecoder()
{
    if (m_decoder)
        ps_free(m_decoder);
}

QString PhraseDecoder::run(const char* search, const std::vector<qint16>& samples)
{
    if (ps_set_search(m_decoder, search) != 0 || ps_start_utt(m_decoder) != 0)
        return {};
    ps_process_raw(m_decoder, samples.data(), samples.size(), FALSE, TRUE);
    ps_end_utt(m_decoder);
    qint32 score = 0;
    const char* hypothesis = ps_get_hyp(m_decoder, &score);
    return hypothesis ? QString::fromLatin1(hypothesis) : QString();
}

std::optional<QString> PhraseDecoder::decode(const std::vector<qint16>& samples)
{
    if (!m_decoder || samples.empty())
        return std::nullopt;
    const QString heard = run(kCommandSearch, samples).simplified();
    const qsizetype index = m_grammarTexts.indexOf(heard);
    if (index < 0)
        return std::nullopt;
    QStringList phones;
    for (const QString& word : run(kPhoneSearch, samples).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        phones += word.mid(kPhonePrefix.size()).toUpper();
    if (phones.isEmpty())
        return std::nullopt;
    // The phones must lie nearer to the heard command than to any other,
    // distances taken relative to each command's length.
    const auto relative = [&](size_t command) {
        return double(editDistance(phones, m_pronunciations[command])) / double(m_pronunciations[command].size());
    };
    const double own = relative(size_t(index));
    for (size_t other = 0; other < m_pronunciations.size(); ++other) {
        if (other != size_t(index) && relative(other) <= own)
            return std::nullopt;
    }
    return m_commands[index];
}
