#include "app/JMIWindowLink.h"

void JMIWindowLink::setJMIBacklashButton(bool on) { m_own.keep<&JMISetupDisplay::setJMIBacklashButton>(on); }

void JMIWindowLink::setJMIBacklashText(quint16 amount)
{
    m_own.keep<&JMISetupDisplay::setJMIBacklashText>(amount);
}

void JMIWindowLink::setJMIMaxValueText(quint16 maximum)
{
    m_own.keep<&JMISetupDisplay::setJMIMaxValueText>(maximum);
}

void JMIWindowLink::setJMISpeedSlider(float slow, float fast, float io)
{
    m_own.keep<&JMISetupDisplay::setJMISpeedSlider>(slow, fast, io);
}
