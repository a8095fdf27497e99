#!/usr/bin/env bash
# Start-up figures: time from launch until the first window is shown and painted, and peak
# memory (maximum resident set), each the median of N runs, for every program given. The first
# program is compared with the second, e.g. the window program with bench/bare_window, an empty
# Qt window of the same size built with the same flags:
#
#   bench/startup.sh [-n RUNS] [--offscreen] PROGRAM [PROGRAM...]
#   bench/startup.sh build-startup/app/orsela build-startup/bench/bare_window
#
# Each program must honour ORSELA_EXIT_WHEN_SHOWN=1: print "startup: shown after N ms" and quit.
# The script sets ORSELA_LAUNCH_REALTIME_US just before it starts a program, which the program
# uses as its launch time. Runs under one Xvfb server (xvfb-run, Debian xvfb and xauth) started
# before the first run, or with Qt's offscreen platform (--offscreen, or when xvfb-run is
# missing). Peak memory comes from GNU time (/usr/bin/time, Debian time).
set -euo pipefail

usage() {
    echo "usage: $0 [-n RUNS] [--offscreen] PROGRAM [PROGRAM...]" >&2
    exit 2
}

runs=20
offscreen=0
programs=()
while [ $# -gt 0 ]; do
    case "$1" in
    -n)
        [ $# -ge 2 ] || usage
        runs=$2
        shift 2
        ;;
    --offscreen)
        offscreen=1
        shift
        ;;
    -h | --help) usage ;;
    -*) usage ;;
    *)
        programs+=("$1")
        shift
        ;;
    esac
done
[ ${#programs[@]} -gt 0 ] || usage
if ! [[ "$runs" =~ ^[1-9][0-9]*$ ]]; then
    echo "startup.sh: RUNS must be a positive whole number, not '$runs'" >&2
    exit 2
fi
for program in "${programs[@]}"; do
    if ! [ -x "$program" ] || [ -d "$program" ]; then
        echo "startup.sh: no program at $program (build it first)" >&2
        exit 2
    fi
done
if ! [ -x /usr/bin/time ]; then
    echo "startup.sh: GNU time is missing: apt-get install time" >&2
    exit 1
fi

# A desktop session has a D-Bus session bus, which Qt asks about accessibility
# at start-up. Without one (a bare shell, CI) Qt tries to start a bus for every
# launch (fork and exec of dbus-launch), which a desktop never sees and which
# weighs on whatever else the program does meanwhile. One private session bus
# for all runs, as on a desktop (Debian dbus-daemon), where none is there.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -z "${ORSELA_STARTUP_IN_BUS:-}" ] &&
    command -v dbus-run-session >/dev/null; then
    export ORSELA_STARTUP_IN_BUS=1
    extra=()
    [ "$offscreen" -eq 1 ] && extra+=(--offscreen)
    exec dbus-run-session -- "$0" -n "$runs" "${extra[@]}" "${programs[@]}" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
if [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    bus="a session bus"
else
    bus="no session bus (dbus-run-session missing: apt-get install dbus-daemon)"
fi

# One X server for all runs, so its own start-up is not counted.
if [ "$offscreen" -eq 0 ] && [ -z "${ORSELA_STARTUP_UNDER_XVFB:-}" ]; then
    if command -v xvfb-run >/dev/null && command -v xauth >/dev/null; then
        export ORSELA_STARTUP_UNDER_XVFB=1
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
            "$0" -n "$runs" "${programs[@]}"
    fi
    echo "startup.sh: xvfb-run or xauth missing (apt-get install xvfb xauth); using offscreen" >&2
    offscreen=1
fi
if [ "$offscreen" -eq 1 ]; then
    export QT_QPA_PLATFORM=offscreen
    where="Qt offscreen platform"
else
    export QT_QPA_PLATFORM=xcb
    where="Xvfb ($DISPLAY)"
fi
where="$where, $bus"
export ORSELA_EXIT_WHEN_SHOWN=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One launch: appends the shown-after milliseconds and the peak kilobytes to the program's files.
launch() {
    local program=$1 label=$2
    local out="$work/out" err="$work/err" usage="$work/usage"
    # The stamp is taken by the shell itself, just before it forks.
    if ! ORSELA_LAUNCH_REALTIME_US=${EPOCHREALTIME/./} \
        timeout 60 /usr/bin/time -v -o "$usage" "$program" >"$out" 2>"$err"; then
        echo "startup.sh: $program failed or timed out:" >&2
        cat "$out" "$err" "$usage" >&2 2>/dev/null || true
        exit 1
    fi
    local shown peak
    shown=$(sed -n 's/^startup: shown after \([0-9.]*\) ms$/\1/p' "$out")
    peak=$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): \([0-9]*\)$/\1/p' "$usage")
    if [ -z "$shown" ] || [ -z "$peak" ]; then
        echo "startup.sh: $program printed no start-up figure (does it honour ORSELA_EXIT_WHEN_SHOWN=1?)" >&2
        cat "$out" "$err" >&2
        exit 1
    fi
    echo "$shown" >>"$work/$label.ms"
    echo "$peak" >>"$work/$label.kb"
}

median() {
    sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A first launch of each fills the file cache; it is not counted. Then the programs take turns,
# in turn forwards and backwards, so a slow spell of the machine or going first hits all alike.
for i in "${!programs[@]}"; do
    launch "${programs[$i]}" warmup
done
rm -f "$work"/warmup.*
forwards=("${!programs[@]}")
backwards=()
for ((i = ${#programs[@]} - 1; i >= 0; i--)); do
    backwards+=("$i")
done
for ((run = 1; run <= runs; run++)); do
    if ((run % 2)); then order=("${forwards[@]}"); else order=("${backwards[@]}"); fi
    for i in "${order[@]}"; do
        launch "${programs[$i]}" "p$i"
    done
done

echo "Start-up, median of $runs runs, $where:"
printf '%-44s %14s %14s\n' program "shown after" "peak memory"
declare -a shown_ms peak_kb
for i in "${!programs[@]}"; do
    shown_ms[i]=$(median "$work/p$i.ms")
    peak_kb[i]=$(median "$work/p$i.kb")
    printf '%-44s %11.1f ms %10.1f MiB\n' "${programs[$i]}" "${shown_ms[i]}" \
        "$(awk -v kb="${peak_kb[i]}" 'BEGIN { print kb / 1024 }')"
done
if [ ${#programs[@]} -ge 2 ]; then
    printf '%-44s %13.2fx %13.2fx\n' "ratio $(basename "${programs[0]}") / $(basename "${programs[1]}")" \
        "$(awk -v a="${shown_ms[0]}" -v b="${shown_ms[1]}" 'BEGIN { print a / b }')" \
        "$(awk -v a="${peak_kb[0]}" -v b="${peak_kb[1]}" 'BEGIN { print a / b }')"
fi
