#pragma once

#include <QString>
#include <QtGlobal>

// The running-numbered names of the all-sky images and movies: base path +
// a suffix per image type with the first free number from 1.
namespace AllSkyFileNames {

// Numbers tried before a folder counts as full.
constexpr int kMaxNumber = 65535;

enum class Format { Tiff, Fits };

// "(Dark)-%1.tiff", "(Light)-%1D.fits" and so on; `isDarkMarked` names a
// light frame that had a dark frame taken off.
QString suffix(quint8 imageType, bool isDarkMarked, Format format);

// `base` + `pattern` with the first number n from 1 whose file does not
// exist ("%1" in the pattern stands for n), and n; empty when all are taken.
struct Numbered {
    QString path;
    int number = 0;
};
Numbered firstFree(const QString& base, const QString& pattern);

}  // namespace AllSkyFileNames
