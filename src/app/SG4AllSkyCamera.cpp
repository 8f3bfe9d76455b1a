#include "app/SG4AllSkyCamera.h"

#include "camera/sg4/SG4Control.h"
#include "camera/sg4/SG4Worker.h"

using namespace SG4Protocol;

static_assert(kMode1X1 == AllSkyFrame::kFullMode && kModeCrop == AllSkyFrame::kCropMode
              && kMode2X2 == AllSkyFrame::kBinnedMode && kModeSubFrame == AllSkyFrame::kSubFrameMode);
static_assert(kTypeDark == AllSkyFrame::kDarkType && kTypeLight == AllSkyFrame::kLightType
              && kTypeAuto == AllSkyFrame::kAutoType);

bool SG4AllSkyCamera::startExposure(float seconds, quint8 imageType)
{
    if (!isIdle())
        return false;
    // A dark frame holds the controller's type until its download, which
    // puts the type back to light and ends the block.
    const bool dark = imageType == kTypeDark;
    m_control.setIsExpBlock(dark);
    m_control.setSG4Type(imageType);
    // With the AllSky panel set, its exposure fields (the schedule's too) give the time.
    m_control.setSG4ExpSec(seconds);
    m_control.sg4ImageAction(SG4Control::kTagExpose);
    // A short exposure's end came with its 'T' reply: the transfer is under way.
    const bool started = m_control.isSG4Exposing() || m_control.isSG4Transfer();
    if (!started && dark) {
        m_control.setIsExpBlock(false);
        m_control.setSG4Type(kTypeLight);
    }
    return started;
}

bool SG4AllSkyCamera::abortExposure()
{
    if (!m_control.isSG4Exposing())
        return true;
    m_control.sg4ImageAction(SG4Control::kTagExpose);
    return !m_control.isSG4Exposing();
}

bool SG4AllSkyCamera::isIdle() const
{
    return !m_control.isSG4Exposing() && !m_control.isSG4Transfer();
}

quint8 SG4AllSkyCamera::readOutMode() const
{
    return m_control.sg4Bin();
}

quint8 SG4AllSkyCamera::imageType() const
{
    // Dark frames are taken only while light is chosen.
    return m_control.isExpBlock() ? kTypeLight : m_control.sg4Type();
}

float SG4AllSkyCamera::lastTransferSeconds() const
{
    return m_control.allSkyDownloadSec();
}

void SG4AllSkyCamera::setHeater(bool on)
{
    m_control.sg4ForceRelaysCmd(on ? 1 : 0, 0);
}

bool SG4AllSkyCamera::hasDarkFrame() const
{
    return m_control.hasDarkFrame();
}

void SG4AllSkyCamera::forgetDarkFrame()
{
    m_control.forgetDarkFrame();
}

bool SG4AllSkyCamera::defineSubFrame(quint16 x, quint16 y, quint8 side)
{
    m_control.setSG4SubFrameXY(x, y);
    m_control.setSG4SubFrameSize(side);
    // The worker holds the port during a transfer; the square is sent with the next choice.
    return !m_control.isSG4Transfer() && m_control.sg4DefineSubFrameCmd();
}

AllSkyFrame SG4AllSkyCamera::allSkyFrame(const SG4Image& image)
{
    AllSkyFrame frame;
    frame.readOutMode = image.readoutMode;
    frame.imageType = image.imageType;
    frame.width = image.width;
    frame.height = image.height;
    frame.subFrameX = image.subFrameX;
    frame.subFrameY = image.subFrameY;
    frame.subFrameSize = image.subFrameSize;
    frame.exposureSeconds = image.exposureSeconds;
    frame.startUtc = image.exposureUtc;
    // Only a dark the transfer really took off marks the frame.
    frame.isDarkSubtracted = image.darkSubtracted;
    frame.pixels = image.pixels;
    return frame;
}
