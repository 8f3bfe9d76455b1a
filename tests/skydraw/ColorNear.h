#pragma once

#include <gtest/gtest.h>

#include <QColor>

#include <cstdlib>

// Colours within `tolerance` of each other, channel by channel.
inline ::testing::AssertionResult isNear(const QColor& actual, const QColor& expected, int tolerance = 2)
{
    if (std::abs(actual.red() - expected.red()) <= tolerance &&
        std::abs(actual.green() - expected.green()) <= tolerance &&
        std::abs(actual.blue() - expected.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual.name().toStdString() << " is not near "
                                         << expected.name().toStdString();
}
