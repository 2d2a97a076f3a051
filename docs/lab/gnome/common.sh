# Sourced by the lab's scripts: where the lab lies, mutterlab.py, and a session of one's own.
lab=$(cd "$(dirname "$0")" && pwd)
py=/usr/bin/python3
ml="$py $lab/mutterlab.py"
# Starts session.sh NAME WxH [shell] in the background and takes its environment once it is up.
start_session() {
    "$lab/session.sh" "$@" > /dev/null 2>&1 &
    for i in $(seq 90); do [ -f "/tmp/i39g-$1/env" ] && break; sleep 0.5; done
    sleep 2
    . "/tmp/i39g-$1/env"
}
