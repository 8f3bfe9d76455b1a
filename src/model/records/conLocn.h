#pragma once

#include "model/records/FloatPoint.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// Constellation label. Built in memory only and never stored, so it owns its
// localised name as a string and keeps the natural alignment that needs.
struct conLocn {
    FloatPoint screenPt;
    double vecX;  // J2000 equatorial unit vector
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::int16_t visible;
    QString name;
};

static_assert(offsetof(conLocn, screenPt) == 0);
static_assert(offsetof(conLocn, vecX) == 8);
static_assert(offsetof(conLocn, vecY) == 16);
static_assert(offsetof(conLocn, vecZ) == 24);
static_assert(offsetof(conLocn, horX) == 32);
static_assert(offsetof(conLocn, horY) == 40);
static_assert(offsetof(conLocn, horZ) == 48);
static_assert(offsetof(conLocn, visible) == 56);
static_assert(offsetof(conLocn, name) == 64);
static_assert(sizeof(conLocn) == 64 + sizeof(QString));

inline void terminateTextFields(conLocn&) {}
