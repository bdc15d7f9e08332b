#pragma once

#include <QString>

// Where the program's data files (device profiles, the help file) are looked for: the working folder
// first, so a user's own copy wins, then the folder installed beside the program
// (<prefix>/share/dovuvavarovod, found from the executable's own place, so a moved prefix works).

// The installed data folder, <folder of the executable>/../share/dovuvavarovod, whether or not it
// exists. Needs the application object.
QString InstalledDataFolder();

// The first of WorkingFolder/Relative and InstalledDataFolder()/Relative that exists (a file or a
// folder); empty when neither does.
QString FindDataPath(const QString& Relative, const QString& WorkingFolder);
