# Sourced: a Radicale server on a free port with one calendar, and two homes
# A and B whose sync folders vdirsyncer carries to it, with the commands to
# run tickwell-cli and vdirsyncer in either. Needs CLI and TODAY set.
work=$(mktemp -d)
radicale_pid=
cleanup() {
    [ -z "$radicale_pid" ] || { kill "$radicale_pid" && wait "$radicale_pid"; } 2>/dev/null || true
    rm -rf "$work" || true
}
trap cleanup EXIT
trap "exit 1" TERM INT HUP
# A run that cannot go on ends at once; a check that fails is told and the
# run goes on, so that one run shows every difference.
fail() { echo "FAIL: $*" >&2 && exit 1; }
status=0
bad() { echo "FAIL: $*" >&2 && status=1; }
# Not even vdirsyncer's or Radicale's defaults may reach the real home.
export HOME=$work/home XDG_CACHE_HOME=$work/home/cache XDG_STATE_HOME=$work/home/state
mkdir -p "$HOME"

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf '[server]\nhosts = 127.0.0.1:%s\n[auth]\ntype = none\n[rights]\ntype = owner_only\n[storage]\nfilesystem_folder = %s\n' \
    "$port" "$work/radicale" >"$work/radicale.conf"
radicale --config "$work/radicale.conf" >"$work/radicale.log" 2>&1 &
radicale_pid=$!
# The limit only ends a run that hangs.
for ((i = 0; ; i++)); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && break
    kill -0 "$radicale_pid" 2>/dev/null || fail "Radicale ended: $(cat "$work/radicale.log")"
    ((i < 300)) || fail "Radicale does not answer on port $port"
    sleep 0.1
done
CAL=http://127.0.0.1:$port/user/cal/
code=$(curl -s -o /dev/null -w '%{http_code}' -u user:x -X MKCALENDAR "$CAL")
[ "$code" = 201 ] || fail "MKCALENDAR $CAL answered $code"

for h in A B; do
    mkdir -p "$work/$h/cal"
    cat >"$work/$h/vdirsyncer.conf" <<CONF
[general]
status_path = "$work/$h/vdirsyncer-status/"
[pair cal]
a = "cal_folder"
b = "cal_server"
collections = null
conflict_resolution = ["command", "$CLI", "vdir", "--resolve"]
[storage cal_folder]
type = "filesystem"
path = "$work/$h/cal"
fileext = ".ics"
[storage cal_server]
type = "caldav"
url = "$CAL"
username = "user"
password = "x"
CONF
    { yes || true; } | VDIRSYNCER_CONFIG=$work/$h/vdirsyncer.conf vdirsyncer discover cal \
        >"$work/vdirsyncer.log" 2>&1 || fail "vdirsyncer discover on $h: $(cat "$work/vdirsyncer.log")"
done
vsync() {
    VDIRSYNCER_CONFIG=$work/$1/vdirsyncer.conf vdirsyncer sync >"$work/vdirsyncer.log" 2>&1 ||
        fail "vdirsyncer sync on $1: $(cat "$work/vdirsyncer.log")"
}
sync_A() { vsync A; }
sync_B() { vsync B; }
# run HOME ARGS...: tickwell-cli in that home, its output in $work/out, its
# status in rc.
run() {
    rc=0
    TICKWELL_HOME=$work/$1 XDG_CONFIG_HOME=$work/$1 XDG_DATA_HOME=$work/$1 \
        "$CLI" --date "$TODAY" "${@:2}" >"$work/out" 2>"$work/err" || rc=$?
    cat "$work/err" >>"$work/out"
}
tw() { run "$@" && ((rc == 0)) || fail "tickwell-cli ${*:2} on $1 exited $rc: $(cat "$work/out")"; }
# The first command after a sync takes in the folder's changes; what it
# says of them goes to the error stream, kept for the checks.
step_in() {
    run "$1" due
    ((rc == 0)) || fail "tickwell-cli due on $1 exited $rc: $(cat "$work/out")"
    cat "$work/err" >>"$work/$1.warned"
}
