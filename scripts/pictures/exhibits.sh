#!/usr/bin/env bash
# Draws the demo's exhibit, case study and graphic-question pictures with ImageMagick.
# Every shape is written out below with its coordinates; the graphic questions in
# data/questions/*/*.qsrc name target areas in the same pixels ("a@x1,y1,x2,y2"), noted beside
# each shape they use. An area reaches a few pixels beyond its shape, so that the view
# screen's frame stands clear of the shape's own border. Change a shape here and there together, then run scripts/make-pictures.sh.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."

FONT=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
[ -f "$FONT" ] || FONT=IPAGothic

# ---- drawing helpers: each appends ImageMagick draw options to the array CMD --------------------
CMD=()
start() { CMD=(-size "$1" xc:white -font "$FONT" -stroke black -strokewidth 1); }
# box X1 Y1 X2 Y2 FILL LABEL [POINTSIZE] — a framed box with a label centred in it
box() {
    local x1=$1 y1=$2 x2=$3 y2=$4 fill=$5 label=$6 size=${7:-14}
    CMD+=(-fill "$fill" -stroke black -draw "rectangle $x1,$y1 $x2,$y2")
    CMD+=(-stroke none -fill black -pointsize "$size" -gravity NorthWest
          -draw "text $(( (x1 + x2) / 2 - ${#label} * size / 2 )),$(( (y1 + y2) / 2 - size / 2 - 2 )) '$label'")
}
# line X1 Y1 X2 Y2 — a connecting line
line() { CMD+=(-stroke black -strokewidth 2 -draw "line $1,$2 $3,$4" -strokewidth 1); }
# text X Y SIZE TEXT — plain text with its top left at X, Y
text() { CMD+=(-stroke none -fill black -pointsize "$3" -gravity NorthWest -draw "text $1,$2 '$4'"); }
# write FILE [OPTIONS...] — renders CMD into FILE
write() { local out=$1; shift; mkdir -p "$(dirname "$out")"; convert "${CMD[@]}" "$@" "$out"; echo "  $out"; }

# ---- cisco (QV-201, networking) -------------------------------------------------------------------
IMG=data/questions/cisco/img

# Case study image 1 (JPEG): the company's two sites.
start 480x300
text 16 10 16 "株式会社クォーベル商事 ネットワーク構成"
box 20 50 220 270 "#eef4ff" ""
text 30 56 14 "本社 192.168.10.0/24"
box 40 90 120 130 "#ffffff" "Web" 13
box 40 150 120 190 "#ffffff" "ファイル" 13
box 140 200 210 240 "#ffe9c8" "R1" 14
box 260 50 460 270 "#eefff0" ""
text 270 56 14 "支店 192.168.20.0/24"
box 270 200 340 240 "#ffe9c8" "R2" 14
box 360 110 440 150 "#ffffff" "PC" 13
line 210 220 270 220
line 120 110 175 200
line 120 170 175 200
line 340 220 400 150
text 200 244 12 "専用線"
write "$IMG/office.jpg" -quality 80

# Case study image 2 (bitmap, 16 colours): the head office floor.
start 320x220
text 10 6 15 "本社 3階 フロア図"
box 10 30 150 120 "#fff6d8" "執務室"
box 160 30 310 120 "#e0f0ff" "会議室"
box 10 130 110 210 "#ffe0e0" "サーバ室"
box 120 130 310 210 "#e8ffe8" "受付・来客"
write "BMP3:$IMG/floor.bmp" +dither -type Palette -colors 16

# Exhibit of question 22: three routers and their links.
start 420x240
text 10 6 15 "図1 ルータ構成"
box 40 40 120 80 "#ffe9c8" "R1"
box 300 40 380 80 "#ffe9c8" "R2"
box 170 160 250 200 "#ffe9c8" "R3"
line 120 60 300 60
line 80 80 190 160
line 340 80 230 160
text 150 40 12 "10.0.12.0/30"
text 40 120 12 "10.0.13.0/30"
text 300 120 12 "10.0.23.0/30"
text 10 212 12 "LAN1 192.168.1.0/24 は R1、LAN3 192.168.3.0/24 は R3 に接続"
write "$IMG/topo.jpg" -quality 80

# Exhibits 1-4 of question 23: the routing table of each router, and the route to add.
routing() {
    start 380x120
    text 10 6 14 "$1"
    text 10 34 13 "$2"
    text 10 56 13 "$3"
    text 10 78 13 "$4"
    write "$IMG/$5" +dither -colors 16
}
routing "図1 R1 の経路表" "C 10.0.12.0/30 直接接続" "C 10.0.13.0/30 直接接続" "C 192.168.1.0/24 直接接続" route1.png
routing "図2 R2 の経路表" "C 10.0.12.0/30 直接接続" "C 10.0.23.0/30 直接接続" "S 192.168.1.0/24 経由 10.0.12.1" route2.png
routing "図3 R3 の経路表" "C 10.0.13.0/30 直接接続" "C 10.0.23.0/30 直接接続" "C 192.168.3.0/24 直接接続" route3.png
routing "図4 追加する経路" "宛先 192.168.3.0/24" "次の転送先 ？" "（R2 に設定する）" route4.png

# Graphic questions 24 and 25: the head office network.
#   router      (300,40)-(380,90)    question 24, area a 294,34,386,96
#   firewall    (300,130)-(380,180)  question 25, area b 294,124,386,186
#   web server  (460,130)-(560,180)  question 25, area a 454,124,566,186 (in the DMZ)
#   switch      (140,130)-(220,180)
#   PC          ( 20,130)-(100,180)
start 600x260
text 10 6 15 "本社ネットワーク"
box 300 40 380 90 "#ffe9c8" "ルータ"
box 300 130 380 180 "#ffd0d0" "FW"
box 460 130 560 180 "#ffffff" "Web" 
box 140 130 220 180 "#e0f0ff" "スイッチ"
box 20 130 100 180 "#ffffff" "PC"
box 440 110 580 200 none ""
text 470 206 13 "DMZ"
line 340 90 340 130
line 380 155 460 155
line 220 155 300 155
line 100 155 140 155
text 390 52 13 "インターネットへ"
write "$IMG/net.jpg" -quality 80

# ---- oracle (QV-101, databases) -------------------------------------------------------------------
IMG=data/questions/oracle/img

# Exhibit of question 22 and graphic question 23: two tables.
#   emp.deptno column heading (250,60)-(330,90)   question 23, area a 250,56,330,94 (the foreign key)
#   dept.deptno column heading (380,60)-(460,90)  question 24, area a 380,56,460,94 (the primary key)
#   dept.dname column heading (460,60)-(560,90)
start 580x220
text 10 6 15 "表 emp と表 dept"
box 10 60 90 90 "#e0f0ff" "empno" 13
box 90 60 170 90 "#e0f0ff" "ename" 13
box 170 60 250 90 "#e0f0ff" "sal" 13
box 250 60 330 90 "#e0f0ff" "deptno" 13
text 10 36 13 "emp"
box 380 60 460 90 "#fff0d0" "deptno" 13
box 460 60 560 90 "#fff0d0" "dname" 13
text 380 36 13 "dept"
text 16 100 13 "7369  SMITH   800   20"
text 16 122 13 "7499  ALLEN  1600   30"
text 16 144 13 "7521  WARD   1250   30"
text 386 100 13 "10  総務部"
text 386 122 13 "20  研究部"
text 386 144 13 "30  営業部"
write "$IMG/tables.jpg" -quality 85

# Exhibit of question 25: a transaction timeline.
start 420x160
text 10 6 15 "図 二つのトランザクション"
text 10 40 13 "T1: UPDATE 口座A → 時刻1"
text 10 64 13 "T2: SELECT 口座A → 時刻2（T1 は未確定）"
text 10 88 13 "T1: ROLLBACK → 時刻3"
write "$IMG/timeline.png" +dither -colors 16

# ---- japan (QV-301, information processing) -------------------------------------------------------
IMG=data/questions/japan/img

# Graphic question 22: a computer's five units.
#   control unit   (40,50)-(180,100)
#   arithmetic     (40,130)-(180,180)
#   main memory    (260,90)-(400,140)   question 22, area a 254,84,406,146
#   input          (470,40)-(580,90)
#   output         (470,140)-(580,190)
start 600x220
text 10 6 15 "コンピュータの五大装置"
box 40 50 180 100 "#ffe9c8" "制御装置"
box 40 130 180 180 "#ffe9c8" "演算装置"
box 260 90 400 140 "#e0f0ff" "主記憶装置"
box 470 40 580 90 "#e8ffe8" "入力装置"
box 470 140 580 190 "#e8ffe8" "出力装置"
line 180 115 260 115
line 400 100 470 65
line 400 130 470 165
write "$IMG/units.jpg" -quality 80

# Exhibit of question 23: a flowchart that sums 1 to n.
start 300x300
text 10 6 15 "図 流れ図"
box 90 30 210 60 "#ffffff" "開始" 13
box 90 80 210 110 "#ffffff" "s←0, i←1" 13
box 90 130 210 160 "#fff6d8" "i ≦ n ?" 13
box 60 180 240 210 "#ffffff" "s←s+i, i←i+1" 12
box 90 240 210 270 "#ffffff" "s を出力" 13
line 150 60 150 80
line 150 110 150 130
line 150 160 150 180
line 210 145 250 145
line 250 145 250 255
line 250 255 210 255
text 255 128 12 "No"
write "$IMG/flow.png" +dither -colors 16
