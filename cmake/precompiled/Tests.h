// The test programs' common headers: the targets' own set and the test frameworks.
#pragma once

#include "Common.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#if __has_include(<QTest>)
#include <QSignalSpy>
#include <QTest>
#endif
