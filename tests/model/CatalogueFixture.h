#pragma once

#include "model/catalogue/CatalogueFolders.h"
#include "model/records/AltAzLocn.h"
#include "model/records/RALocn.h"
#include "model/records/TvkFile.h"
#include "model/records/boundaryLocn.h"
#include "model/records/conLine.h"
#include "support/QStringPrinter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <vector>

// Catalogue folders in a temporary directory, with helpers that write small
// source texts and tables made on the spot.
class CatalogueFixture {
public:
    CatalogueFixture()
    {
        const QString root = m_dir.path();
        m_folders = CatalogueFolders::form(root + "/user", root + "/ZQData", root + "/Resources");
        for (const QString& folder :
             {m_folders.databaseDirectory, m_folders.buildDirectory, m_folders.tvkDirectory})
            QDir().mkpath(folder);
    }

    const CatalogueFolders& folders() const { return m_folders; }

    // One "BuildStar.txt" record line; the values vary with i.
    static QByteArray starLine(int i)
    {
        static const char* const spectra[] = {"B8", "G2", "K5", "M1", "A0", "F5", "O9", ""};
        return QString("%1\tAlp %2\tStar %3\t%4\t%5\t%6\t%7\t%8\t%9\t%10")
            .arg(100000 + i % 900000)
            .arg(i % 89)
            .arg(i % 1000)
            .arg(1.0 + (i % 70) / 10.0, 0, 'f', 2)
            .arg(spectra[i % 8])
            .arg(i % 14)
            .arg((i * 7.31) - 360.0 * int(i * 7.31 / 360.0), 0, 'f', 4)
            .arg(-89.0 + (i * 3.17) - 178.0 * int(i * 3.17 / 178.0), 0, 'f', 4)
            .arg((i % 200) - 100)
            .arg((i % 150) - 75)
            .toLatin1();
    }

    // "BuildStar.txt" with `count` record lines announced as `declared`.
    static QByteArray starText(int count, std::optional<long long> declared = {})
    {
        QByteArray text = QByteArray::number(declared.value_or(count)) + "\tstars\n";
        for (int i = 0; i < count; ++i)
            text += starLine(i) + "\n";
        return text;
    }

    static QByteArray deepSkyLine(int i)
    {
        return QString("NGC %1\t%2\tObject %3\t%4\t%5\t%6\t%7\t%8\tOri\t%9\t%10\t%11\t%12")
            .arg(i + 1)
            .arg(i % 110 == 0 ? QString("M%1").arg(i / 110 + 1) : QString())
            .arg(i % 500)
            .arg(i % 109)
            .arg(i % 3)
            .arg(i % 338)
            .arg(i % 9)
            .arg(i % 3)
            .arg(i % 7 == 0 ? QString(" ") : QString::number(1.5 + i % 40, 'f', 1))
            .arg(i % 5 == 0 ? QString() : QString::number(4.0 + (i % 100) / 10.0, 'f', 1))
            .arg((i * 11.7) - 360.0 * int(i * 11.7 / 360.0), 0, 'f', 4)
            .arg(-80.0 + (i * 1.3) - 160.0 * int(i * 1.3 / 160.0), 0, 'f', 4)
            .toLatin1();
    }

    static QByteArray deepSkyText(int count)
    {
        QByteArray text = QByteArray::number(count) + "\tobjects\n";
        for (int i = 0; i < count; ++i)
            text += deepSkyLine(i) + "\n";
        return text;
    }

    // "Horizon<k>.txt" from (azimuth, altitude) pairs, announcing `declared` points.
    static QByteArray horizonText(const std::vector<std::pair<double, double>>& points,
                                  long long declared)
    {
        QByteArray text = QByteArray::number(declared) + "\n";
        for (const auto& [az, alt] : points)
            text += QByteArray::number(az) + "\t" + QByteArray::number(alt) + "\n";
        return text;
    }

    // n points from azimuth 0 in steps of 10 degrees at altitude 5 + azimuth / 100.
    static std::vector<std::pair<double, double>> horizonPoints(int n)
    {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < n; ++i)
            points.emplace_back(i * 10.0, 5.0 + i / 10.0);
        return points;
    }

    void writeBuildFile(const QString& name, const QByteArray& bytes) const
    {
        write(m_folders.buildDirectory + name, bytes);
    }
    void writeDatabaseFile(const QString& name, const QByteArray& bytes) const
    {
        write(m_folders.databaseDirectory + name, bytes);
    }
    void writeTvkFile(const QString& name, const QByteArray& bytes) const
    {
        write(m_folders.tvkDirectory + name, bytes);
    }

    // A working installation: the four shipped tables for `numStars` stars
    // and the two catalogue texts.
    void writeInstallation(int numStars = 2000, int numDeepSky = 10000) const
    {
        std::vector<conLine> lines;
        for (int i = 0; i + 1 < numStars && i < 40; i += 2)
            lines.push_back({i, i + 1});
        writeTvkFile("Constellations.tvk", bytesOf(std::span<const conLine>(lines)));
        writeTvkFile("Boundary.tvk", boundaryBytes(1600));
        writeTvkFile("RAGrid.tvk", QByteArray(3044 * int(sizeof(RALocn)), '\0'));
        writeTvkFile("AltAzGrid.tvk", QByteArray(3114 * int(sizeof(AltAzLocn)), '\0'));
        writeBuildFile("BuildStar.txt", starText(numStars));
        writeBuildFile("BuildDeepSky.txt", deepSkyText(numDeepSky));
    }

    static QByteArray boundaryBytes(int count)
    {
        std::vector<boundaryLocn> vertices(std::size_t(count), boundaryLocn{});
        for (int i = 0; i < count; ++i) {
            vertices[std::size_t(i)].vecZ = 1.0;
            vertices[std::size_t(i)].lineId = std::uint32_t(1 + i / 10);
        }
        return bytesOf(std::span<const boundaryLocn>(vertices));
    }

    template <class Record>
    static QByteArray bytesOf(std::span<const Record> records)
    {
        return QByteArray(reinterpret_cast<const char*>(records.data()),
                          qsizetype(records.size_bytes()));
    }

    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

private:
    QTemporaryDir m_dir;
    CatalogueFolders m_folders;
};
