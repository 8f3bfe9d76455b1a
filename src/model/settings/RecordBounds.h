#pragma once

#include "model/records/eyepiece.h"
#include "model/records/scope.h"
#include "model/records/site.h"

// The values the stored site, telescope and eyepiece fields can take, as the
// preference window takes them. Each puts a field outside them (or not a
// number) back to that field of `registered`, and says whether it did.
bool boundFields(site& record, const site& registered);
bool boundFields(scope& record, const scope& registered);
bool boundFields(eyepiece& record, const eyepiece& registered);
