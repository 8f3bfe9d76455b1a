#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUrl>

// The program's web endpoints, read once at start-up from "URL List.txt" in
// the data folder's "Misc": Mac OS Roman text, seven URL lines in a fixed
// order, each ended by one line break, then optionally a line with the
// longitude of Jupiter's Great Red Spot in degrees, then the base addresses of
// the online services, one a line. An endpoint whose line is missing or holds
// no usable URL is empty.
struct UrlList {
    static constexpr const char* kFileName = "URL List.txt";
    static constexpr double kDefaultGRSLong = 157.0;

    QUrl tvkSite;       // the maker's web site
    QUrl softwareSite;  // the page a new version is downloaded from
    QUrl cometSite;     // comet elements
    QUrl mpSite;        // elements of the bright minor planets, filed by year (forYear)
    QUrl neoSite;       // elements of the unusual, near-Earth minor planets
    QUrl mpcorbSite;    // the full MPCORB orbit file
    QUrl versionSite;   // the version file
    // Degrees, 0 to 360; the default when the line is absent, not a number or out of range.
    double grsLong = kDefaultGRSLong;

    // Base addresses (scheme and host) of the services that add their own paths.
    QUrl simbadSite;        // the first name-lookup mirror
    QUrl simbadMirrorSite;  // the second name-lookup mirror
    QUrl sesameSite;        // the name resolver
    QUrl dssSite;           // the survey cut-out service
    QUrl esoSite;           // the survey archive
    QUrl skyViewSite;       // the survey image service
    QUrl nomadSite;         // the star-catalogue cone search

    // `pattern` with its first path segment of four digits (the year a
    // yearly list is filed under) replaced by `year`; unchanged without one.
    static QUrl forYear(const QUrl& pattern, int year);

    // Everything empty and the default longitude when the file cannot be read.
    static UrlList read(const QString& path);
    static UrlList parse(QByteArrayView bytes);
};
