// The entry of the photographic horizon's renderer module.
#include "chart/photohorizon/OpenGLPanoramaRenderer.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<PanoramaRenderer> norvaneCreatePanoramaRenderer()
{
    return OpenGLPanoramaRenderer::create();
}
