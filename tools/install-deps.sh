#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the
# program need. Quick when everything is present: apt-get runs only when a
# package is missing.
set -euo pipefail

packages=(
  # tool chain
  g++ make cmake ninja-build ccache pkg-config git
  # Qt 6 (Core, Gui, Widgets, Network, PrintSupport, Concurrent, Test, Multimedia, Charts)
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-charts-dev qt6-qpa-plugins libgl-dev
  # the OpenGL module's CMake files, which Qt Charts needs to be found
  libqt6opengl6-dev
  # sound: Qt Multimedia's GStreamer back end decodes wav (base) and mp3
  # (good); MIDI plays only where a MIDI decoder happens to be installed
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  # Qt's own Chinese texts (standard buttons, file dialogs)
  qt6-translations-l10n
  # libraries of the services layer
  libicu-dev libsqlite3-dev
  # workbook export (libxlsxwriter) and reading workbooks back (minizip, the
  # zip library libxlsxwriter uses; QuaZip exports a copy of the same
  # functions and cannot share a process with it)
  libxlsxwriter-dev libminizip-dev
  # mail over SMTP
  libcurl4-openssl-dev
  # tests, benchmarks and fuzzing
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  # the SMTP server the mail tests send to, and the FTP server the update
  # download tests fetch from
  python3-aiosmtpd python3-pyftpdlib
  # the published lunar calendar the lunar table is generated from and
  # tested against (development only; the program does not link it)
  liblunar-date-dev
  # the packer behind the compression of data exchange and backups (7zz)
  7zip
  # text of printed PDF files in the report tests
  poppler-utils
  # a display with a window manager that frames windows, for the test of
  # remembered window bounds (tests/support/run-framed.sh)
  xvfb openbox x11-utils
  # Chinese text in the windows and their screenshots; the Latin font that
  # prints digits and letters in front of the CJK font in PDF files
  fonts-noto-cjk fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
