#!/usr/bin/env bash
# Runs the program against the local marketplace: ./tools/run-local.sh BUILD_DIR
set -euo pipefail

build_dir=${1:?usage: run-local.sh BUILD_DIR}
program="$build_dir/src/app/delist"
sim="$build_dir/tools/market-sim/market-sim"

if [[ ! -x "$program" ]]; then
    echo "run-local: $program is missing; build first" >&2
    exit 1
fi

sim_pid=
stop_sim() {
    if [[ -n "$sim_pid" ]]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    [[ -n "${sim_out:-}" ]] && rm -f "$sim_out"
}
trap stop_sim EXIT
trap "exit 130" INT TERM

if [[ -x "$sim" ]]; then
    sim_out=$(mktemp)
    "$sim" --port 0 --latency-ms 20 >"$sim_out" &
    sim_pid=$!
    port=
    for _ in $(seq 1 100); do
        port=$(head -n 1 "$sim_out" | grep -oE '[0-9]+' | tail -n 1 || true)
        [[ -n "$port" ]] && break
        if ! kill -0 "$sim_pid" 2>/dev/null; then break; fi
        sleep 0.1
    done
    if [[ -z "$port" ]]; then
        echo "run-local: market-sim did not report its port:" >&2
        cat "$sim_out" >&2
        exit 1
    fi
    echo "run-local: market-sim on 127.0.0.1:$port"
    export DELIST_SEARCH_HOST="127.0.0.1:$port"
    export DELIST_ITEM_HOST="127.0.0.1:$port"
    export DELIST_GATEWAY_HOST="127.0.0.1:$port"
    export DELIST_NOTICE_URL="http://127.0.0.1:$port/notice.txt"
else
    echo "run-local: warning: $sim is missing; the program uses its default hosts" >&2
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "run-local: no display; running under xvfb-run -a"
    xvfb-run -a -s "-screen 0 1024x768x24" "$program"
else
    "$program"
fi
