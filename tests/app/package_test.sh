#!/usr/bin/env bash
# package_test.sh BUILD_DIR SOURCE_DIR VERSION PACKAGE_VERSION
#
# Builds the Debian package with CPack, checks its file list, its control fields and its
# documents (manual pages, changelog, copyright, metainfo), runs lintian on it when lintian is
# installed (no error allowed), unpacks it into a temporary folder and starts the desktop program
# and vernoli-batch from there with a temporary home: the folders must appear under that home
# with the samples, nothing beside the unpacked program. Exit status 77 (skipped) when dpkg-deb
# or cpack is missing.
set -uo pipefail
build=$1
source=$2
version=$3
package_version=$4

for tool in cpack dpkg-deb; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed, so the Debian package cannot be built or read"
    exit 77
  fi
done

work=$(mktemp -d)
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The package.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAILED: cpack could not build the package"
  exit 1
fi
deb="$work/out/vernoli_${package_version}_amd64.deb"
if [ ! -f "$deb" ]; then
  ls -l "$work/out"
  echo "FAILED: no vernoli_${package_version}_amd64.deb"
  exit 1
fi

# Its files, in the usual places.
dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|; s|/$||' >"$work/files"
for file in /usr/bin/vernoli /usr/bin/vernoli-batch /usr/share/applications/vernoli.desktop \
  /usr/share/icons/hicolor/scalable/apps/vernoli.svg \
  /usr/share/icons/hicolor/16x16/apps/vernoli.png \
  /usr/share/icons/hicolor/48x48/apps/vernoli.png \
  /usr/share/icons/hicolor/256x256/apps/vernoli.png \
  /usr/share/vernoli/samples/DATA/DEBILT.DSC /usr/share/vernoli/samples/DATA/DEBILT.DTA \
  /usr/share/vernoli/samples/DATA/SYDNEY.DSC /usr/share/vernoli/samples/DATA/SYDNEY.DTA \
  /usr/share/vernoli/samples/DATA/MADRID.DSC /usr/share/vernoli/samples/DATA/MADRID.DTA \
  /usr/share/vernoli/samples/IMPORT/DEBILT.CXT \
  /usr/share/man/man1/vernoli.1.gz /usr/share/man/man1/vernoli-batch.1.gz \
  /usr/share/doc/vernoli/copyright /usr/share/doc/vernoli/changelog.Debian.gz \
  /usr/share/metainfo/org.example.vernoli.metainfo.xml; do
  grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
# Nothing of the build or the tests comes along.
if grep -E '_tests$|_bench$|/DATA/FullSet|/REPORT' "$work/files"; then
  fail "the package holds files of the build"
fi

# Its control fields.
[ "$(dpkg-deb -f "$deb" Package)" = vernoli ] || fail "Package is not vernoli"
[ "$(dpkg-deb -f "$deb" Version)" = "$package_version" ] || fail "Version is not $package_version"
maintainer=$(dpkg-deb -f "$deb" Maintainer)
grep -qE '^[^<>@]+ <[^<>@ ]+@[^<>@ ]+>$' <<<"$maintainer" ||
  fail "Maintainer is not \"Name <address>\": $maintainer"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture is not amd64"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-qpa-plugins; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
grep -qx 'Exec=vernoli' <(dpkg-deb --fsys-tarfile "$deb" |
  tar -xO ./usr/share/applications/vernoli.desktop) || fail "the menu entry does not start vernoli"

# The unpacked program with a home of its own.
root="$work/root"
home="$work/home"
user="$home/.local/share/Vernoli"
mkdir -p "$home"
dpkg-deb -x "$deb" "$root" || { echo "FAILED: dpkg-deb -x"; exit 1; }

# The documents: compressed with gzip -9n (no name, no time, the best compression flag), the
# changelog's first entry of this package's version, the metainfo's newest release of the
# project's, the copyright file in the machine-readable format naming the licence.
for gz in usr/share/man/man1/vernoli.1.gz usr/share/man/man1/vernoli-batch.1.gz \
  usr/share/doc/vernoli/changelog.Debian.gz; do
  header=$(od -An -tx1 -N10 "$root/$gz" | tr -d ' \n')
  [[ "$header" =~ ^1f8b0800000000000203$ ]] || fail "$gz is not compressed by gzip -9n: $header"
done
first=$(gzip -dc "$root/usr/share/doc/vernoli/changelog.Debian.gz" | head -n 1)
[[ "$first" == "vernoli ($package_version) "* ]] ||
  fail "the changelog's first entry is not of $package_version: $first"
grep -q "<release version=\"$version\"" \
  "$root/usr/share/metainfo/org.example.vernoli.metainfo.xml" ||
  fail "the metainfo has no release $version"
copyright="$root/usr/share/doc/vernoli/copyright"
[ "$(head -n 1 "$copyright")" = \
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "the copyright file is not in the machine-readable format"
grep -qx 'License: Apache-2.0' "$copyright" || fail "the copyright file does not name Apache-2.0"
if command -v man >/dev/null; then
  for page in vernoli vernoli-batch; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
      "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page warns: $warnings"
  done
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.vernoli.metainfo.xml" ||
    fail "appstreamcli does not accept the metainfo"
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || fail "lintian reports errors"
else
  echo "NOTE: lintian is not installed; the package was not checked by it"
fi

# Both programs answer on the terminal with the project's version.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/vernoli" --version)" = "vernoli $version" ] ||
  fail "vernoli --version does not print vernoli $version"
[ "$(env -u DISPLAY "$root/usr/bin/vernoli-batch" --version)" = "vernoli-batch $version" ] ||
  fail "vernoli-batch --version does not print vernoli-batch $version"
env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$root/usr/bin/vernoli" \
  >"$work/vernoli.log" 2>&1 &
program_pid=$!
for _ in $(seq 1 100); do
  [ -f "$user/IMPORT/DEBILT.CXT" ] && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
sleep 0.5
if kill -0 "$program_pid" 2>/dev/null; then
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null
else
  cat "$work/vernoli.log"
  fail "the unpacked program did not keep running"
fi
program_pid=""

for name in DATA/DEBILT.DSC DATA/DEBILT.DTA DATA/SYDNEY.DSC DATA/SYDNEY.DTA DATA/MADRID.DSC \
  DATA/MADRID.DTA IMPORT/DEBILT.CXT; do
  cmp -s "$user/$name" "$source/data/samples/$name" || fail "$user/$name is not the sample"
done
[ -d "$user/REPORT" ] || fail "no REPORT/ folder under the home"
for folder in DATA REPORT IMPORT; do
  [ -e "$root/usr/bin/$folder" ] && fail "$folder/ was made beside the unpacked program"
done

# vernoli-batch takes the same folders: a report of a sample lands in the home's REPORT/.
if ! env -u XDG_DATA_HOME HOME="$home" "$root/usr/bin/vernoli-batch" report DEBILT \
  >"$work/batch.log" 2>&1; then
  cat "$work/batch.log"
  fail "vernoli-batch report DEBILT failed"
fi
[ -s "$user/REPORT/DEBILT.REP" ] || fail "vernoli-batch wrote no $user/REPORT/DEBILT.REP"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "package vernoli_${package_version}_amd64.deb: files, fields, documents, first start checked"
