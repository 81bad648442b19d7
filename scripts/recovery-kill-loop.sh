#!/usr/bin/env bash
# The recovery files' kill loop (part of scripts/long.sh): a scripted editing session in
# the real editor (offscreen) is killed with SIGKILL at a random moment, 50 times. Each
# time the editor is started again, answers Yes to the recovery question and prints the
# hash of the zone it got back. That zone must be one of the states the killed session
# passed through (never a torn or half-written copy), and no state reached more than 5 s
# (plus 1 s for writing the copy) before the kill may be missing.
#   scripts/recovery-kill-loop.sh [KILLS] [BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
kills=${1:-50}
build=${2:-build}
editor="$build/quendryedit"
[ -x "$editor" ] || { echo "no $editor: build it first" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/quendry-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The session: a zone, then rooms made, renamed and described, extra descriptions and
# undos, a step every 150 to 450 ms, for about a minute.
session="$work/session.txt"
{
    echo "log-states $work/states.log"
    echo "trigger itemNewArea"
    echo "type TfrmNewZone editName Kill Loop"
    echo "type TfrmNewZone editNumber 77"
    echo "type TfrmNewZone editStart 7700"
    echo "click TfrmNewZone btnOk"
    RANDOM=7
    for i in $(seq 1 120); do
        case $((RANDOM % 6)) in
            0|1) echo "click TEditMain btnwld_NewRoom"
                 echo "type TEditMain editRoomName Room $i"
                 echo "type TEditMain memoRoom Made at step $i.\nSecond line.\n"
                 echo "click TEditMain btnwld_Update" ;;
            2)   echo "type TEditMain editRoomName Renamed $i"
                 echo "click TEditMain btnwld_Update" ;;
            3)   echo "click TEditMain btnExtra"
                 echo "click TExtraDesc btnAdd"
                 echo "type TExtraDesc editKey key$i"
                 echo "type TExtraDesc memoRoom Extra $i.\n"
                 echo "click TExtraDesc btnUpdate"
                 echo "click TExtraDesc btnDone" ;;
            4)   echo "trigger itemUndo" ;;
            5)   echo "click TEditMain btnPrev" ;;
        esac
        echo "sleep $((150 + RANDOM % 300))"
    done
    echo "sleep 600000"
} >"$session"
printf 'recover yes\nhash\nanswer yes\nquit\n' >"$work/restart.txt"

failures=0
for k in $(seq 1 "$kills"); do
    rm -rf "$work/data" "$work/states.log"
    delay_ms=$((2000 + (RANDOM * 32768 + RANDOM) % 40000))
    QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" QUENDRY_TEST_SCRIPT="$session" \
        "$editor" >"$work/session.out" 2>&1 &
    pid=$!
    sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
    killed_at=$(date +%s%3N)
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" QUENDRY_TEST_SCRIPT="$work/restart.txt" \
        timeout 60 "$editor" >"$work/restart.out" 2>&1 || true
    hash=$(sed -n 's/^state-hash: //p' "$work/restart.out")
    verdict=$(awk -v hash="$hash" -v killed="$killed_at" '
        { time[NR] = $1; h[NR] = $2 }
        END {
            for (i = NR; i >= 1; --i) if (h[i] == hash) { found = i; break }
            if (!found) { print "not a state the session passed through"; exit }
            if (found < NR && time[found + 1] < killed - 6000)
                print "states older than 5 s are missing (the first at " killed - time[found + 1] " ms before the kill)"
            else
                print "ok, state " found " of " NR
        }' "$work/states.log")
    echo "kill $k after $delay_ms ms: $verdict"
    case $verdict in ok*) ;; *) failures=$((failures + 1)); cp "$work/restart.out" "$work/states.log" /tmp/ 2>/dev/null || true ;; esac
done
echo "== recovery kill loop: $kills kills, $failures failures"
[ "$failures" -eq 0 ]
