#pragma once

#include <QString>

// Where the machine's device nodes are listed: "/dev" for the program. Test
// programs point it at an empty folder of their own before any test runs,
// so that no scan finds (and no test opens) a device the test did not make.
namespace DeviceFolder {

QString path();
void setPath(const QString& folder);

}  // namespace DeviceFolder
