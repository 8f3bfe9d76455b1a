#pragma once

#include <QLoggingCategory>

// The companion server's lines for the system log ("norvane.remote").
Q_DECLARE_LOGGING_CATEGORY(lcRemote)
