#!/usr/bin/env bash
# package_test.sh BUILD_DIR SOURCE_DIR VERSION
#
# Builds the Debian package with CPack, checks its file list and its dependencies, unpacks it
# into a temporary folder and starts the desktop program and vernoli-batch from there with a
# temporary home: the folders must appear under that home with the samples, nothing beside the
# unpacked program. Exit status 77 (skipped) when dpkg-deb or cpack is missing.
set -uo pipefail
build=$1
source=$2
version=$3

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
deb="$work/out/vernoli_${version}_amd64.deb"
if [ ! -f "$deb" ]; then
  ls -l "$work/out"
  echo "FAILED: no vernoli_${version}_amd64.deb"
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
  /usr/share/vernoli/samples/IMPORT/DEBILT.CXT; do
  grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
# Nothing of the build or the tests comes along.
if grep -E '_tests$|_bench$|/DATA/FullSet|/REPORT' "$work/files"; then
  fail "the package holds files of the build"
fi

# Its control fields.
[ "$(dpkg-deb -f "$deb" Package)" = vernoli ] || fail "Package is not vernoli"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture is not amd64"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins; do
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
echo "package vernoli_${version}_amd64.deb: files, dependencies and first start checked"
