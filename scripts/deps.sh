# Shared by scripts/run, scripts/fake-device and scripts/test: installs the
# Debian packages a script needs, when they are missing.
# shellcheck shell=bash

# Building and running the program and the fake device: compiler, CMake,
# Ninja, Qt with its serial port module (libqt6serialport6 is what the program
# loads; the -dev packages bring Qt's other run-time libraries, the X11 and
# offscreen window plugins among them) and the CJK font the Chinese captions
# need.
CALVETTA_RUN_PACKAGES=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-serialport-dev libqt6serialport6
    fonts-wqy-zenhei
)

# What scripts/test needs on top: GoogleTest and GoogleMock, Google Benchmark,
# clang with the libFuzzer and sanitizer runtimes (and llvm's llvm-symbolizer,
# which names the functions in the fuzzers' reports), clang-format for the
# formatting check, and for the end-to-end tests a virtual X display
# (xvfb-run needs xauth) and xdotool to find the windows and type into them.
CALVETTA_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev llvm clang-format
    xvfb xauth xdotool
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
