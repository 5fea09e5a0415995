#!/usr/bin/env bash
# check-installed-program.sh <cmake> <build-folder>
# Installs the build into a temporary staging folder with the prefix /usr and drives the installed
# program as a user would, on a virtual X server: a first start without a store shows the
# first-start dialog, "新建数据文件…" to a new path creates a store and leads to the login; a
# second start goes to the login at once.
set -euo pipefail
cmake=$1 build=$2

stage=$(mktemp -d)
program_pid= xvfb_pid=
cleanup() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$stage"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

DESTDIR=$stage/root "$cmake" --install "$build" --prefix /usr >/dev/null
bin=$stage/root/usr/bin

# A display of our own: the number Xvfb picked arrives once it accepts clients.
# -noreset: the server would otherwise reset whenever its last client leaves (the check below,
# the first start ending), and a client knocking during the reset is turned away.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$stage/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$stage/display" ] && break
    sleep 0.1
done
[ -s "$stage/display" ] || fail "Xvfb did not start"
# A client must get through before the program starts, or its failure would be the program's.
for _ in $(seq 100); do
    DISPLAY=:$(cat "$stage/display") xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.1
done
DISPLAY=:$(cat "$stage/display") xdotool getdisplaygeometry >/dev/null 2>&1 ||
    fail "Xvfb on :$(cat "$stage/display") takes no clients"

mkdir -p "$stage/home" "$stage/shared"
export DISPLAY=:$(cat "$stage/display") QT_QPA_PLATFORM=xcb HOME=$stage/home
export XDG_CONFIG_HOME=$stage/config
# The tests hide the platform plugins' messages; here they would say why a start failed.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE QT_LOGGING_RULES
settings=$XDG_CONFIG_HOME/QxReminder/qxconfig.ini
store=$stage/shared/team.mcm

# The id of the program's visible window whose title starts with the text (compared here:
# xdotool's own pattern match does not take Chinese reliably); empty when there is none.
find_window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$program_pid" --name '' 2>/dev/null); do
        if [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$1"* ]]; then
            echo "$id"
            return
        fi
    done
}
wait_for_window() {
    local title=$1 id
    for _ in $(seq 150); do
        kill -0 "$program_pid" 2>/dev/null || fail "the program ended while waiting for '$title'"
        id=$(find_window "$title")
        if [ -n "$id" ]; then
            echo "$id"
            return
        fi
        sleep 0.1
    done
    fail "no window '$title' appeared"
}
# Gives the window the keyboard (there is no window manager to do it) and types keys into it.
press() {
    local window=$1
    shift
    xdotool mousemove --window "$window" 5 5 windowfocus --sync "$window"
    xdotool "$@"
}
stop_program() {
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=
}

LC_ALL=C.UTF-8 "$bin/qxreminder" &
program_pid=$!
first_start=$(wait_for_window '选择数据文件')
# The first button has the focus: the second is "新建数据文件…".
press "$first_start" key --delay 100 Tab space
picker=$(wait_for_window '新建数据文件')
press "$picker" key ctrl+a type --delay 10 "$store"
press "$picker" key Return
wait_for_window ' 登录系统' >/dev/null
[ -f "$store" ] || fail "no store was created at $store: $(cat "$settings" 2>&1; find "$stage" -name "*.mcm")"
grep -qx "Path=$store" "$settings" || fail "the settings do not name the new store: $(cat "$settings")"
if "$bin/qxreminder-newstore" "$store" >/dev/null 2>&1; then
    fail "qxreminder-newstore overwrote the new store"
fi
stop_program

LC_ALL=C.UTF-8 "$bin/qxreminder" &
program_pid=$!
wait_for_window ' 登录系统' >/dev/null
if [ -n "$(find_window '选择数据文件')" ]; then
    fail "the second start asked for a store again"
fi
stop_program
echo "installed program checked: first start created $store, second start reached the login"
