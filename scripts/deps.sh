# Sourced by scripts/run and scripts/test: installs the Debian packages the build, the tests and the demo
# need, and only those that are missing.
VELORIA_PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libqt6sql6-sqlite libqt6sql6-odbc qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fontconfig
  fonts-dejavu-core fonts-wqy-microhei fonts-noto-core fonts-symbola
  ghostscript qpdf mupdf-tools
  locales-all
  sqlite3 libsqlite3-dev
  unixodbc unixodbc-dev tdsodbc libsqliteodbc
  cups cups-client cups-bsd printer-driver-cups-pdf libcups2-dev poppler-utils
  zlib1g-dev libdeflate-dev
  libssl3
  xvfb xauth
  clang libclang-rt-14-dev clang-format python3
  dpkg-dev systemd
)

veloria_install_packages() {
  local missing=()
  local p
  for p in "${VELORIA_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
}

# veloria_build DIR [cmake options...]: configures DIR and builds everything in it.
veloria_build() {
  local dir=$1
  shift
  cmake -S "$VELORIA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" --parallel "$(nproc)"
}

# veloria_build_targets DIR TARGET...: configures DIR with the defaults and builds only TARGETs.
veloria_build_targets() {
  local dir=$1
  shift
  cmake -S "$VELORIA_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$dir" --parallel "$(nproc)" --target "$@"
}
