#include "solarsystem/smallbodies/NearEarthObject.h"

#include <cstring>

void NearEarthObject::reset()
{
    *this = NearEarthObject();
}

void NearEarthObject::offer(double candidateDistance, std::uint32_t candidateIndex,
                            const char* candidateName)
{
    if (!(candidateDistance < distance))
        return;
    hasNeo = true;
    distance = candidateDistance;
    index = candidateIndex;
    name.fill('\0');
    std::strncpy(name.data(), candidateName, name.size() - 1);
}
