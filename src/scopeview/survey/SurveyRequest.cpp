#include "scopeview/survey/SurveyRequest.h"

#include "scopeview/SurveyServers.h"

#include <algorithm>

namespace {

constexpr double kArcminPerDegree = 60.0;

QUrl join(const QUrl& base, const QString& pathAndQuery)
{
    if (base.isEmpty())
        return {};
    const QUrl url = QUrl::fromEncoded(base.toEncoded(QUrl::StripTrailingSlash)
                                           + pathAndQuery.toLatin1(),
                                       QUrl::StrictMode);
    return url.isValid() ? url : QUrl();
}

}  // namespace

namespace SurveyRequest {

double width(float fov, int serverIndex)
{
    const double w = double(fov * SurveyServers::kArcminPerDegree);
    return SurveyServers::isSkyViewStyle(serverIndex) ? w
                                                      : std::min(w, double(SurveyServers::kMaxCutArcmin));
}

QUrl address(const Services& services, int serverIndex, const SurveyCentre::Place& centre,
             float fov, int pixels)
{
    const int index = SurveyServers::validIndex(serverIndex);
    const QString survey = QLatin1String(SurveyServers::kNames[index]);
    const double w = width(fov, index);
    if (SurveyServers::isSkyViewStyle(index)) {
        const bool linear = index == SurveyServers::kFirstSkyViewIndex;
        return join(services.skyViewSite,
                    QString::asprintf("/cgi-bin/images?Position=%.3f,%+.3f&Size=%.2f&Pixels=%d"
                                      "&Return=GIF&Scaling=%s&Survey=",
                                      centre.ra, centre.dec, w / kArcminPerDegree, pixels,
                                      linear ? "LINEAR" : "LOG")
                        + survey);
    }
    if (SurveyServers::isEsoStyle(index))
        return join(services.esoSite,
                    QString::asprintf("/dss/dss?ra=%.3f&dec=%+.3f&mime-type=download-gif&x=%.2f"
                                      "&y=%.2f&Sky-Survey=",
                                      centre.ra, centre.dec, w, w)
                        + survey);
    return join(services.dssSite,
                QString::asprintf("/cgi-bin/dss_search?r=%.3f&d=%+.3f&e=J2000&h=%.2f&w=%.2f&v=",
                                  centre.ra, centre.dec, w, w)
                    + survey + QLatin1String("&f=GIF&c=None"));
}

QString cacheName(const SurveyCentre::Place& centreOfDate, float fov, int serverIndex)
{
    return QString::asprintf("%.2f%+.2f%.2f%d.tiff", centreOfDate.ra, centreOfDate.dec,
                             double(fov * SurveyServers::kArcminPerDegree), serverIndex);
}

}  // namespace SurveyRequest
