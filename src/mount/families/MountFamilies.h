#pragma once

#include "mount/MountFamily.h"

#include <memory>

// The protocol family that speaks `mountProtocol` number `protocol`; none
// for a number no family serves.
std::shared_ptr<MountFamily> makeMountFamily(int protocol, const MountContext& context);
