#pragma once

// The accessible interfaces Qt keeps for widgets. Qt builds one for every
// widget whose text, title or cursor changes, and keeps it for the widget's
// life, whether or not an assistive technology is listening; a start that
// builds a few thousand widgets leaves most of a megabyte of them behind.
class AccessibleInterfaces final {
public:
    // Drops the kept interfaces of every widget while no assistive technology
    // listens (Qt makes them again when asked); keeps them all while one
    // does. Returns how many were dropped.
    static int releaseUnheard();
};
