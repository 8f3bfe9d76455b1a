#include "app/SkyDateLink.h"

#include "model/SkyDateModel.h"

void SkyDateLink::startupDate() { m_skyDate.startupDate(); }
