#!/usr/bin/env bash
# The Debian package as cpack makes it from this build folder's programs,
# unpacked into a scratch folder and used from there: it is named after its
# version, depends on what the programs load at run time, holds every file a
# lab machine needs, and the unpacked vorlisk-sim finds the unpacked examples
# and checks them against their lessons. The desktop entry must validate and
# the circuit-file type must build a MIME database that knows both the
# extension and the header line.
#   deb_package_test.sh BUILD_DIR CPACK
set -uo pipefail
build=$1
cpack=$2

missing=()
for tool in dpkg-deb:dpkg dpkg-shlibdeps:dpkg-dev desktop-file-validate:desktop-file-utils \
            update-mime-database:shared-mime-info gzip:gzip; do
  command -v "${tool%%:*}" >/dev/null || missing+=("${tool%%:*} (${tool##*:})")
done
if ((${#missing[@]})); then
  echo "SKIPPED: missing ${missing[*]}; tools/install_deps.sh installs them"
  exit 77
fi

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check_file() { [ -f "$root/$1" ] || fail "the package lacks /$1"; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: cpack wrote ${#debs[@]} packages: ${debs[*]}"; exit 1; }
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $depends"
[ "$(basename "$deb")" = "vorlisk_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "the package is called $(basename "$deb")"

root=$scratch/root
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
sim=$root/usr/bin/vorlisk-sim
gui=$root/usr/bin/vorlisk
data=$root/usr/share/vorlisk

# What a fresh machine would lack: the libraries' packages (computed), and
# what Qt loads at run time without a link.
needed=(libc6 qt6-qpa-plugins qt6-translations-l10n "fonts-wqy-microhei | fonts-noto-cjk")
[ -x "$gui" ] && needed+=(libqt6widgets6)
for p in "${needed[@]}"; do
  [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p"
done
# Without it, xdg-open outside a desktop environment takes a circuit for text.
[ "$(dpkg-deb -f "$deb" Recommends)" = "libfile-mimeinfo-perl" ] || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"

for f in usr/bin/vorlisk-sim usr/lib/udev/rules.d/60-vorlisk-ch341.rules usr/share/doc/vorlisk/copyright \
         usr/share/doc/vorlisk/changelog.Debian.gz usr/share/man/man1/vorlisk-sim.1.gz \
         usr/share/vorlisk/例子/半加器.vlk usr/share/vorlisk/手册/用户手册.html; do
  check_file "$f"
done
if [ -x "$gui" ]; then
  for f in usr/share/man/man1/vorlisk.1.gz usr/share/applications/vorlisk.desktop usr/share/mime/packages/vorlisk.xml \
           usr/share/icons/hicolor/64x64/apps/vorlisk.png \
           usr/share/icons/hicolor/64x64/mimetypes/application-x-vorlisk-circuit.png; do
    check_file "$f"
  done
fi
# The package ships no README: the installed manual must not send readers there.
grep -q README "$data/手册/用户手册.html" && fail "the manual refers to the README"
gzip -t "$root"/usr/share/man/man1/*.gz "$root/usr/share/doc/vorlisk/changelog.Debian.gz" || fail "a .gz file is damaged"
zcat "$root/usr/share/doc/vorlisk/changelog.Debian.gz" | head -1 | grep -qF "vorlisk ($version)" ||
  fail "the changelog's latest entry is not for $version"

# Both programs tell the package's version, without a display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$sim" --version)" = "vorlisk-sim $version" ] ||
  fail "vorlisk-sim --version: $("$sim" --version)"
if [ -x "$gui" ]; then
  [ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$gui" --version 2>&1)" = "vorlisk $version" ] ||
    fail "vorlisk --version: $(env -u DISPLAY -u QT_QPA_PLATFORM "$gui" --version 2>&1)"
fi

# Installed, vorlisk-sim looks for the examples in the package's data folder.
help=$("$sim" --help)
grep -qxF "例子：$data/例子" <<<"$help" || fail "vorlisk-sim --help does not name $data/例子: $(tail -2 <<<"$help")"

# The half adder against its lesson: the sum is A xor B, the carry A and B.
printf 'A\tB\tS\tC\n0\t0\t0\t0\n0\t1\t1\t0\n1\t0\t1\t0\n1\t1\t0\t1\n' >"$scratch/half_adder.txt"
out=$("$sim" --expect "$scratch/half_adder.txt" "$data/例子/半加器.vlk" 2>&1)
[ "$out" = "$data/例子/半加器.vlk	通过" ] || fail "the half adder: $out"
# The grading lesson: two of the three homeworks are right.
lesson=$data/例子/批改实验
"$sim" "$lesson/参考答案.vlk" --truth-table >"$scratch/reference.txt" || fail "the lesson's reference does not run"
out=$("$sim" --expect "$scratch/reference.txt" "$lesson"/作业/*.vlk 2>&1)
code=$?
[ $code -eq 1 ] && [ "$(tail -1 <<<"$out")" = "共 3 个文件：通过 2 个，不通过 1 个。" ] ||
  fail "the grading lesson (exit $code): $out"

# Each manual page lists every option of its program's --help.
for program in vorlisk-sim vorlisk; do
  [ -x "$root/usr/bin/$program" ] || continue
  page=$(zcat "$root/usr/share/man/man1/$program.1.gz")
  for option in $("$root/usr/bin/$program" --help | grep -oE '^  --?[a-z][a-z-]*'); do
    grep -qF "\\fB${option//-/\\-}" <<<"$page" || fail "$program(1) lacks $option"
  done
done

# The maintainer scripts are sound shell.
dpkg-deb -e "$deb" "$scratch/control"
for script in postinst postrm; do
  sh -n "$scratch/control/$script" || fail "$script does not parse"
done

if [ -x "$gui" ]; then
  desktop=$root/usr/share/applications/vorlisk.desktop
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
  grep -qx 'Exec=vorlisk %f' "$desktop" || fail "the desktop entry does not open a file given to it"
  # The type as the desktop learns it: a database built from the package's file.
  mkdir -p "$scratch/mime/packages"
  cp "$root/usr/share/mime/packages/vorlisk.xml" "$scratch/mime/packages/"
  # It reports a file it cannot parse but still exits with 0: anything it says fails.
  if ! XDG_DATA_HOME=$scratch update-mime-database "$scratch/mime" >"$scratch/mime.log" 2>&1 || [ -s "$scratch/mime.log" ]; then
    fail "the MIME file does not parse: $(cat "$scratch/mime.log")"
  fi
  type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
  [ -f "$scratch/mime/$type.xml" ] || fail "the desktop entry's type $type is not in the MIME file"
  grep -qF ":$type:*.vlk" "$scratch/mime/globs2" || fail "*.vlk is not $type"
  grep -qaF "Quenmar V3.0" "$scratch/mime/magic" || fail "the header line is not $type's magic"
fi

# Debian's own checks, where lintian is installed (it is not needed to build).
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"
fi

((failures == 0)) || exit 1
echo "The package installs a working vorlisk-sim, examples, manual pages and desktop files."
