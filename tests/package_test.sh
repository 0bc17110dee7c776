#!/usr/bin/env bash
# The installed files, checked in a staged install (faster than the .deb, which
# .ci/run checks). A check whose tool is missing ends with 77 (skipped).
#   package_test.sh stage|contents|desktop_entry|metainfo|man_pages BUILD STAGE ID VERSION
set -euo pipefail
check="$1" build="$2" stage="$3" id="$4" version="$5"
usr="$stage/usr"
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
needs() {
  command -v "$1" >/dev/null || { echo "SKIPPED: $1 is not installed (Debian package $2)"; exit 77; }
}

# WIDTHxHEIGHT from a PNG's signature and IHDR chunk, or nothing when it is no PNG.
png_size() {
  [ "$(od -An -tx1 -N16 "$1" | tr -d ' \n')" = 89504e470d0a1a0a0000000d49484452 ] || return 0
  od -An -tu4 --endian=big -j16 -N8 "$1" | awk '{print $1 "x" $2}'
}

desktop_value() {
  sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$usr/share/applications/$id.desktop"
}

case "$check" in
stage) rm -rf "$stage" && DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null ;;

contents)
  # Exactly these files: nothing missing, nothing stray (a static library, a header).
  expected="$(printf '%s\n' usr/bin/rx710-sim usr/bin/rx710kp usr/share/applications/$id.desktop \
    usr/share/doc/rx710kp/{changelog.Debian.gz,copyright} \
    usr/share/icons/hicolor/{128x128,256x256,48x48}/apps/$id.png \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/lintian/overrides/rx710kp \
    usr/share/man/man1/{rx710-sim,rx710kp}.1.gz usr/share/metainfo/$id.metainfo.xml)"
  actual="$(cd "$stage" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)"
  [ "$actual" = "$expected" ] ||
    fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") || true)"

  # The installed programs start from their own place.
  [ "$("$usr/bin/rx710kp" --version 2>&1)" = "rx710kp $version" ] || fail "rx710kp --version is wrong"
  "$usr/bin/rx710-sim" --help >/dev/null 2>&1 || fail "rx710-sim --help failed"

  for size in 48x48 128x128 256x256; do
    got="$(png_size "$usr/share/icons/hicolor/$size/apps/$id.png" 2>/dev/null)"
    [ "$got" = "$size" ] || fail "the $size icon is '${got:-not a PNG}'"
  done
  grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$id.svg" 2>/dev/null ||
    fail "the scalable icon is not an SVG"

  # What the desktop entry names is installed; Qt takes the window class from
  # the executable's name.
  exec_line="$(desktop_value Exec)"
  program="${exec_line%% *}"
  [ -x "$usr/bin/$program" ] || fail "Exec=$exec_line names no installed program"
  [ "$(desktop_value Icon)" = "$id" ] || fail "Icon=$(desktop_value Icon), not $id"
  [ "$(desktop_value StartupWMClass)" = "$program" ] ||
    fail "StartupWMClass=$(desktop_value StartupWMClass), the window class is $program"
  [ "$(desktop_value Terminal)" = false ] || fail "the entry would open a terminal emulator"
  # Practice and the results sheet are one click away: the entry's actions.
  for action in "practice --simulate" "results --choose-results"; do
    sed -n "/^\\[Desktop Action ${action% *}\\]/,/^\\[/p" "$usr/share/applications/$id.desktop" |
      grep -qx "Exec=$program ${action#* }" || fail "the desktop entry has no ${action% *} action running $program ${action#* }"
  done
  for key in Name Comment Keywords; do
    [ -n "$(desktop_value "$key\[ja\]")" ] || fail "the desktop entry has no $key[ja]"
  done

  # The AppStream data describes this desktop entry and these programs.
  metainfo="$usr/share/metainfo/$id.metainfo.xml"
  grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
  for binary in $(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo"); do
    [ -x "$usr/bin/$binary" ] || fail "the metainfo provides $binary, which is not installed"
  done

  head -1 "$usr/share/doc/rx710kp/copyright" 2>/dev/null | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
    fail "the copyright file is not in the machine-readable format"
  first="$(zcat "$usr/share/doc/rx710kp/changelog.Debian.gz" 2>/dev/null | head -1)" || true
  [[ "$first" == "rx710kp ($version-"* ]] || fail "the changelog's newest entry is '$first', not version $version"

  for page in rx710kp rx710-sim; do
    zcat "$usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^\.TH .*\"rx710kp $version\"" ||
      fail "$page(1) is not gzip or does not carry version $version"
  done
  ;;

desktop_entry)
  needs desktop-file-validate desktop-file-utils
  # Warnings and hints count too.
  out="$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1)" || true
  [ -z "$out" ] || fail "desktop-file-validate:"$'\n'"$out"
  ;;

metainfo)
  needs appstreamcli appstream
  out="$(appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" 2>&1)" ||
    fail "appstreamcli validate:"$'\n'"$out"
  out="$(appstreamcli validate-tree --no-net "$stage" 2>&1)" ||
    fail "appstreamcli validate-tree:"$'\n'"$out"
  ;;

man_pages)
  needs groff groff-base
  for gz in "$usr"/share/man/man1/*.1.gz; do
    page="$(basename "$gz" .gz)"
    preprocessors=()  # man runs tbl only when the first line asks for it
    if zcat "$gz" | head -1 | grep -q "^'\\\\\" t"; then
      preprocessors=(-t)
    elif zcat "$gz" | grep -q '^\.TS'; then
      fail "$page has a table but its first line does not ask man for tbl"
    fi
    warnings="$(zcat "$gz" | groff -ww "${preprocessors[@]}" -man -Tutf8 -z 2>&1)"
    [ -z "$warnings" ] || fail "$page renders with warnings:"$'\n'"$warnings"
  done
  ;;

*) echo "unknown check '$check'"; exit 2 ;;
esac

[ "$failures" -eq 0 ] || { echo "package $check: $failures failed"; exit 1; }
echo "package $check: passed"
