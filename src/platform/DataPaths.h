#pragma once

#include <QString>

// Where the program's data lives on this machine.
namespace DataPaths {

// The shipped, read-only "ZQData" folder: data/ZQData beside the executable,
// else share/norvane-pro/ZQData under the install prefix. Empty when neither exists.
QString bundleDataFolder();

// The shipped string tables and other resources: data/Resources beside the
// executable, else share/norvane-pro/Resources. Empty when neither exists.
QString bundleResourcesFolder();

// The per-user data folder "Norvane Pro" (not created here).
QString userDataFolder();

}  // namespace DataPaths
