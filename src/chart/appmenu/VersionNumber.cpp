#include "chart/appmenu/VersionNumber.h"

#include <QList>
#include <QStringList>

namespace {

std::optional<QList<qulonglong>> numbers(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    QList<qulonglong> values;
    for (const QString& part : parts) {
        // Digits only: no sign, no blank, no suffix such as "b1".
        if (part.isEmpty() || part.size() > 9)
            return std::nullopt;
        for (const QChar c : part) {
            if (c < u'0' || c > u'9')
                return std::nullopt;
        }
        values.append(part.toULongLong());
    }
    return values;
}

}  // namespace

namespace VersionNumber {

bool isVersion(const QString& text) { return numbers(text).has_value(); }

std::optional<std::strong_ordering> compare(const QString& a, const QString& b)
{
    const std::optional<QList<qulonglong>> x = numbers(a);
    const std::optional<QList<qulonglong>> y = numbers(b);
    if (!x || !y)
        return std::nullopt;
    for (qsizetype i = 0; i < std::max(x->size(), y->size()); ++i) {
        const qulonglong p = i < x->size() ? x->at(i) : 0;
        const qulonglong q = i < y->size() ? y->at(i) : 0;
        if (p != q)
            return p <=> q;
    }
    return std::strong_ordering::equal;
}

}  // namespace VersionNumber
