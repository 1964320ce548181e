#!/usr/bin/env bash
# Draws the pictures of the demo test QV-202 (data/questions/cisco/qv202.qsrc): the panel
# questions (p4_*), the labelled panel questions (p6_*) and the connector questions (p7_*, each with
# its answer picture p7_*_ans). The rectangles drawn here are the ones the questions' data names:
# change both together.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
out=data/questions/cisco/img
mkdir -p "$out"
font=IPAGothic

# --- panel pictures ----------------------------------------------------------------------------
# One row per line: a caption at the left, a dashed target box (210..350) and a panel (380..520),
# rows 45 pixels apart from y = 50, each box 30 high. Usage:
#   panel_picture FILE TITLE "caption|caption|..." "panel|panel|..."
# An empty caption leaves that row without a target; an empty panel text leaves it without a panel.
panel_picture() {
    local file=$1 title=$2
    IFS='|' read -r -a captions <<<"$3"
    IFS='|' read -r -a panels <<<"$4"
    local rows=${#captions[@]}
    ((${#panels[@]} > rows)) && rows=${#panels[@]}
    local height=$((50 + 45 * rows))
    local args=(-size "540x${height}" xc:white -font "$font" -pointsize 15 -fill black
                -annotate +12+28 "$title" -pointsize 13)
    for ((i = 0; i < rows; i++)); do
        local top=$((50 + 45 * i)) bottom=$((79 + 45 * i)) base=$((70 + 45 * i))
        if [[ -n "${captions[i]:-}" ]]; then
            args+=(-fill black -annotate "+12+$base" "${captions[i]}"
                   -fill '#f4f4f4' -stroke '#888888' -strokewidth 1
                   -draw "stroke-dasharray 4 3 rectangle 210,$top 349,$bottom" -stroke none)
        fi
        if [[ -n "${panels[i]:-}" ]]; then
            args+=(-fill '#dbe8ff' -stroke '#2050a0' -draw "rectangle 380,$top 519,$bottom" -stroke none
                   -fill '#102050' -annotate "+390+$base" "${panels[i]}")
        fi
    done
    convert "${args[@]}" -colors 16 -strip -define png:exclude-chunk=date,time "PNG8:$out/$file"
}

panel_picture p4_osi.png "OSI 参照モデルの層を正しい位置に置いてください。" \
    "第4層|第3層|第2層|第1層" "データリンク層|物理層|トランスポート層|ネットワーク層"
panel_picture p4_handshake.png "TCP の 3 ウェイハンドシェイクを順に並べてください。" \
    "① クライアント→サーバ|② サーバ→クライアント|③ クライアント→サーバ" "ACK|FIN|SYN|SYN+ACK"
panel_picture p4_devices.png "各層で中継する機器を置いてください。" \
    "レイヤ3 (ネットワーク層)|レイヤ2 (データリンク層)|レイヤ1 (物理層)" "スイッチ|リピータハブ|ルータ"
panel_picture p4_ports.png "よく知られたポート番号を置いてください。" \
    "HTTP|HTTPS|SSH|DNS" "22|53|80|443|25"
panel_picture p6_addresses.png "アドレスの種類を置いてください。" \
    "10.1.2.3|172.16.0.5|203.0.113.7|192.168.1.10|198.51.100.20" \
    "プライベート|グローバル|プライベート|グローバル|プライベート"
panel_picture p6_zones.png "サーバを置くゾーンを選んでください。" \
    "社外公開の Web サーバ|社外公開の DNS サーバ|人事データベース|社内ファイルサーバ" \
    "内部 LAN|DMZ|内部 LAN|DMZ"
panel_picture p6_vlan.png "スイッチのポートに VLAN を割り当ててください。" \
    "ポート1: 営業部の PC|ポート2: 営業部の PC|ポート3: 開発部の PC|ポート4: 未使用" \
    "VLAN 10 (営業)|VLAN 20 (開発)|VLAN 10 (営業)|VLAN 20 (開発)"
panel_picture p6_cables.png "Auto-MDIX のない機器をつなぐケーブルを選んでください。" \
    "PC とスイッチ|スイッチとルータ|PC と PC の直結|スイッチとスイッチ" \
    "クロス|ストレート|クロス|ストレート"

# --- connector pictures ------------------------------------------------------------------------
# 560 x 330. The band (rows 0..44) holds the palette: straight (10..99), cross (110..199) and
# serial (210..299), each 8..35 high; the devices are 80 x 40 boxes below it.
device() { # X Y NAME KIND -> draw arguments for one device box at (X,Y)
    local x=$1 y=$2 name=$3 colour=$4
    printf '%s\n' -fill "$colour" -stroke black -draw "roundrectangle $x,$y $((x + 79)),$((y + 39)) 6,6" \
        -stroke none -fill black -annotate "+$((x + 12))+$((y + 25))" "$name"
}
connector_base() { # FILE DEVICE... where DEVICE is "X,Y,NAME,COLOUR"
    local file=$1
    shift
    local args=(-size 560x330 xc:white -font "$font" -pointsize 13
                -fill '#f0f0f0' -draw "rectangle 0,0 559,44"
                -fill '#ffffff' -stroke black -draw "rectangle 10,8 99,35" -draw "rectangle 110,8 199,35"
                -draw "rectangle 210,8 299,35" -stroke none -fill black
                -annotate +20+27 "ストレート" -annotate +134+27 "クロス" -annotate +222+27 "シリアル →"
                -fill '#666666' -pointsize 11 -annotate +312+26 "(シリアルは DCE 側から選ぶ)" -pointsize 14
                "${lines[@]}")
    # The devices lie above the answer's cables.
    for d in "$@"; do
        IFS=',' read -r x y name colour <<<"$d"
        mapfile -t more < <(device "$x" "$y" "$name" "$colour")
        args+=("${more[@]}")
    done
    convert "${args[@]}" -colors 32 -strip -define png:exclude-chunk=date,time "PNG8:$out/$file"
}
# An answer line between the centres of two devices, the cable's name written beside its middle.
cable() { # X1 Y1 X2 Y2 TEXT
    local mx=$((($1 + $3) / 2)) my=$((($2 + $4) / 2))
    lines+=(-stroke '#c00000' -strokewidth 2 -draw "line $1,$2 $3,$4" -stroke none -strokewidth 1
            -fill '#c00000' -pointsize 12 -annotate "+$((mx - 30))+$((my - 6))" "$5" -pointsize 14)
}
PC='#e8f4e0'
SW='#e0ecff'
RT='#ffeccc'

# 1. PC1 - SW1 - R1 => R2 (R1 is the DCE).
q1=("40,140,PC1,$PC" "230,140,SW1,$SW" "440,100,R1,$RT" "440,240,R2,$RT")
lines=()
connector_base p7_office.png "${q1[@]}"
lines=()
cable 80 160 270 160 "ストレート"
cable 270 160 480 120 "ストレート"
cable 480 120 480 260 "シリアル R1→R2"
connector_base p7_office_ans.png "${q1[@]}"

# 2. Two PCs joined directly.
q2=("80,160,PC1,$PC" "400,160,PC2,$PC" "240,260,SW1,$SW")
lines=()
connector_base p7_direct.png "${q2[@]}"
lines=()
cable 120 180 440 180 "クロス"
connector_base p7_direct_ans.png "${q2[@]}"

# 3. Two switches with one PC each.
q3=("40,100,PC1,$PC" "40,240,PC2,$PC" "240,100,SW1,$SW" "440,170,SW2,$SW")
lines=()
connector_base p7_switches.png "${q3[@]}"
lines=()
cable 80 120 280 120 "ストレート"
cable 280 120 480 190 "クロス"
cable 80 260 480 190 "ストレート"
connector_base p7_switches_ans.png "${q3[@]}"

# 4. Three routers in a row (R1 and R3 are DCE towards R2) and a PC on R1.
q4=("40,240,PC1,$PC" "40,100,R1,$RT" "240,100,R2,$RT" "440,100,R3,$RT")
lines=()
connector_base p7_wan.png "${q4[@]}"
lines=()
cable 80 260 80 120 "クロス"
cable 80 120 280 120 "シリアル R1→R2"
cable 480 120 280 120 "シリアル R3→R2"
connector_base p7_wan_ans.png "${q4[@]}"

ls -l "$out"/p[467]_*
