// The editor in a real window: the Windows host on Windows, SDL2 with GTK 3
// dialogs elsewhere.
#include "app/program.h"

#ifdef _WIN32
#include "platform/win32/win32_host.h"
using RealHost = tessaly::Win32Host;
#else
#include "platform/sdl/sdl_host.h"
using RealHost = tessaly::SdlHost;
#endif

int main() {
    RealHost host;
    return tessaly::runProgram(host);
}
