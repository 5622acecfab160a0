#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package (Release, installed under /usr) in build/package.
#   scripts/package.sh           builds build/package/wirtal_<version>_<arch>.deb
#   scripts/package.sh --check   then installs it into a clean Debian 12 root made by debootstrap
#                                (build/debian12) and starts the installed program there from
#                                its desktop entry under xvfb-run
# Not part of the tests or of CI: the check downloads Debian's packages. As root, on Debian 12.
# WIRTAL_DEBIAN_MIRROR names another Debian mirror for the check's root.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
check=false
case "${1:-}" in
  "") ;;
  --check) check=true ;;
  *) echo "usage: scripts/package.sh [--check]" >&2; exit 2 ;;
esac
"$top/scripts/deps.sh" --packaging

dir="$top/build/package"
# Debian's hardening flags (stack protector, fortified functions, read-only relocations bound at
# load time), as a package built by dpkg-buildpackage gets them; no debug info (it is stripped).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
      -DWIRTAL_BUILD_TESTS=OFF -DWIRTAL_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j2
echo "== desktop-file-validate"
desktop-file-validate "$dir/packaging/pl.norel.Wirtal.desktop"
echo "== appstreamcli validate --pedantic"
appstreamcli validate --pedantic --no-net "$dir/packaging/pl.norel.Wirtal.metainfo.xml"
echo "== reuse lint (every file has its licence)"
(cd "$top" && reuse lint >/dev/null) || (cd "$top" && reuse lint)
rm -f "$dir"/wirtal_*.deb
(cd "$dir" && cpack -G DEB)
deb=$(ls "$dir"/wirtal_*.deb)
dpkg-deb --info "$deb"
# What the program loads at run time must be a dependency, not a recommendation: without the
# SQLite driver there is no answer history.
for need in libqt6sql6-sqlite qt6-qpa-plugins gstreamer1.0-libav; do
  dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -qw "$need" ||
    { echo "the package does not depend on $need" >&2; exit 1; }
done
# The film helper lies in the program's private folder, executable, and not in bin/.
dpkg-deb -c "$deb" | grep -Eq '^-rwxr-xr-x .* \./usr/lib/[^/]+/wirtal/wirtal-filmy$' ||
  { echo "the package has no film helper in /usr/lib/<arch>/wirtal/" >&2; exit 1; }
# Fails on an error; the warnings left are deliberate (README, "Installing").
echo "== lintian"
lintian --info --display-info "$deb"
echo "Package: $deb"
$check || exit 0

# A clean Debian 12 root, made once and never changed; every check works on a fresh copy of it.
root="$top/build/debian12"
mirror=${WIRTAL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
if [ ! -f "$root/base/.wirtal-clean-root" ]; then
  rm -rf "$root/base" "$root/base.tmp"
  mkdir -p "$root"
  echo "Making a clean Debian 12 root in $root/base (debootstrap)"
  debootstrap --variant=minbase bookworm "$root/base.tmp" "$mirror" >"$root/debootstrap.log"
  touch "$root/base.tmp/.wirtal-clean-root"
  mv "$root/base.tmp" "$root/base"
fi
sys="$root/check"
rm -rf "$sys"
cp -a "$root/base" "$sys"
mount -t proc proc "$sys/proc"
trap 'umount "$sys/proc"' EXIT
cp /etc/resolv.conf "$sys/etc/resolv.conf"
cp "$deb" "$sys/tmp/"
in_root() { chroot "$sys" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "== Installing $(basename "$deb") with its dependencies"
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/$(basename "$deb")"
# Only for the check: a display server. Not a dependency of the program.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb xauth

echo "== Starting the program as the desktop entry says (Exec, no Path), as a new user"
entry=/usr/share/applications/pl.norel.Wirtal.desktop
exec_line=$(sed -n 's/^Exec=//p' "$sys$entry")
installed=/usr/share/wirtal
started() { echo "wirtal: started on the program folder $1"; }
in_root useradd -m learner
as_learner() {
  in_root runuser -u learner -- env HOME=/home/learner WIRTAL_QUIT_AFTER_START=1 sh -c "$1" 2>&1
}
out=$(as_learner "cd /home/learner && exec timeout 120 xvfb-run -a $exec_line") || {
  echo "$out"; echo "FAILED: the program did not start" >&2; exit 1; }
echo "$out"
if ! echo "$out" | grep -qx "$(started $installed)"; then
  echo "FAILED: the program did not start on the installed program folder $installed" >&2; exit 1
fi
[ -d "$sys/home/learner/.local/share/Norel" ] || {
  echo "FAILED: no user data folder" >&2; exit 1; }

echo "== Starting it through a desktop launcher (gio launch, installed for the check only)"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  libglib2.0-bin >/dev/null
out=$(as_learner "cd / && timeout 120 xvfb-run -a sh -c 'gio launch $entry
  for i in \$(seq 60); do sleep 1; grep -q started /tmp/launch.out && break; done' \
  >/tmp/launch.out 2>&1; cat /tmp/launch.out")
echo "$out"
if ! echo "$out" | grep -qx "$(started $installed)"; then
  echo "FAILED: the desktop entry did not start the program on $installed" >&2; exit 1
fi

echo "== Starting it in a folder holding a bank of its own: that folder is the program folder"
in_root cp -r "$installed" /tmp/mybank
in_root chown -R learner /tmp/mybank
out=$(as_learner "cd /tmp/mybank && exec timeout 120 xvfb-run -a $exec_line")
echo "$out"
if ! echo "$out" | grep -qx "$(started /tmp/mybank)"; then
  echo "FAILED: the current directory's bank was not used" >&2; exit 1
fi

echo "== --version and --help without a display"
in_root runuser -u learner -- env -u DISPLAY wirtal --version | grep -q "^wirtal 2013" || {
  echo "FAILED: wirtal --version" >&2; exit 1; }
in_root runuser -u learner -- env -u DISPLAY wirtal --help >/dev/null || {
  echo "FAILED: wirtal --help" >&2; exit 1; }

echo "== The installed bank tool on the installed program folder"
in_root wirtal-bank check --folder "$installed"
echo "Package check passed: installed on a clean Debian 12 root and started on its data."
