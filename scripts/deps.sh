# Shared by scripts/run and scripts/test: installs the Debian packages the
# build, the program and the tests need, when they are missing.
# shellcheck shell=bash

CALVETTA_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libqt6serialport6
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-wqy-zenhei
    xvfb xauth xdotool imagemagick
)

calvetta_missing_packages() {
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    echo "${missing[@]}"
}

calvetta_install_packages() {
    local missing
    missing=$(calvetta_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing missing packages: $missing"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        else
            echo "error: these Debian packages are missing: $missing" >&2
            echo "Install them as root, then run this script again:" >&2
            echo "    apt-get update && apt-get install -y $missing" >&2
            exit 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    # shellcheck disable=SC2086
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}
