#!/usr/bin/env bash
# Installs what the build needs on a Debian machine (only what is missing) and
# configures and builds the project in build/. Sourced by run.sh and test.sh.
set -euo pipefail

QUENDRY_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
                  libgtest-dev libgmock-dev googletest libbenchmark-dev fonts-dejavu-core
                  xvfb xauth python3 clang-14 libclang-rt-14-dev ccache librsvg2-bin)

quendry_install_missing() {
    local missing=()
    for p in "${QUENDRY_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# quendry_build DIR [cmake options...]
quendry_build() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
