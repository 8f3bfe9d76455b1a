#include "skydraw/PrintPageText.h"

#include "platform/AppTimeZone.h"

#include <QLocale>

namespace {

QFont pageFont(const QString& family, int points)
{
    QFont font(family);
    font.setPixelSize(points);
    font.setBold(true);
    return font;
}

}  // namespace

namespace PrintPageText {

QFont titleFont() { return pageFont(QStringLiteral("Times"), 18); }
QFont textFont() { return pageFont(QStringLiteral("Lucida Grande"), 12); }

QString dateLine(const QDateTime& date)
{
    const QDateTime local = date.toTimeZone(AppTimeZone::zone());
    const QLocale c = QLocale::c();
    return QStringLiteral("%1 %2, %3 %4")
        .arg(c.monthName(local.date().month()))
        .arg(local.date().day(), 2)
        .arg(local.date().year())
        .arg(c.toString(local.time(), QStringLiteral("hh:mm:ss AP")));
}

}  // namespace PrintPageText
