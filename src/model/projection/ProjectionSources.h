#pragma once

#include "model/projection/ProjectionInputs.h"

class PrefControl;
class SkyDateModel;

// Where a projection pass takes its inputs: the settings object and the sky date.
namespace ProjectionSources {

ProjectionInputs read(const PrefControl& prefControl, const SkyDateModel& skyDate);

// The record each catalogue's find selection names. Every band is bounded
// at both ends, so no index of one band selects a record of another, however
// large a table grows.
ProjectionSelection selection(int findIndex);

}  // namespace ProjectionSources
