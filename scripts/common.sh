# Shared by the scripts: install what is missing, configure, build.
# Sourced, not executed.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"

# Building and running the terminal (GoogleTest too: the configuration
# declares the tests).
PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev
  libcups2-dev
  libgtest-dev libgmock-dev
  fonts-ipafont-gothic
)
# The tests of the installed files: the validators and the manual page renderer;
# the printing tests: poppler reads the PDFs back, and a cupsd of their own
# (cups; cupsdisable and cupsreject come with cups-client) spools the jobs;
# the CSV files are read back by Python's csv module.
TEST_PACKAGES=(desktop-file-utils appstream groff-base poppler-utils cups cups-client python3)
# The Debian package: dpkg-shlibdeps computes Depends, CPack finds the
# binaries for it with file; .ci/run checks the package with lintian.
PACKAGE_PACKAGES=(dpkg-dev file lintian)
# Only scripts/fuzz needs these: clang with its fuzzer and sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-dev)

# Installs the packages named (PACKAGES when none are) that are missing, with
# apt-get (through sudo when not root). RX_NO_INSTALL=1 installs nothing: the
# scripts then name what is missing and stop.
ensure_packages() {
  local wanted=("$@") missing=() p
  [ ${#wanted[@]} -eq 0 ] && wanted=("${PACKAGES[@]}")
  if ! command -v dpkg-query >/dev/null; then
    echo "This is no Debian-like system (no dpkg-query): install by hand what these name:" >&2
    echo "  ${wanted[*]}" >&2
    [ "${RX_NO_INSTALL:-0}" = 1 ] && return 0
    echo "(set RX_NO_INSTALL=1 to go on with what is installed)" >&2
    exit 1
  fi
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "${RX_NO_INSTALL:-0}" = 1 ]; then
    echo "Missing Debian packages (RX_NO_INSTALL=1, so not installed): ${missing[*]}" >&2
    exit 1
  fi
  if ! command -v apt-get >/dev/null; then
    echo "Missing Debian packages: ${missing[*]}; there is no apt-get here to install them." >&2
    exit 1
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Missing Debian packages: ${missing[*]}; installing them needs root (no sudo here)." >&2; exit 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# CMAKE_ARGS: more options for the configuration; given, they are applied at
# every build, so a build directory never keeps flags the script dropped.
CMAKE_ARGS=()
# RX_WERROR=1 (CI sets it): a compiler warning in the project's own code fails the build.
[ "${RX_WERROR:-0}" = 1 ] && CMAKE_ARGS+=(-DRX_WERROR=ON)

configure() {
  if [ ! -f "$BUILD_DIR/build.ninja" ] || [ ${#CMAKE_ARGS[@]} -gt 0 ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
      "${CMAKE_ARGS[@]}"
  fi
}

build_all() {
  configure
  cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

# Builds only the targets named, with what they need.
build_targets() {
  configure
  cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target "$@"
}
