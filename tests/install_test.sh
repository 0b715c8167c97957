#!/bin/sh
# Installs the build into a scratch prefix and uses it as a person would:
# every file in its place, the desktop entry and AppStream metainfo valid,
# the .deb clean to lintian, the desktop program's arguments read without a
# display, settings in the configuration folder (or beside the program when
# an info.ini is there), and nothing ever written under the prefix.
#   install_test.sh BUILD_DIR
set -eu
fail() { echo "FAIL: $*" >&2; exit 1; }
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
cmake --install "$1" --prefix "$t/usr" >/dev/null
for f in bin/orvanta bin/orvanta-cli share/applications/org.orvanta.orvanta.desktop \
    share/metainfo/org.orvanta.orvanta.metainfo.xml \
    share/icons/hicolor/scalable/apps/orvanta.svg share/man/man1/orvanta-cli.1.gz \
    share/man/man1/orvanta.1.gz \
    share/doc/orvanta/README.md share/doc/orvanta/copyright \
    share/doc/orvanta/changelog.gz; do
  [ -e "$t/usr/$f" ] || fail "$f is not installed"
done
desktop-file-validate "$t/usr/share/applications/org.orvanta.orvanta.desktop"
# The AppStream metainfo, alone and with the desktop entry it launches.
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net \
    "$t/usr/share/metainfo/org.orvanta.orvanta.metainfo.xml" >"$t/log" 2>&1 &&
    appstreamcli validate-tree --no-net "$t" >>"$t/log" 2>&1 ||
    { cat "$t/log" >&2; fail "appstreamcli validate"; }
else
  echo "install: appstreamcli is missing (Debian: appstream), not run"
fi
# The .deb, made as `make package` makes it but in a folder of its own:
# lintian finds no error and no warning (its word on running as root is no
# tag).
if command -v lintian >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  cpack --config "$1/CPackConfig.cmake" -G DEB -B "$t/deb" >"$t/log" 2>&1 ||
    { cat "$t/log" >&2; fail "cpack"; }
  lintian --fail-on none "$t"/deb/orvanta_*.deb >"$t/log" 2>&1 ||
    { cat "$t/log" >&2; fail "lintian did not run"; }
  ! grep -E "^(E|W): " "$t/log" >&2 || fail "lintian: errors or warnings"
  rm -rf "$t/deb"
else
  echo "install: lintian or dpkg-shlibdeps is missing (Debian: lintian," \
    "dpkg-dev), the package is not checked"
fi
# The desktop program's arguments, read before any display is needed: the
# usage on standard output for --help (Qt's own options passed over), on
# standard error with exit status 2 after a line naming the option that is
# unknown or lacks its value.
desktop() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$t/usr/bin/orvanta" \
    "$@" >"$t/out" 2>"$t/err"
}
desktop -style fusion --reverse --help || fail "orvanta --help: exit $?"
grep -q "^Usage: orvanta" "$t/out" && [ ! -s "$t/err" ] ||
  fail "orvanta --help: the usage is not on standard output"
while read -r named args; do
  status=0
  desktop $args || status=$?
  [ "$status" = 2 ] || fail "orvanta $args: exit status $status, not 2"
  head -n 1 "$t/err" | grep -qF -- "orvanta: " &&
    head -n 1 "$t/err" | grep -qF -- " $named" &&
    grep -q "^Usage: orvanta" "$t/err" && [ ! -s "$t/out" ] ||
    fail "orvanta $args: no error and usage on standard error"
done <<EOF
--bogus --bogus
-x -x
-platform -style fusion -platform
--bogus --help --bogus
-? /? -?
EOF
mkdir -p "$t/home" "$t/photos"
convert -size 64x48 xc:orange "$t/photos/a.jpg"
installed=$(find "$t/usr" -printf '%p %s %T@\n' | sort)
run() { HOME="$t/home" XDG_CONFIG_HOME="$1" "$t/usr/bin/orvanta-cli" --quiet "$t/photos" >/dev/null; }
run ""
[ -f "$t/home/.config/orvanta/info.ini" ] || fail "no info.ini in ~/.config/orvanta"
[ -f "$t/home/.config/orvanta/IndexTemplate.html" ] || fail "no templates in ~/.config/orvanta"
[ -f "$t/photos/index.html" ] || fail "no gallery"
run "$t/config"
[ -f "$t/config/orvanta/info.ini" ] || fail "XDG_CONFIG_HOME is not used"
[ "$(find "$t/usr" -printf '%p %s %T@\n' | sort)" = "$installed" ] ||
  fail "the run wrote under the install prefix"
printf 'ThumbnailFilePrefix=small_\r\n' >"$t/usr/bin/info.ini"
run ""
[ -f "$t/photos/small_a.jpg" ] || fail "an info.ini beside the program is not used"
echo "install: files in place and valid, settings in the configuration folder"
