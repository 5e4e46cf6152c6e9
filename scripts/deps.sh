# Sourced by the scripts: installs the Debian packages the build needs, only those missing,
# so a second run installs nothing and needs no network.
DSP_PACKAGES=(
    # one package per line, so that additions merge cleanly
    build-essential
    cmake
    ninja-build
    pkg-config
    clang-format
    qt6-base-dev
    qt6-base-dev-tools
    qt6-serialport-dev
    qt6-multimedia-dev
    libqt6multimedia6
    libhidapi-dev
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    libfftw3-dev
    libkissfft-dev
    fonts-noto-cjk
    xvfb
    xauth
    desktop-file-utils
    # Qt 6's QAudioSource on Linux talks to PulseAudio (libpulse); the capture tests start a
    # private PulseAudio daemon with a sine source, so no sound card is needed.
    libpulse0
    pulseaudio
    # libFuzzer targets (scripts/fuzz-smoke) need clang and its runtime libraries.
    clang
    libclang-rt-14-dev
)

dsp_ensure_packages() {
    local missing=()
    local p
    for p in "${DSP_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# Configures and builds into build/ (Release, Ninja).
dsp_build() {
    local top="$1"
    cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$top/build" -j "$(nproc)"
}
