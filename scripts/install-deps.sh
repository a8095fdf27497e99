#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Without root it names them instead.
set -euo pipefail

# What the window needs to build and run (`make run`).
window_packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev libgl-dev libfontconfig-dev
    libfmt-dev libfast-float-dev libcli11-dev nlohmann-json3-dev
    fonts-noto-cjk fonts-dejavu-core python3-fonttools qt6-translations-l10n
)
# What the whole suite needs besides (`make test`): the test libraries, the
# browser and the web page's toolchain, the drawing and report readers (and a
# free Chinese font for drawing the DXF texts as a CAD program without SHX would).
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-utils
    python3 python3-jsonschema chromium poppler-utils
    python3-ezdxf python3-matplotlib librecad fonts-wqy-zenhei
    desktop-file-utils appstream
    emscripten
)
# What `make windows` needs besides: the cross compiler, wine to test under and NSIS for the
# installer.
windows_packages=(g++-mingw-w64-x86-64-posix wine64 wine nsis)

if [ "${1:-}" = "--window" ]; then
    shift
    packages=("${window_packages[@]}" "$@")
else
    if [ "${1:-}" = "--windows" ]; then
        shift
        set -- "${windows_packages[@]}" "$@"
    fi
    packages=("${window_packages[@]}" "${test_packages[@]}" "$@")
    # `make test` runs npm for the page's tests. Debian's nodejs comes without it;
    # a Node.js installed with its own npm conflicts with Debian's npm package.
    if ! command -v npm >/dev/null 2>&1; then
        packages+=(npm)
    fi
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root: apt-get install -y ${missing[*]}" >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# On a fresh machine an automatic update may hold the package lock for a while: wait for it.
lock_wait=(-o DPkg::Lock::Timeout=900)
apt-get "${lock_wait[@]}" update -qq
apt-get "${lock_wait[@]}" install -y -qq --no-install-recommends "${missing[@]}"
