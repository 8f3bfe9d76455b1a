#pragma once

#include "camera/canon/CanonControl.h"

#include <QTest>

#include <optional>

// How a Canon connection ended, waited for on the event loop.
struct ConnectOutcome {
    bool connected = false;
    QString failure;

    // Starts a connection and runs the event loop until it ends, at most
    // `ms`; none when it never did.
    static std::optional<ConnectOutcome> of(CanonControl& control, int ms = 20000)
    {
        std::optional<ConnectOutcome> outcome;
        control.canonConnect([&outcome](bool connected, const QString& failure) {
            outcome = ConnectOutcome{connected, failure};
        });
        if (!QTest::qWaitFor([&outcome] { return outcome.has_value(); }, ms))
            return std::nullopt;
        return outcome;
    }
};
