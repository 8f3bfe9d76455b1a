#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config mold
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  libxrandr-dev libxcb-xinput-dev tzdata
  liberfa-dev
  libboost-dev
  liblapack-dev libblas-dev
  libical-dev
  libhidapi-dev
  libplist-dev libavahi-compat-libdnssd-dev
  xvfb xauth
  openbox xdotool x11-utils
  poppler-utils
  python3-pil python3-numpy python3-skimage
  qt6-image-formats-plugins
  libgphoto2-dev libraw-dev
  qt6-multimedia-dev libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  strace
  libcfitsio-dev libtiff-dev fitsverify
  dbus-daemon libglib2.0-bin qt6-speech-dev qt6-declarative-dev qt6-speech-flite-plugin
  libpocketsphinx-dev pocketsphinx-en-us espeak-ng
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
