#include "platform/FreedMemory.h"

#include <malloc.h>

void FreedMemory::returnToSystem()
{
    malloc_trim(0);
}
