#include "camera/webcam/WebcamDeviceList.h"

WebcamDeviceList WebcamDeviceList::build(const QList<CaptureDevice>& devices)
{
    WebcamDeviceList list;
    for (int i = 0; i < devices.size(); ++i) {
        QString name = devices[i].name;
        if (name.contains(QLatin1String("Built-in"), Qt::CaseInsensitive) || !devices[i].hasVideo)
            continue;
        const qsizetype colon = name.indexOf(u':');
        if (name.contains(QLatin1String("macam"), Qt::CaseInsensitive) && colon >= 0)
            name = name.mid(colon + 2);
        list.items.append({name, i});
        if (list.validDevice < 0)
            list.validDevice = i;
    }
    if (list.items.isEmpty())
        list.items.append({QString::fromLatin1(kNoCameras), 0});
    return list;
}
