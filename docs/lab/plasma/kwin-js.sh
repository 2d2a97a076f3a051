#!/bin/bash
# kwin-js.sh N 'JS': runs a KWin script in session N and prints what it print()s (KWin's log).
# In the script, wins() lists the windows (KWin 5 and 6), show(w) prints one line about a window:
# its caption, frame and client geometry in logical pixels, and its state.
n=$1; . /tmp/i39k-env$n
qd=$(command -v qdbus6 || command -v qdbus)
f=$(mktemp /tmp/i39k-js.XXXXXX.js); log=/tmp/i39k-kwin$n.log
cat > "$f" <<JS
function wins() { return workspace.windowList ? workspace.windowList() : workspace.clientList(); }
function g(r) { return r.x + "," + r.y + " " + r.width + "x" + r.height; }
function cg(w) { if (w.clientGeometry) return w.clientGeometry; var f = w.frameGeometry, p = w.clientPos, z = w.clientSize; if (!p) return f; return {x: f.x + p.x, y: f.y + p.y, width: z.width, height: z.height}; }
function show(w) { print("WIN " + JSON.stringify(w.caption) + " frame " + g(w.frameGeometry) + " client " + g(cg(w)) + " min " + w.minimized + " attention " + w.demandsAttention + " skipTaskbar " + w.skipTaskbar + " maximizable " + w.maximizable + " active " + w.active); }
$2
JS
lines=$(wc -l < "$log")
id=$($qd org.kde.KWin /Scripting org.kde.kwin.Scripting.loadScript "$f" "lab$$")
$qd org.kde.KWin /Scripting/Script$id org.kde.kwin.Script.run >/dev/null 2>&1 || $qd org.kde.KWin /$id org.kde.kwin.Script.run >/dev/null 2>&1
sleep 0.5
$qd org.kde.KWin /Scripting org.kde.kwin.Scripting.unloadScript "lab$$" >/dev/null
tail -n +$((lines + 1)) "$log" | grep -E "js:|WIN|error" | sed 's/^js: //'
rm -f "$f"
