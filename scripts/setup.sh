# Sourced by run.sh and test.sh: installs the Debian packages the project
# needs, only those that are missing, with sudo when not root.

tessaly_packages=(
    g++ cmake make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libpng-dev zlib1g-dev
    libsdl2-dev libgtk-3-dev
    xvfb xauth x11-utils xdotool imagemagick
    clang libclang-rt-14-dev
    dpkg-dev file lintian desktop-file-utils appstream shared-mime-info man-db
)

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
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

tessaly_jobs() {
    nproc 2>/dev/null || echo 2
}
