#!/usr/bin/env bash
# Builds the .deb from a built tree and checks what a user installs: a stripped program, the
# desktop entry and metainfo (valid, with nothing to report), the icons, the documents, the
# run-time dependencies that no library link shows, no lintian errors; and, once the desktop's
# databases are built over its files, a generator's firmware file known by type and opened by it.
#   check-package.sh <build folder> <scratch folder> <application id> <MIME type> <firmware file>
set -euo pipefail
build=$1 work=$2 app=$3 type=$4 firmware=$5
rm -rf "$work" && mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/out/*.deb)
failed=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1" >&2; failed=1; fi; }

depends=$(dpkg-deb --field "$deb" Depends)
for dep in libqt6widgets6 fonts-liberation libqt6svg6 qt6-translations-l10n; do
  check "depends on $dep" "grep -Eq '(^|, )$dep( |,|\$)' <<<'$depends'"
done
check "no lintian errors" "lintian --no-cfg --fail-on error '$deb' >'$work/lintian.log' 2>&1"
dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
for program in kelvo-barre kelvo-barre-cli; do
  check "a stripped $program" "file -b '$work/root/usr/bin/$program' | grep -q 'ELF.*, stripped'"
done
for file in "applications/$app.desktop" "metainfo/$app.metainfo.xml" icons/hicolor/scalable/apps/kelvo-barre.svg \
            icons/hicolor/48x48/apps/kelvo-barre.png doc/kelvo-barre/copyright man/man1/kelvo-barre.1.gz \
            man/man1/kelvo-barre-cli.1.gz mime/packages/kelvo-barre.xml; do
  check "holds $file" "[[ -s '$share/$file' ]]"
done
check "desktop entry valid" "[[ -z \$(desktop-file-validate '$share/applications/$app.desktop' 2>&1) ]]"
check "metainfo valid" "appstreamcli validate --no-net '$share/metainfo/$app.metainfo.xml' >'$work/appstream.log' && ! grep -Eq '^[EWI]:' '$work/appstream.log'"

# What the triggers of shared-mime-info and desktop-file-utils do on installing, then the
# desktop's own question, with nothing of the user's settings in the way.
update-mime-database "$share/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; exit 1; }
update-desktop-database "$share/applications"
mkdir -p "$work/home" && cp "$firmware" "$work/gen.hex" && cp "$firmware" "$work/GEN.IHEX"
# xdg-mime splits its search path at blanks: it is given links from a folder without any.
links=$(mktemp -d /tmp/kelvo-package.XXXXXX)
trap 'rm -rf "$links"' EXIT
ln -s "$share" "$links/share" && ln -s "$work/home" "$links/home"
query() { env -i PATH="$PATH" HOME="$links/home" XDG_DATA_HOME="$links/home" XDG_CONFIG_HOME="$links/home" \
            XDG_DATA_DIRS="$links/share:/usr/share" xdg-mime query "$@"; }
for file in gen.hex GEN.IHEX; do
  check "$file is $type" "[[ \$(query filetype '$work/$file') == '$type' ]]"
done
check "$type opens with $app" "[[ \$(query default '$type') == '$app.desktop' ]]"
exit $failed
