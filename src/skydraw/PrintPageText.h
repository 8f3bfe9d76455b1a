#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>

// The header of a printed page: the program's name in Times Bold 18 and the
// date in Lucida Grande Bold 12, the particulars in that same 12-point face.
// Sizes in page points, whatever the printer's resolution.
namespace PrintPageText {

inline const QString kTitle = QStringLiteral("Norvane Pro");

QFont titleFont();
QFont textFont();
// "%B %e, %Y %I:%M:%S %p" in the program's zone, English month names.
QString dateLine(const QDateTime& date);

}  // namespace PrintPageText
