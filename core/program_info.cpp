#include "core/program_info.h"

#include <string>

#include "tessaly_version.h"

namespace tessaly {

std::string_view programVersion() {
    return TESSALY_VERSION;
}

std::optional<int> answerHelpOrVersion(int argc, const char* const* argv, std::string_view name,
                                       std::string_view help, std::ostream& out) {
    if (argc < 2) return std::nullopt;
    const std::string_view option = argv[1];
    if (option == "--help" || option == "-h") {
        out << help;
    } else if (option == "--version") {
        out << name << ' ' << programVersion() << '\n';
    } else {
        return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;
}

int wrongCommandLine(std::string_view name, std::string_view why, std::string_view usage,
                     std::ostream& err) {
    err << name << ": " << why << '\n' << usage;
    err.flush();
    return 2;
}

} // namespace tessaly
