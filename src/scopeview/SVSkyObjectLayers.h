#pragma once

#include "scopeview/SVLayerContext.h"

class DeepSkyPhotos;

// The telescope view's layers of catalogue objects: deep-sky objects (a
// photograph, an outline image or an oval when large enough, else the
// type's symbol), the catalogue stars by brightness class, and the lookup
// star of an online search.
namespace SVSkyObjectLayers {

// `photos` looks in the user's "Photos" folder, then the shipped one;
// outline images are "Outlines/<ngc>.png" in `photoDirectory`.
void drawDeepSky(const SVLayerContext& c, DeepSkyPhotos& photos, const QString& photoDirectory);
// `T`: Julian centuries from J2000 for the proper motions.
void drawStars(const SVLayerContext& c, double T);
void drawLookupStar(const SVLayerContext& c, double T);

// The projected radius (points) of half an object's size (arcminutes) at
// stereographic scale `svRadius`.
double objectRadius(float size, double svRadius);
// The class (6 brightest-but-one ... 13 brightest) of a catalogue star's
// brightness value (mag - 6.5) x bright + (6.5 - shift).
int starClass(float brightness);
// On paper: the class (6 ... 13) of (mag - 6.5) x bright + 6.5, a step per
// magnitude from 6 down, and its black disc's diameter (5 to 13 points).
int printStarClass(float brightness);
int printStarDot(int printClass);

}  // namespace SVSkyObjectLayers
