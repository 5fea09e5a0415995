#!/usr/bin/env bash
# check-install.sh <cmake> <build-folder> <project-version>
# Installs the build into a temporary staging folder with the prefix /usr, as the package does,
# and checks the installed layout: the exact list of files and their modes, the icons' sizes,
# the manual pages, and what the desktop's own validators say of the entry and the metainfo.
set -euo pipefail
cmake=$1 build=$2 version=$3
app_id=cn.chengling.QxReminder

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >/dev/null
root=$stage/usr

icon_sizes=(16 24 32 48 64 128 256)
sounds=(reminder.wav SOUND560.WAV Trumpet1.wav)
expected=(
    bin/qxreminder
    bin/qxreminder-newstore
    "${sounds[@]/#/share/qxreminder/wave/}"
    share/applications/$app_id.desktop
    share/metainfo/$app_id.metainfo.xml
    share/icons/hicolor/scalable/apps/$app_id.svg
    share/man/man1/qxreminder.1.gz
    share/man/man1/qxreminder-newstore.1.gz
)
for size in "${icon_sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$app_id.png")
done

if ! diff <(printf '%s\n' "${expected[@]}" | sort) \
    <(cd "$stage" && find . ! -type d | sed 's|^\./usr/||' | sort); then
    fail "the installed files are not the expected ones (<: expected, >: installed)"
fi

for program in qxreminder qxreminder-newstore; do
    [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done
wrong_modes=$(cd "$root" && find share -type f ! -perm 644)
[ -z "$wrong_modes" ] || fail "data files not of mode 644: $wrong_modes"

# The sounds are the ones the build generated, not copies from elsewhere.
for sound in "${sounds[@]}"; do
    cmp -s "$build/bin/wave/$sound" "$root/share/qxreminder/wave/$sound" ||
        fail "share/qxreminder/wave/$sound differs from the built $sound"
done

for size in "${icon_sizes[@]}"; do
    icon=$root/share/icons/hicolor/${size}x$size/apps/$app_id.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        fail "the ${size}x$size icon is not a $size x $size PNG: $(file -b "$icon")"
done
svg=$root/share/icons/hicolor/scalable/apps/$app_id.svg
file -b "$svg" | grep -q '^SVG Scalable Vector Graphics image' || fail "the scalable icon is not SVG"

desktop=$root/share/applications/$app_id.desktop
complaints=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$complaints" ] || fail "desktop-file-validate: $complaints"
exec_command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/bin/$exec_command" ] || fail "the desktop entry starts '$exec_command', not installed"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop entry's icon is not $app_id"

metainfo=$root/share/metainfo/$app_id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 ||
    fail "appstreamcli validate: $(appstreamcli validate --no-net "$metainfo" 2>&1)"
# The tree check also sees that the metainfo's launchable desktop entry is installed.
appstreamcli validate-tree --no-net "$root" >/dev/null 2>&1 ||
    fail "appstreamcli validate-tree: $(appstreamcli validate-tree --no-net "$root" 2>&1)"
newest_release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$newest_release" = "$version" ] ||
    fail "the metainfo's newest release is '$newest_release', the project is $version"

for page in qxreminder qxreminder-newstore; do
    man_page=$root/share/man/man1/$page.1.gz
    if ! gzip -t "$man_page" 2>/dev/null; then
        fail "$page.1.gz is not gzip"
        continue
    fi
    warnings=$(gzip -dc "$man_page" | groff -k -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "groff warns on $page.1: $warnings"
    gzip -dc "$man_page" | grep -q "^\.TH .* \"QxReminder $version\"" ||
        fail "$page.1 does not name version $version"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures failed checks of the installed layout"
    exit 1
fi
echo "installed layout checked: ${#expected[@]} files"
