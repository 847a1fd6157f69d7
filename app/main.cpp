// The editor in a real window.
#include "app/program.h"
#include "platform/sdl/sdl_host.h"

int main() {
    tessaly::SdlHost host;
    return tessaly::runProgram(host);
}
