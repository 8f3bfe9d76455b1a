#include "platform/AppTimeZone.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

struct ZoneHolder {
    QMutex mutex;
    QTimeZone zone = QTimeZone::systemTimeZone();
};

ZoneHolder& holder()
{
    static ZoneHolder h;
    return h;
}

}  // namespace

namespace AppTimeZone {

QTimeZone zone()
{
    QMutexLocker lock(&holder().mutex);
    return holder().zone;
}

void setZone(const QTimeZone& zone)
{
    if (!zone.isValid())
        return;
    QMutexLocker lock(&holder().mutex);
    holder().zone = zone;
}

QDateTime now() { return QDateTime::currentDateTimeUtc().toTimeZone(zone()); }

QDateTime wallClock(const QDateTime& moment)
{
    const QDateTime local = moment.toTimeZone(zone());
    return QDateTime(local.date(), local.time(), Qt::UTC);
}

QDateTime fromWallClock(const QDateTime& wall) { return QDateTime(wall.date(), wall.time(), zone()); }

QDateTime sameWallClock(const QDateTime& moment, const QTimeZone& from, const QTimeZone& to)
{
    const QDateTime wall = moment.toTimeZone(from);
    return QDateTime(wall.date(), wall.time(), to);
}

}  // namespace AppTimeZone
