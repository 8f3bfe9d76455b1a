#pragma once

// Julian day of a calendar date (Meeus, Astronomical Algorithms, chapter 7):
// Gregorian from 1582 October 15 on, Julian before. `day` carries the time
// of day as a fraction. Valid for the years the element files allow
// (1000 to 3000) and well beyond.
double calendarJulianDay(int year, int month, double day);
