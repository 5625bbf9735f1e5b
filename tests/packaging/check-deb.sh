#!/usr/bin/env bash
# Builds the .deb from a configured and built tree, lints it, unpacks it into a
# scratch folder and checks what a user would get: the files a desktop needs, the
# dependencies, and a program that starts from the unpacked tree and maps its
# window with the Italian title in a real X server.
set -euo pipefail

build_dir= work_dir= package= app_id= executable= icon= icon_sizes= version=
while [[ $# -gt 0 ]]; do
  case "$1" in
    --build-dir) build_dir=$2 ;;
    --work-dir) work_dir=$2 ;;
    --package) package=$2 ;;
    --app-id) app_id=$2 ;;
    --executable) executable=$2 ;;
    --icon) icon=$2 ;;
    --icon-sizes) icon_sizes=$2 ;;
    --version) version=$2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
  shift 2
done
for v in build_dir work_dir package app_id executable icon icon_sizes version; do
  [[ -n "${!v}" ]] || { echo "missing --${v//_/-}" >&2; exit 2; }
done

here=$(cd "$(dirname "$0")" && pwd)
xsession=$here/../e2e/xsession.sh
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

rm -rf "$work_dir"
mkdir -p "$work_dir"

# --- Build the package ----------------------------------------------------------------------
echo "== cpack -G DEB"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work_dir/out" >"$work_dir/cpack.log" 2>&1 || {
  cat "$work_dir/cpack.log"; echo "FAIL: cpack did not build the package" >&2; exit 1; }
shopt -s nullglob
debs=("$work_dir"/out/*.deb)
[[ ${#debs[@]} -eq 1 ]] || { cat "$work_dir/cpack.log"; echo "FAIL: expected one .deb, found ${#debs[@]}" >&2; exit 1; }
deb=${debs[0]}
echo "package: $deb"

# --- Control data ---------------------------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == "$package" ]] && pass "Package is $package" || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] && pass "Version is $version" || fail "Version is '$(field Version)'"
depends=$(field Depends)
echo "Depends: $depends"
# Computed from the binary by dpkg-shlibdeps, plus the fonts the window asks for and the
# SVG plugins that draw its pictures.
for dep in libc6 libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation libqt6svg6; do
  if grep -Eq "(^|, )$dep( |,|$)" <<<"$depends"; then pass "depends on $dep"; else fail "no dependency on $dep"; fi
done

# --- Lintian: warnings are allowed, errors are not ------------------------------------------
echo "== lintian"
lintian_status=0
lintian --no-cfg --fail-on error --display-level '>=warning' "$deb" >"$work_dir/lintian.log" 2>&1 \
  || lintian_status=$?
cat "$work_dir/lintian.log"
if [[ $lintian_status -eq 2 ]] || grep -q '^E: ' "$work_dir/lintian.log"; then
  fail "lintian reports errors"
elif [[ $lintian_status -ne 0 ]]; then
  fail "lintian could not check the package (status $lintian_status)"
else
  pass "lintian: no errors, $(grep -c '^W: ' "$work_dir/lintian.log" || true) warning(s)"
fi

# --- What the package holds -----------------------------------------------------------------
root=$work_dir/root
dpkg-deb -x "$deb" "$root"

expect_file() {
  if [[ -f "$root/$1" ]]; then pass "holds /$1"; else fail "missing /$1"; fi
}
expect_file "usr/bin/$executable"
[[ -x "$root/usr/bin/$executable" ]] || fail "/usr/bin/$executable is not executable"
if file -b "$root/usr/bin/$executable" | grep -q 'not stripped'; then fail "the binary is not stripped"; fi
expect_file "usr/share/applications/$app_id.desktop"
expect_file "usr/share/metainfo/$app_id.metainfo.xml"
expect_file "usr/share/icons/hicolor/scalable/apps/$icon.svg"
expect_file "usr/share/doc/$package/copyright"
expect_file "usr/share/doc/$package/changelog.gz"
expect_file "usr/share/man/man1/$executable.1.gz"
for size in $icon_sizes; do
  png="usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  expect_file "$png"
  if [[ -f "$root/$png" ]]; then
    kind=$(file -b "$root/$png")
    # An icon whose pixels do not match its folder is shown blurred or not at all.
    if [[ $kind == "PNG image data, $size x $size,"* ]]; then pass "$png is ${size}x${size}"; else fail "$png is: $kind"; fi
  fi
done

desktop=$root/usr/share/applications/$app_id.desktop
if [[ -f "$desktop" ]]; then
  grep -qx "Exec=$executable" "$desktop" && pass "desktop entry runs $executable with no arguments" \
    || fail "desktop entry's Exec line is: $(grep '^Exec=' "$desktop" || echo none)"
  grep -qx "Icon=$icon" "$desktop" && pass "desktop entry names icon $icon" || fail "desktop entry's icon is wrong"
  desktop-file-validate "$desktop" && pass "packaged desktop entry validates" || fail "packaged desktop entry does not validate"
fi
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
if [[ -f "$metainfo" ]]; then
  grep -q "<release version=\"$version\"" "$metainfo" && pass "metainfo names release $version" \
    || fail "metainfo does not name release $version"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    && pass "metainfo launches the packaged desktop entry" || fail "metainfo's launchable is not $app_id.desktop"
  appstreamcli validate --no-net "$metainfo" >/dev/null && pass "packaged metainfo validates" \
    || fail "packaged metainfo does not validate"
fi

# --- Start the unpacked program in a real X server ------------------------------------------
echo "== start /usr/bin/$executable from the unpacked package under Xvfb"
if bash "$xsession" bash "$here/start-unpacked.sh" "$root/usr/bin/$executable" "$work_dir"; then
  pass "the unpacked program maps its window with the Italian title and ends on Ctrl+X"
else
  fail "the unpacked program did not come up and end as it should"
fi

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed; files are in $work_dir" >&2
  exit 1
fi
echo "all package checks passed"
