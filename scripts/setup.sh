# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs, only those that are missing, with sudo when not root.

# Building and running the editor and its tools (run.sh).
tessaly_run_packages=(
    g++ cmake make pkg-config
    libstb-dev zlib1g-dev libsdl2-dev libgtk-3-dev
)

# What the build of the tests needs on top (their libraries); a build folder
# configured without them builds the programs alone (TESSALY_TESTS=OFF).
tessaly_test_libraries=(libgtest-dev libgmock-dev libbenchmark-dev libpng-dev)

# Everything else test.sh runs: the window tests under Xvfb (with a window
# manager for the tests that need one), the fuzzing with clang, and the
# Debian package's checks.
tessaly_test_packages=(
    "${tessaly_test_libraries[@]}"
    xvfb xauth x11-utils xdotool imagemagick openbox
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info man-db
)

# The Windows programs: the cross compiler, zlib built for it, GoogleTest's
# sources to build it with, and Wine (its 32-bit half needs the i386
# architecture).
tessaly_windows_packages=(
    g++-mingw-w64-i686 libz-mingw-w64-dev googletest wine wine32:i386
)

# Whether every package named is installed.
tessaly_installed() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || return 1
    done
}
# What test.sh needs on top for the test play's real run: DOSBox and the
# assembler of its stand-in game. The editor itself needs neither.
tessaly_play_test_packages=(dosbox nasm)

tessaly_install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        tessaly_installed "$p" || missing+=("$p")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    # Packages of another architecture (wine32:i386) need it added first.
    for p in "${missing[@]}"; do
        case $p in
        *:*)
            local arch=${p#*:}
            if [ "$arch" != "$(dpkg --print-architecture)" ] &&
                ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
                $sudo dpkg --add-architecture "$arch"
            fi
            ;;
        esac
    done
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

tessaly_jobs() {
    nproc 2>/dev/null || echo 2
}
