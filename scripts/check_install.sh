#!/usr/bin/env bash
# Checks what a build installs and packages:
#   1. `cmake --install` into an empty folder puts every file in its place
#      under /usr, and nothing elsewhere;
#   2. the installed vimbo answers --help without a display;
#   3. the desktop entry, metadata, document type, manual pages and shell
#      completion pass the tools made to check them, each where installed;
#   4. `cpack -G DEB` builds a package whose dependencies are filled in and
#      whose files all live under /usr.
# The package is not installed. Any failure makes the script exit non-zero.
#   scripts/check_install.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
id=com.brenwick.Vimbo
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
  echo "check_install: $*" >&2
  failures=$((failures + 1))
}
have() { command -v "$1" >/dev/null 2>&1; }

echo "-- install tree"
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr=$scratch/root/usr
expected=(bin/vimbo bin/vimbo-cli
  share/vimbo/help/contents.txt share/vimbo/help/popups.txt share/vimbo/help/html/Introduction.htm
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" "share/mime/packages/$id.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man1/vimbo.1.gz share/man/man1/vimbo-cli.1.gz
  share/bash-completion/completions/vimbo-cli)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -s "$usr/$file" ] || fail "missing from the install tree: /usr/$file"
done
stray=$(cd "$scratch/root" && find . -type f ! -path './usr/*')
[ -z "$stray" ] || fail "installed outside /usr: $stray"
for size in 16 22 24 32 48 64 128 256; do
  file "$usr/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
    fail "the $size px icon is not a $size x $size PNG"
done

echo "-- the installed program"
if ! help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/vimbo" --help); then
  fail "vimbo --help failed without a display"
fi
[[ $help == "Usage: vimbo "* ]] || fail "vimbo --help printed no usage"
"$usr/bin/vimbo-cli" --version | grep -q "^vimbo-cli " || fail "vimbo-cli --version failed"

echo "-- validators"
if have desktop-file-validate; then
  desktop-file-validate "$usr/share/applications/$id.desktop" || fail "desktop-file-validate"
else
  echo "desktop-file-validate not found: skipped"
fi
if have appstreamcli; then
  appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
else
  echo "appstreamcli not found: skipped"
fi
if have xmllint; then
  schema=
  for candidate in /usr/share/shared-mime-info/shared-mime-info.xsd /usr/share/xml/shared-mime-info/*.xsd; do
    [ -f "$candidate" ] && schema=$candidate && break
  done
  xmllint --noout ${schema:+--schema "$schema"} "$usr/share/mime/packages/$id.xml" ||
    fail "xmllint on the MIME type"
else
  echo "xmllint not found: skipped"
fi
if have update-mime-database; then
  cp -r "$usr/share/mime" "$scratch/mime"
  # It notes that a scratch folder is not where desktops look; only a failure matters.
  if ! said=$(update-mime-database "$scratch/mime" 2>&1); then
    echo "$said" >&2
    fail "update-mime-database"
  fi
  grep -q "application/x-vimbo-log:\*\.tch" "$scratch/mime/globs" || fail "no glob for *.tch after update-mime-database"
  grep -q "application/x-vimbo-log" "$scratch/mime/magic" || fail "no magic after update-mime-database"
else
  echo "update-mime-database not found: skipped"
fi
for page in vimbo vimbo-cli; do
  manpage=$usr/share/man/man1/$page.1.gz
  if have man; then
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$manpage" 2>&1 >/dev/null) || fail "man $page"
    [ -z "$warnings" ] || fail "man warnings for $page: $warnings"
  fi
  if have groff; then
    warnings=$(zcat "$manpage" | groff -man -ww -z 2>&1) || fail "groff $page"
    [ -z "$warnings" ] || fail "groff warnings for $page: $warnings"
  fi
done

echo "-- bash completion"
completion_for() {
  (
    cd "$scratch/files"
    # shellcheck disable=SC1090
    source "$usr/share/bash-completion/completions/vimbo-cli"
    COMP_WORDS=(vimbo-cli "$@")
    COMP_CWORD=$#
    COMP_LINE="vimbo-cli $*"
    COMP_POINT=${#COMP_LINE}
    _vimbo_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
  )
}
mkdir -p "$scratch/files/folder"
touch "$scratch/files/"{book.tch,BIG.TCH,people.csv,notes.txt,cards.vcf,out.pdf}
check_completion() {
  local want=$1 got
  shift
  got=$(completion_for "$@")
  [ "$got" = "$want" ] || fail "completing 'vimbo-cli $*': got '$got', want '$want'"
}
check_completion "report " "rep"
check_completion "activity addressbook contacts envelopes " report ""
check_completion "--font --from --margins --paper --persons --size --to " report activity book.tch a.pdf --
check_completion "BIG.TCH book.tch folder " info ""
check_completion "cards.vcf folder notes.txt people.csv " import book.tch ""
check_completion "folder out.pdf " report contacts book.tch --from 2026-01-01 ""
check_completion "cards.vcf folder " export vcard book.tch ""
check_completion "semicolon single-quote space " export persons book.tch x.csv --separator s
check_completion "--encloser --fields --iso-dates --separator " export contacts book.tch x.csv --
check_completion "Date,Description " export contacts a b --fields "Date,D"
check_completion "title,company title,position " report envelopes a b --recipient "title,"
check_completion "ours theirs " merge a.tch b.tch c.tch --prefer ""
check_completion "LastName,Fax,FirstName " import a b c --columns "LastName,Fax,Fi"

echo "-- Debian package"
if have dpkg-deb && have dpkg-shlibdeps; then
  (cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null)
  deb=$(find "$scratch/package" -maxdepth 1 -name 'vimbo_*.deb' | head -n 1)
  if [ -z "$deb" ]; then
    fail "cpack built no package"
  else
    info=$(dpkg-deb --info "$deb")
    grep -q "^ Package: vimbo$" <<<"$info" || fail "the package is not named vimbo"
    grep -q "^ Depends: .*libqt6" <<<"$info" || fail "the package's dependencies are not filled in"
    grep -q "^ Homepage: https://" <<<"$info" || fail "the package names no homepage"
    contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
    outside=$(grep -v '^\./usr/' <<<"$contents" | grep -v '^\./$' || true)
    [ -z "$outside" ] || fail "package files outside /usr: $outside"
    for file in "${expected[@]}"; do
      grep -qx "\./usr/$file" <<<"$contents" || fail "missing from the package: /usr/$file"
    done
    echo "$(basename "$deb"): $(grep '^ Depends:' <<<"$info")"
  fi
else
  echo "dpkg-deb or dpkg-shlibdeps not found: package skipped"
fi

if [ "$failures" -ne 0 ]; then
  echo "check_install: $failures failures" >&2
  exit 1
fi
echo "install tree and package: all checks passed"
