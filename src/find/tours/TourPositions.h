#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TourFinder;

// The places of a tour's lines as the finder resolves them, kept for one
// tour, night and site: the night planner draws them on every repaint, and
// resolving a hundred lines costs more than drawing them.
class TourPositions {
public:
    // A line the finder found: its place of date and the selection's name.
    struct Target {
        double ra;
        double dec;
        QString name;
    };
    // What the places were resolved for; any change resolves them again.
    struct Key {
        QStringList lines;
        QDateTime night;
        double latitude = 0.0;
        double longitude = 0.0;
        bool operator==(const Key&) const = default;
    };

    explicit TourPositions(TourFinder& finder) : m_finder(finder) {}

    // The lines the finder finds, in tour order; command lines are not asked.
    const std::vector<Target>& targets(const Key& key);
    // Leaves the find selection where resolving the lines leaves it: the
    // finder's answer to the last line asked. Nothing to do when the last
    // call of targets resolved them.
    void reselect();

private:
    TourFinder& m_finder;
    std::optional<Key> m_key;
    std::vector<Target> m_targets;
    QString m_lastAsked;
    bool m_justResolved = false;
};
