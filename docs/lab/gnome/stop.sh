#!/bin/bash
# Ends a lab session started by session.sh: every process it recorded, by pid, newest first, then
# whatever D-Bus started for it (portals, gvfsd): the processes whose environment names the
# session's own XDG_RUNTIME_DIR.
rt=/tmp/i39g-$1
mine() {
    cat "$rt/pids" 2>/dev/null | tac
    grep -lz "^XDG_RUNTIME_DIR=$rt\$" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3
}
for p in $(mine); do kill "$p" 2>/dev/null; done
sleep 2
for p in $(mine); do kill -9 "$p" 2>/dev/null; done
true
