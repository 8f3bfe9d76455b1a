#include "mount/DebugWriter.h"

#include "platform/DebugLog.h"

void DebugWriter::write(const QString& line) const
{
    m_log->writeDebugFile(line);
}
