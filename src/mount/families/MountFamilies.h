#pragma once

#include "mount/families/FamilyInputs.h"

#include <memory>

class MountFamily;
struct MountContext;

// The protocol family of a `mountProtocol` number, for the mount
// controller's dispatch; none for a number no family here serves.
std::shared_ptr<MountFamily> makeMountFamily(int protocol, const MountContext& context,
                                             const FamilyInputs& inputs);
