#!/usr/bin/env bash
# Makes the default story, "Little Fox and the Moon", into resources/story: data.TPD and
# its Media folder. The pictures are drawn with ImageMagick, the movie is put together
# from drawn frames with ffmpeg, the sounds are made with sox, and the readings are
# spoken by espeak-ng one word at a time, so that the moment every word begins is known
# exactly. The tape itself is written under Wine by the project's own program,
# make_default_story, which reads those moments. The output is committed: building and
# testing the player needs none of these tools.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=$root/resources/story
work=$build/default-story
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
# A program that fails is reported, not held open in the debugger.
export WINEDLLOVERRIDES="winedbg.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
# Where the story is put together inside the Wine prefix: the project refers to its media
# under this folder, which no other machine has, so the player finds them again in the
# "Media" folder beside the document.
stage_name=DefaultStory
stage=$WINEPREFIX/drive_c/$stage_name

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

install_tools() {
  local missing=() p
  for p in espeak-ng sox imagemagick ffmpeg; do
    [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "make-default-story: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The same files from every run: sox without random dither, PNG without dates.
sox() { command sox -R "$@"; }
png_options=(-define png:exclude-chunks=date,time)

# ImageMagick 7 calls itself magick; 6 is convert, which another program may shadow.
pick_convert() {
  if command -v magick >/dev/null 2>&1; then
    im=(magick)
  elif [ -x /usr/bin/convert ]; then
    im=(/usr/bin/convert)
  else
    im=(convert)
  fi
}

# A fixed sequence of pseudo-random numbers, the same on every machine, in rnd.
seed=20240611
rnd=0
next_random() { # max
  seed=$(((seed * 1103515245 + 12345) % 2147483648))
  rnd=$((seed / 65536 % $1))
}

# Small stars above a height, as ImageMagick drawing commands, in star_cmd.
star_cmd=""
stars() { # count width limit
  local i x y r
  star_cmd=""
  for ((i = 0; i < $1; i++)); do
    next_random "$2"
    x=$rnd
    next_random "$3"
    y=$rnd
    next_random 3
    r=$((rnd == 0 ? 2 : 1))
    star_cmd+="circle $x,$y $((x + r)),$y "
  done
}

draw_pictures() {
  local m=$stage/Media
  stars 70 800 400
  local meadow_stars=$star_cmd
  stars 50 800 280
  local pond_stars=$star_cmd
  # The night meadow, the first page (JPEG).
  "${im[@]}" -size 800x600 gradient:'#0a1638-#2d4c8c' \
    -fill '#fff8d8' -draw "$meadow_stars" \
    -fill 'rgba(255,240,180,0.18)' -draw 'circle 700,95 700,170' \
    -fill '#fff1b8' -draw 'circle 700,95 700,145' \
    -fill '#efdc98' -draw 'circle 684,82 684,92 circle 714,108 714,115 circle 706,74 706,79' \
    -fill '#1d3b2c' -draw 'ellipse 180,610 460,190 0,360' \
    -fill '#24472f' -draw 'ellipse 660,620 420,200 0,360' \
    -fill '#2f5a36' -draw 'rectangle 0,540 800,600 ellipse 400,560 520,60 0,360' \
    -fill '#ffe066' -draw 'circle 110,560 110,564 circle 250,585 250,589 circle 560,570 560,574 circle 700,590 700,594' \
    -fill '#f4f4ff' -draw 'circle 180,575 180,579 circle 470,590 470,594 circle 640,560 640,564' \
    -quality 90 -sampling-factor 1x1 "$m/Meadow.jpg"

  # A round tree on white, which the page leaves out (BMP, 8 bits).
  "${im[@]}" -size 180x260 xc:white \
    -fill '#6b4226' -draw 'rectangle 80,150 102,259 polygon 70,259 112,259 102,230 80,230' \
    -fill '#2e6b34' -draw 'circle 90,86 90,156 circle 52,120 52,166 circle 128,120 128,166' \
    -fill '#3f8a43' -draw 'circle 76,64 76,96 circle 116,92 116,118 circle 58,126 58,146' \
    -fill '#55a857' -draw 'circle 70,56 70,68 circle 112,84 112,94' \
    -type Palette -colors 32 BMP3:"$m/Tree.bmp"

  # The pond with the moon lying in it (GIF).
  "${im[@]}" -size 800x330 gradient:'#0a1638-#1e3766' \
    -fill '#fff8d8' -draw "$pond_stars" \
    \( -size 800x270 xc:'#24472f' \) -append \
    -fill '#2f5a36' -draw 'ellipse 120,600 260,80 0,360 ellipse 700,600 240,70 0,360' \
    -fill '#2c5a8a' -draw 'ellipse 450,455 274,99 0,360' \
    -fill '#183860' -draw 'ellipse 450,455 270,95 0,360' \
    +antialias -fill '#f0dc8c' -draw 'ellipse 440,460 30,24 0,360' -antialias \
    -stroke '#1a3a22' -strokewidth 4 -fill none \
    -draw 'line 690,420 700,340 line 705,425 722,350 line 718,430 745,365 line 200,430 190,352 line 214,424 214,345' \
    -stroke '#6b3e1e' -strokewidth 9 -draw 'line 700,345 701,362 line 721,354 719,371 line 190,356 191,373' \
    -stroke none +dither -colors 128 "$m/Pond.gif"

  # The moon, safe and smiling in the sky (PNG).
  "${im[@]}" -size 240x240 xc:'#0d1b3d' \
    -fill 'rgba(255,240,170,0.16)' -draw 'circle 120,120 120,5' \
    -fill '#ffe98a' -draw 'circle 120,120 120,24' \
    -fill '#f4d870' -draw 'circle 84,76 84,88 circle 160,160 160,168 circle 150,68 150,74' \
    -fill '#8a6420' -draw 'circle 120,124 120,160' -fill '#ffe98a' -draw 'circle 120,114 120,150' \
    -fill '#8a6420' -draw 'circle 90,112 90,126 circle 150,112 150,126' \
    -fill '#ffe98a' -draw 'circle 90,118 90,132 circle 150,118 150,132' \
    -fill '#ffb8a8' -draw 'circle 76,136 76,147 circle 164,136 164,147' \
    "${png_options[@]}" "$m/Moon.png"

  # Soft hills at the foot of the sky page (TIFF, LZW).
  "${im[@]}" -size 800x180 xc:'#0d1b3d' \
    -fill '#1d3b2c' -draw 'ellipse 620,200 360,150 0,360' \
    -fill '#24472f' -draw 'ellipse 180,210 340,160 0,360' \
    -fill '#2f5a36' -draw 'ellipse 400,250 520,110 0,360' \
    -fill '#ffe066' -draw 'circle 90,150 90,154 circle 330,165 330,169 circle 610,158 610,162' \
    -fill '#f4f4ff' -draw 'circle 220,170 220,174 circle 480,172 480,176 circle 720,166 720,170' \
    -compress LZW "$m/Hills.tif"

  # Little Fox curled up asleep (PNG).
  "${im[@]}" -size 320x200 xc:'#0a1430' \
    -fill '#2f5a36' -draw 'ellipse 160,178 150,24 0,360' \
    -fill '#e27226' -draw 'ellipse 160,130 92,44 0,360' \
    -fill '#e27226' -draw 'ellipse 110,150 78,24 0,360' \
    -fill '#faf0de' -draw 'ellipse 44,150 18,16 0,360' \
    -fill '#e27226' -draw 'circle 222,116 222,150' \
    -fill '#b04e18' -draw 'polygon 200,92 206,64 222,86 polygon 226,86 244,62 248,92' \
    -fill '#faf0de' -draw 'ellipse 246,130 18,10 0,360' \
    -fill '#140e0a' -draw 'circle 262,128 262,132' \
    -fill '#140e0a' -draw 'circle 231,108 231,118' -fill '#e27226' -draw 'circle 231,104 231,114' \
    -stroke '#c8def8' -strokewidth 3 \
    -draw 'line 262,56 274,56 line 274,56 262,68 line 262,68 274,68' \
    -draw 'line 280,36 290,36 line 290,36 280,46 line 280,46 290,46' \
    -draw 'line 294,20 302,20 line 302,20 294,28 line 294,28 302,28' \
    "${png_options[@]}" "$m/Sleeping.png"
}

# The moon's reflection trembling after a touch of the water, and settling again: thirty
# frames at ten a second (AVI, Microsoft Video 1). The first and last frames are the still
# reflection that the pond picture shows in the same place.
make_movie() {
  local frames=$work/frames k amp phase ring
  mkdir -p "$frames"
  for ((k = 0; k < 30; k++)); do
    amp=$(awk -v k="$k" 'BEGIN { printf "%.3f", 7 * sin(3.14159265 * k / 29) }')
    phase=$(awk -v k="$k" 'BEGIN { printf "%.3f", 0.6 * k }')
    ring=$((12 + 3 * k))
    "${im[@]}" -size 200x80 xc:'#183860' \
      \( -size 200x80 xc:'#406896' \) \
      \( -size 200x80 xc:black -fx "$amp > 1 && abs(hypot(i - 100, 2 * (j - 40)) - $ring) < 1.5" \) -composite \
      \( -size 200x80 xc:'#f0dc8c' \) \
      \( -size 200x80 xc:black -fx "hypot(i - 100 - $amp * sin(j / 3.0 + $phase), (j - 40) * 1.25) < 30" \) -composite \
      "$frames/$(printf '%02d' "$k").png"
  done
  ffmpeg -loglevel error -y -framerate 10 -i "$frames/%02d.png" -c:v msvideo1 -pix_fmt rgb555le \
    "$stage/Media/Reflection.avi"
}

# Every sound is mono, 16 bits, at a rate that keeps a voice clear and the files small.
rate=11025
silence() { # file samples
  sox -r $rate -b 16 -c 1 -n "$1" trim 0 "$2s"
}

make_sounds() {
  local m=$stage/Media t=$work/sounds
  mkdir -p "$t"
  # A drop of water: two falling pings.
  sox -r $rate -b 16 -c 1 -n "$t/ping1.wav" synth 0.28 sine 1500-700 fade q 0.004 0.28 0.24 vol 0.7
  sox -r $rate -b 16 -c 1 -n "$t/ping2.wav" synth 0.36 sine 1200-560 fade q 0.004 0.36 0.32 vol 0.4
  sox "$t/ping1.wav" "$t/ping2.wav" "$m/Plink.wav" pad 0 0.15
  # A little lullaby on a plucked string (which sox plucks at CD rate only).
  local notes=(G5 E5 C5 D5 E5 G4 C5) lengths=(0.45 0.45 0.6 0.45 0.45 0.45 1.2) parts=() i
  for i in "${!notes[@]}"; do
    sox -r 44100 -b 16 -c 1 -n "$t/note$i.wav" synth "${lengths[$i]}" pluck "${notes[$i]}" \
      fade q 0.01 "${lengths[$i]}" 0.2 vol 0.6 rate $rate
    parts+=("$t/note$i.wav")
  done
  sox "${parts[@]}" "$m/Lullaby.wav" reverb 30 pad 0 0.3
}

# One reading: each word spoken alone and trimmed of its silence, then the words put one
# after the other with short gaps, longer after a comma or a full stop. The moment each
# word begins, in milliseconds from the start of the sound, goes to the timings file.
voice=en-us+f3
lead_samples=$((rate / 5))
make_reading() { # name text
  local name=$1 text=$2 t=$work/words/$1 i=0 word samples gap at=$lead_samples parts=()
  mkdir -p "$t"
  : >"$stage/Timings/$name.txt"
  silence "$t/lead.wav" $lead_samples
  parts+=("$t/lead.wav")
  for word in $text; do
    espeak-ng -v $voice -s 150 -p 55 -w "$t/raw$i.wav" "$word"
    sox "$t/raw$i.wav" -b 16 -c 1 "$t/word$i.wav" rate $rate \
      silence 1 0.005 0.2% reverse silence 1 0.005 0.2% reverse
    samples=$(soxi -s "$t/word$i.wav")
    echo $((at * 1000 / rate)) >>"$stage/Timings/$name.txt"
    case $word in
      *[.!?]) gap=$((rate * 40 / 100)) ;;
      *,) gap=$((rate * 20 / 100)) ;;
      *) gap=$((rate * 4 / 100)) ;;
    esac
    silence "$t/gap$i.wav" $gap
    parts+=("$t/word$i.wav" "$t/gap$i.wav")
    at=$((at + samples + gap))
    i=$((i + 1))
  done
  sox "${parts[@]}" "$stage/Media/$name.wav"
}

"$root/scripts/setup.sh"
install_tools
pick_convert
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" -j4 --target make_default_story >/dev/null
rm -rf "$work" "$stage"
mkdir -p "$work" "$stage/Media" "$stage/Timings"

draw_pictures
make_movie
make_sounds
"$root/scripts/with-wine.sh" wine "$build/make_default_story.exe" readings | tr -d '\r' >"$work/readings.txt"
while IFS=$'\t' read -r name text; do
  make_reading "$name" "$text"
done <"$work/readings.txt"
"$root/scripts/with-wine.sh" wine "$build/make_default_story.exe" write "C:\\$stage_name"

rm -rf "$out/Media"
mkdir -p "$out/Media"
cp "$stage/data.TPD" "$out/"
cp "$stage/Media/"* "$out/Media/"
cp -r "$stage/Timings" "$work/"
rm -rf "$stage"
echo "make-default-story: written to $out ($(du -sh "$out" | cut -f1))"
