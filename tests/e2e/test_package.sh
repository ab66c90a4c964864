#!/usr/bin/env bash
# The Debian package as an engineer gets it: its file list, its control fields, and the unpacked files
# themselves (desktop entry, icon, MIME types, manual pages, both programs on the shipped example).
# Usage: test_package.sh BUILD_DIR, after `cmake --build BUILD_DIR --target package`.
set -euo pipefail
build=${1:?usage: test_package.sh BUILD_DIR}

fail() { echo "test_package: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
deb="$build/plintova_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "$deb was not built"

# The file list.
listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/plintova ./usr/bin/plintova-cli \
         ./usr/share/applications/plintova.desktop \
         ./usr/share/icons/hicolor/scalable/apps/plintova.svg \
         ./usr/share/mime/packages/plintova.xml \
         ./usr/share/man/man1/plintova-cli.1.gz ./usr/share/man/man1/plintova.1.gz \
         ./usr/share/plintova/examples/FRAME1.ANL \
         ./usr/share/doc/plintova/copyright ./usr/lib/plintova/plintova-pdf.so; do
  grep -qxF "$f" <<<"$listing" || fail "the package lacks $f"
done
# Nothing of the build or the tests comes along.
stray=$(grep -vE '^\./$|^\./usr/$|^\./usr/share/$|^\./usr/lib/$|^\./usr/(bin|lib/plintova|share/(applications|icons|mime|man|plintova|doc))/' <<<"$listing" || true)
[ -z "$stray" ] || fail "the package holds files outside its folders: $stray"

# The control fields: the right version, and the libraries' packages that dpkg-shlibdeps found.
[ "$(dpkg-deb -f "$deb" Package)" = plintova ] || fail "the package is not named plintova"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
# The DXF is written by the program itself: dxflib is a test reference only, not a dependency.
! grep -q libdxflib <<<"$depends" || fail "Depends names libdxflib, which the programs do not use: $depends"
for lib in libqt6widgets6 libqt6gui6 libqt6core6 zlib1g qt6-qpa-plugins fonts-dejavu-core libc6; do
  grep -q "$lib" <<<"$depends" || fail "Depends names no $lib: $depends"
done

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

# The programs and the PDF renderer carry no RPATH of the build tree and no debugging symbols.
for exe in bin/plintova bin/plintova-cli lib/plintova/plintova-pdf.so; do
  dynamic=$(readelf -d "$root/usr/$exe")
  ! grep -qE 'RPATH|RUNPATH' <<<"$dynamic" || fail "$exe has an RPATH"
  grep -q ', stripped' <<<"$(file "$root/usr/$exe")" || fail "$exe is not stripped"
done
# The batch tool needs no Qt library of its own; the renderer exports its entry point alone.
! grep -q 'libQt' <<<"$(readelf -d "$root/usr/bin/plintova-cli")" || fail "plintova-cli is linked with Qt"
exports=$(nm -D --defined-only "$root/usr/lib/plintova/plintova-pdf.so" | awk '$2 ~ /^[TDBRV]$/ {print $3}')
[ "$exports" = plintova_pdf_renderer ] || fail "plintova-pdf.so exports more than its entry point: $exports"

# The desktop entry is valid and opens listings and project files.
desktop="$root/usr/share/applications/plintova.desktop"
# Hints count too: an entry without a main category, say, lands in the menus' catch-all section.
validation=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate refuses the desktop entry: $validation"
[ -z "$validation" ] || fail "desktop-file-validate: $validation"
grep -qx 'Exec=plintova %f' "$desktop" || fail "the desktop entry does not pass the file to plintova"
grep -q '^Categories=.*Engineering;' "$desktop" || fail "the desktop entry is not under Engineering"
for t in application/x-plintova-listing application/x-plintova-project; do
  grep -q "^MimeType=.*$t;" "$desktop" || fail "the desktop entry does not open $t"
done

# The icon is an SVG document.
python3 - "$root/usr/share/icons/hicolor/scalable/apps/plintova.svg" <<'EOF' || fail "the icon is not an SVG document"
import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "{http://www.w3.org/2000/svg}svg", root.tag
assert len(list(root.iter())) > 2
EOF

# The MIME types as the desktop's database reads them: listings by *.ANL and *.anl, projects by *.plintova.
mime_log=$(update-mime-database "$root/usr/share/mime" 2>&1) || fail "update-mime-database refuses the MIME file: $mime_log"
globs="$root/usr/share/mime/globs2"
for g in 'application/x-plintova-listing:\*\.ANL' 'application/x-plintova-listing:\*\.anl' \
         'application/x-plintova-project:\*\.plintova'; do
  grep -q ":$g" "$globs" || fail "the MIME database has no ${g//\\/}"
done
grep -q 'application/x-plintova-listing text/plain' "$root/usr/share/mime/subclasses" ||
  fail "a listing is not known as text"

# The manual pages are gzip files that man reads without a warning and that name the version.
for page in plintova-cli plintova; do
  gz="$root/usr/share/man/man1/$page.1.gz"
  gzip -t "$gz" || fail "$page.1.gz is not a valid gzip file"
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns on $page.1: $warnings"
  text=$(MANWIDTH=80 man -l "$gz" 2>/dev/null)
  grep -q "Plintova $version" <<<"$text" || fail "$page.1 does not name version $version"
done
grep -q -- '--save-project' <<<"$(MANWIDTH=80 man -l "$root/usr/share/man/man1/plintova-cli.1.gz")" ||
  fail "plintova-cli.1 does not describe --save-project"

# Both programs from the unpacked package: the version, and the batch tool on the packaged example.
cli="$root/usr/bin/plintova-cli"
[ "$("$cli" --version)" = "Plintova $version" ] || fail "plintova-cli --version does not print Plintova $version"
out=$("$cli" "$root/usr/share/plintova/examples/FRAME1.ANL") || fail "plintova-cli could not read the packaged FRAME1.ANL"
grep -qF 'SUPPORT REACTIONS :   40' <<<"$out" || fail "plintova-cli read the packaged FRAME1.ANL as: $out"
# The installed batch tool finds its installed PDF renderer.
cp "$root/usr/share/plintova/examples/FRAME1.ANL" "$root/FRAME1.ANL"
"$cli" "$root/FRAME1.ANL" --sbc 200 --depth 1.5 --plan-pdf "$root/plan.pdf" >/dev/null ||
  fail "plintova-cli could not print the plan from the package"
[ "$(head -c 5 "$root/plan.pdf")" = "%PDF-" ] || fail "plintova-cli's plan from the package is no PDF"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/plintova" --version)" = "Plintova $version" ] ||
  fail "plintova --version does not print Plintova $version"
# --version and --help are answered before any window starts: they need no display at all.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/plintova" --version 2>&1)" = "Plintova $version" ] ||
  fail "plintova --version starts the windows"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/usr/bin/plintova" --help) ||
  fail "plintova --help failed"
grep -q '^usage: plintova' <<<"$help" || fail "plintova --help does not print its usage"

echo "test_package: $(basename "$deb") holds $(grep -vc '/$' <<<"$listing") files; every check passed"
