#!/usr/bin/env bash
# Checks a built .deb without touching the machine's own packages: its
# control data and dependencies, that apt could install it here, and the
# program installed with dpkg into a throwaway root, run on the examples.
#   scripts/check-package.sh plotvale_<version>_<arch>.deb
set -euo pipefail
deb=$(realpath "$1")
source=$(cd "$(dirname "$0")/.." && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb" | awk '{print $6}'
depends=$(dpkg-deb --field "$deb" Depends)
for library in libfreeimage3 libdevil1c2 libcairo2 libfontconfig1 libjxr0 libqt6widgets6; do
  grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends" >&2; exit 1; }
done
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -qx './triggers' || { echo "no triggers" >&2; exit 1; }

# Whether apt resolves every dependency on this Debian release (simulated).
apt-get install --simulate --no-install-recommends "$deb" | grep -E '^(Inst|Conf) plotvale'

# Installed for real, into a root of its own (its dependencies are this
# machine's, so they are not installed there again).
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >/dev/null 2>&1
mkdir -p "$root/work/out"
cd "$root/work"
cp "$source"/examples/* .
XDG_RUNTIME_DIR=$root "$root/usr/bin/plotvale" -i ./ -o out/ -c png
"$root/usr/bin/plotvale-thumbnailer" shapes.wmf thumb.png 256
mkdir shots
XDG_RUNTIME_DIR=$root QT_QPA_PLATFORM=offscreen "$root/usr/bin/plotvale" -t shots/ 2>/dev/null
[ -s shots/plotvale1.jpg ] || { echo "the window module did not draw the main window" >&2; exit 1; }
man -l "$root/usr/share/man/man1/plotvale.1" | sed 's/.\x08//g' | sed -n 4,5p
desktop-file-validate "$root/usr/share/applications/plotvale.desktop"
echo "package checked: $(ls out | wc -l) pictures, thumbnail $(stat -c %s thumb.png) bytes"
