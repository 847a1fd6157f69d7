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

#if defined(__SANITIZE_ADDRESS__)
// In the sanitizer build, LeakSanitizer would scan the whole heap when the
// program ends and report the allocations GTK, GLib and SDL keep for the
// life of the process: the window took up to two seconds more to go after
// Exit, and ended with a failure status. The program's own code is checked
// for leaks by the unit tests, which run in the same build.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
#endif

int main() {
    RealHost host;
    return tessaly::runProgram(host);
}
