#pragma once

#include <QString>

// The tours as the File menu opens, builds and saves them.
class Tours {
public:
    virtual ~Tours() = default;
    virtual bool isTourVisible() const = 0;
    virtual void setTourTitle(const QString& title) = 0;
    virtual int numTourObjects() const = 0;
    virtual void setNumTourObjects(int count) = 0;
    // Shows the tour panel; `clear` starts an empty tour, else its lines stay.
    virtual void initTourPanel(bool clear) = 0;
    virtual void openTourFile(const QString& path) = 0;
    // False when the file could not be written (the user was told); the tour stays.
    virtual bool saveTourFile(const QString& path) = 0;
    virtual void clearTour() = 0;
};
