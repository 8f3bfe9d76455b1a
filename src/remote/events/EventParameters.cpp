#include "remote/events/EventParameters.h"

#include "platform/MacRoman.h"

#include <QByteArray>

#include <cmath>

namespace EventParameters {

namespace {

QString asText(const QVariant& value, qsizetype limit)
{
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray bytes = value.toByteArray();
        qsizetype end = bytes.indexOf('\0');
        if (end < 0)
            end = bytes.size();
        return MacRoman::decode(QByteArrayView(bytes).first(std::min(end, limit)));
    }
    const QString string = value.toString();
    qsizetype end = string.indexOf(QChar(u'\0'));
    if (end < 0)
        end = string.size();
    return string.first(std::min(end, limit));
}

}  // namespace

double number(const QVariantMap& parameters, const char* key)
{
    const auto it = parameters.constFind(QLatin1String(key));
    if (it == parameters.constEnd())
        return 0.0;
    bool ok = false;
    const double value = it->typeId() == QMetaType::QString || it->typeId() == QMetaType::QByteArray
                             ? asText(*it, 64).trimmed().toDouble(&ok)
                             : it->toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

std::optional<QString> text(const QVariantMap& parameters, const char* key, int bufferSize)
{
    const auto it = parameters.constFind(QLatin1String(key));
    if (it == parameters.constEnd())
        return std::nullopt;
    return asText(*it, bufferSize - 1);
}

QString utf8Prefix(const QString& text, int bytes)
{
    QString kept;
    int used = 0;
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype step = pair ? 2 : 1;
        // Half a pair has no UTF-8 form: what is kept and counted is its replacement.
        const QString character = !pair && text.at(i).isSurrogate() ? QString(QChar::ReplacementCharacter)
                                                                    : text.mid(i, step);
        used += int(character.toUtf8().size());
        if (used > bytes)
            break;
        kept += character;
        i += step;
    }
    return kept;
}

QString ascii(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() > 0x7F)
            c = u'?';
    }
    return out;
}

}  // namespace EventParameters
