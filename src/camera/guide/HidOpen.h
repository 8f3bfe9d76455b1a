#pragma once

#include <QString>

// How opening a USB HID adapter by its vendor and product id ended.
enum class HidOpen {
    Opened,
    NotFound,      // none of this identity is attached
    SeveralFound,  // more than one is attached, and which is meant is unknown
    NotOpened,     // found, but the system would not let it be opened
    NoAnswer,      // the open did not end in time
    NoSupport,     // the program's USB HID support is not installed
};

// Why a connect failed, for the alert under "<adapter> connection failed.".
QString hidOpenFailure(HidOpen outcome);
