#pragma once

#include <string>

// The temporary folder this benchmark program took as its home (HOME and the
// XDG folders point into it) before main began.
const std::string& benchHome();
