#pragma once

#include <QString>
#include <QStringList>

// What the find panel shows of the last search: the result line, which
// buttons work and the candidate pull-down.
struct FindPanelState {
    static constexpr const char* kNotFound = "Not found";
    static constexpr const char* kListTitle = "List of matching objects";

    QString resultText;
    bool isCenterEnabled = false;
    bool isTrackEnabled = false;
    bool isTrackCenterEnabled = false;
    QStringList pulldownItems;    // with the list title first while there is a choice
    QString pulldownTitle;
    bool isPulldownEnabled = false;
};
