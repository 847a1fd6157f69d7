# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs, only those that are missing, with sudo when not root.

tessaly_packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libstb-dev libpng-dev zlib1g-dev
    libsdl2-dev libgtk-3-dev
    xvfb xauth x11-utils xdotool imagemagick
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info man-db
    # The Windows programs: the cross compiler, zlib built for it, GoogleTest's
    # sources to build it with, and Wine (its 32-bit half needs the i386
    # architecture).
    g++-mingw-w64-i686 libz-mingw-w64-dev googletest wine wine32:i386
)

# What test.sh needs on top for the test play's real run: DOSBox and the
# assembler of its stand-in game. The editor itself needs neither.
tessaly_play_test_packages=(dosbox nasm)

tessaly_install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
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
