#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what a technician's
# machine gets from it: the programs, the desktop entries and icons, the udev rule, the
# maintainer script and the control fields with the runtime dependencies.
# Usage: check_deb.sh CPACK CPACK_CONFIG WORK_DIR NAME=0|1...   (NAME=1: program NAME expected)
# Exit 0 when every check passes, 1 on a failure, 77 when dpkg-deb is missing.
set -uo pipefail

if [ $# -lt 3 ]; then
    echo "usage: $0 CPACK CPACK_CONFIG WORK_DIR NAME=0|1..." >&2
    exit 2
fi
cpack="$1" config="$2" work="$3"
shift 3
if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "SKIP: dpkg-deb is not installed"
    exit 77
fi

fails=0
fail() {
    echo "FAIL: $*"
    fails=$((fails + 1))
}

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" -G DEB --config "$config" -B "$work" -D CPACK_PACKAGING_INSTALL_PREFIX=/usr \
    >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack did not build the package"
    exit 1
fi
debs=("$work"/dsptuner_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    cat "$work/cpack.log"
    echo "FAIL: expected one dsptuner_*.deb in $work, found: ${debs[*]}"
    exit 1
fi
deb="${debs[0]}"
echo "package: $deb"
root="$work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
dpkg-deb -e "$deb" "$work/control" || fail "dpkg-deb -e failed"
listing="$(dpkg-deb -c "$deb")"

# --- control fields ---------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local got
    got="$(field "$1")"
    [ "$got" = "$2" ] || fail "control field $1 is '$got', expected '$2'"
}
expect_field Package dsptuner
expect_field Maintainer "dsptuner developers"
expect_field Section sound
if command -v dpkg >/dev/null 2>&1; then
    expect_field Architecture "$(dpkg --print-architecture)"
fi
[ -n "$(field Version)" ] || fail "control field Version is empty"
[ -n "$(field Description)" ] || fail "control field Description is empty"

depends="$(field Depends)"
echo "Depends: $depends"
# Package names of the Depends field, one a line (alternatives split too).
dep_names="$(echo "$depends" | sed 's/[,|]/\n/g' | sed -e 's/(.*)//' -e 's/^ *//' -e 's/ *$//' | grep -v '^$')"
for lib in libqt6widgets6 libqt6network6 libqt6serialport6 libqt6multimedia6 \
    libhidapi-hidraw0 libpulse0; do
    echo "$dep_names" | grep -qx -- "$lib" || fail "Depends lacks $lib"
done
dups="$(echo "$dep_names" | sort | uniq -d)"
[ -z "$dups" ] || fail "Depends lists a package twice: $dups"

# --- file list --------------------------------------------------------------------------------
# Every entry lies below /usr and belongs to root.
bad_paths="$(echo "$listing" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/')"
[ -z "$bad_paths" ] || fail "files outside /usr: $bad_paths"
bad_owner="$(echo "$listing" | awk '$2 != "root/root" {print $6}')"
[ -z "$bad_owner" ] || fail "files not owned by root: $bad_owner"

mode_of() { echo "$listing" | awk -v p="./$1" '$6 == p {print $1}'; }
expect_file() {
    local mode
    mode="$(mode_of "$1")"
    if [ -z "$mode" ]; then
        fail "missing $1"
        return 1
    fi
    [ "$mode" = "$2" ] || fail "$1 has mode $mode, expected $2"
    return 0
}

# --- programs ---------------------------------------------------------------------------------
# The packaged (stripped) program still finds every shared library it needs.
check_links() {
    command -v ldd >/dev/null 2>&1 || return 0
    local missing
    missing="$(ldd "$root/$1" 2>&1 | grep 'not found')"
    [ -z "$missing" ] || fail "$1 needs libraries that are not installed: $missing"
}

desktop_tools=()
for pair in "$@"; do
    prog="${pair%%=*}"
    case "${pair#*=}" in
        1)
            expect_file "usr/bin/$prog" -rwxr-xr-x &&
                check_links "usr/bin/$prog"
            case "$prog" in dsptuner | dsptuner8) desktop_tools+=("$prog") ;; esac
            ;;
        0)
            [ -z "$(mode_of "usr/bin/$prog")" ] || fail "usr/bin/$prog packaged without its target"
            ;;
        *) fail "bad argument $pair" ;;
    esac
done
[ ${#desktop_tools[@]} -gt 0 ] || fail "neither dsptuner nor dsptuner8 is built"

# --- desktop entries and icons ----------------------------------------------------------------
# Value of KEY in the [Desktop Entry] group of FILE.
desktop_key() {
    awk -v key="$2" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$1"
}
# PNG width and height from the IHDR chunk, as "W H".
png_size() {
    local sig
    sig="$(od -An -tx1 -N8 "$1" | tr -d ' \n')"
    [ "$sig" = "89504e470d0a1a0a" ] || return 1
    od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}'
}

have_validate=0
command -v desktop-file-validate >/dev/null 2>&1 && have_validate=1
[ $have_validate = 1 ] || echo "note: desktop-file-validate not installed; desktop files not validated"

for tool in "${desktop_tools[@]}"; do
    case "$tool" in
        dsptuner) name="Sonaro-2 DSP Tuner" name_zh="Sonaro-2 DSP 调音工具" ;;
        dsptuner8) name="Sonaro-2 DSP Tuner 8" name_zh="Sonaro-2 DSP 调音工具 8" ;;
    esac
    entry="usr/share/applications/$tool.desktop"
    if expect_file "$entry" -rw-r--r--; then
        f="$root/$entry"
        [ "$(desktop_key "$f" Type)" = Application ] || fail "$entry: Type is not Application"
        [ "$(desktop_key "$f" Name)" = "$name" ] || fail "$entry: Name is not '$name'"
        [ "$(desktop_key "$f" 'Name[zh_CN]')" = "$name_zh" ] || fail "$entry: Name[zh_CN] is not '$name_zh'"
        exec_prog="$(desktop_key "$f" Exec | awk '{print $1}')"
        [ "$exec_prog" = "$tool" ] || fail "$entry: Exec runs '$exec_prog', expected $tool"
        [ "$(desktop_key "$f" Icon)" = "$tool" ] || fail "$entry: Icon is not $tool"
        if [ $have_validate = 1 ]; then
            desktop-file-validate "$f" || fail "$entry: desktop-file-validate reports errors"
        fi
    fi
    svg="usr/share/icons/hicolor/scalable/apps/$tool.svg"
    if expect_file "$svg" -rw-r--r--; then
        grep -q '<svg' "$root/$svg" || fail "$svg is not an SVG image"
    fi
    for size in 16 22 24 32 48 64 128 256; do
        png="usr/share/icons/hicolor/${size}x${size}/apps/$tool.png"
        if expect_file "$png" -rw-r--r--; then
            got="$(png_size "$root/$png")" || { fail "$png is not a PNG image"; continue; }
            [ "$got" = "$size $size" ] || fail "$png is $got pixels, expected $size x $size"
        fi
    done
done

# --- udev rule --------------------------------------------------------------------------------
rule="usr/lib/udev/rules.d/70-dsptuner.rules"
if expect_file "$rule" -rw-r--r--; then
    # One rule line must match the processor's hidraw node and tag it for the seat's user.
    match="$(grep -v '^[[:space:]]*#' "$root/$rule" |
        grep -F 'SUBSYSTEM=="hidraw"' | grep -F 'ATTRS{idVendor}=="1984"' |
        grep -F 'ATTRS{idProduct}=="0419"' | grep -F 'TAG+="uaccess"')"
    [ -n "$match" ] || fail "$rule has no hidraw rule for 1984:0419 with TAG+=\"uaccess\""
    # uaccess is turned into an ACL by 73-seat-late.rules, so the rule must sort before it.
    prefix="$(basename "$rule" | sed -n 's/^\([0-9][0-9]\)-.*/\1/p')"
    if [ -z "$prefix" ] || [ "$prefix" -ge 73 ]; then
        fail "$rule sorts after 73-seat-late.rules"
    fi
    bad_lines="$(grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$root/$rule" | grep -v -E '^[A-Z]+(\{[A-Za-z_]+\})?[=!+:]?=".*"(, *[A-Z]+(\{[A-Za-z_]+\})?[=!+:]?=".*")*$')"
    [ -z "$bad_lines" ] || fail "$rule has lines that are not KEY==\"value\" lists: $bad_lines"
fi

# --- maintainer script ------------------------------------------------------------------------
postinst="$work/control/postinst"
if [ -f "$postinst" ]; then
    [ -x "$postinst" ] || fail "postinst is not executable"
    sh -n "$postinst" || fail "postinst has a shell syntax error"
    grep -q 'udevadm trigger' "$postinst" || fail "postinst does not apply the udev rule"
else
    fail "the package has no postinst"
fi

if [ $fails -gt 0 ]; then
    echo "$fails check(s) failed"
    exit 1
fi
echo "package checks passed"
