#!/bin/bash
# A corner of the board, cells and grid lines, enlarged 8 times without smoothing, and the
# score labels' text enlarged 4 times: to judge lines, seams and text in device pixels.
# Usage: zoom.sh PICTURE (with OUT-info.txt beside it, from play.sh)
pic=$1 info=${1%-*}-info.txt
read -r _ _ at size _ < "$info"
bx=${at%,*} by=${at#*,} bw=${size%x*}
s() { echo "$1 * $bw / 429" | bc -l | xargs printf '%.0f'; }
convert "$pic" -crop 64x64+$((bx + 4))+$((by + 4)) +repage -filter point -resize 800% "${pic%.png}-zoom-board.png"
convert "$pic" -crop $(s 250)x$(s 40)+$((bx + $(s 176)))+$((by - $(s 44))) +repage -filter point -resize 400% "${pic%.png}-zoom-text.png"
