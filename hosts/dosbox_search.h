// Where the real windows find DOSBox (Host::findDosBox).
#pragma once

#include <string>
#include <vector>

namespace tessaly {

// The first DOSBox in these folders: in each, in name order, a folder whose
// name starts with "DOSBox" (any case: "DOSBox-0.74-3", "DOSBox Staging",
// "DOSBox-X") holding DOSBox.exe or dosbox-x.exe (any case). "" when none does.
std::string findDosBoxIn(const std::vector<std::string>& installFolders);

// On Linux `dosbox` on the PATH. On Windows the install folders of the
// DOSBox installers (%ProgramFiles(x86)%, %ProgramFiles%, %ProgramW6432%,
// %LOCALAPPDATA%\Programs and the system drive's root, as DOSBox-X installs
// in C:\DOSBox-X), then dosbox.exe or dosbox-x.exe on the PATH. "" when none is found.
std::string findDosBoxProgram();

} // namespace tessaly
