#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seed inputs of the fuzz targets into OUT/<target>/: short MP3s made with sox and lame (MPEG-1, 2
# and 2.5, CBR and VBR, with and without the Info/Xing header, with ID3v2 and ID3v1 tags, a damaged and a
# cut-up file), and sample settings, cue, label and chapter texts. Small on purpose: a fuzzer mutates
# small inputs faster.
set -euo pipefail
out=${1:?usage: make_seeds.sh OUT}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# --- MP3s ---------------------------------------------------------------------------------------------
mp3=$out/mp3
mkdir -p "$mp3"
sox -n -r 44100 -c 2 "$work/s44.wav" synth 0.3 sine 440 sine 660
sox -n -r 22050 -c 1 "$work/m22.wav" synth 0.4 sine 330
sox -n -r 8000 -c 1 "$work/m8.wav" synth 0.6 sine 220
enc() { lame --quiet "$@"; }
enc -b 32 "$work/s44.wav" "$mp3/cbr_stereo.mp3"
enc -V 6 "$work/s44.wav" "$mp3/vbr_stereo.mp3"
enc -V 6 -t "$work/s44.wav" "$mp3/vbr_no_header.mp3"
enc -b 32 -m m -t "$work/s44.wav" "$mp3/cbr_mono_no_header.mp3"
enc -b 16 "$work/m22.wav" "$mp3/mpeg2.mp3"
enc -b 8 "$work/m8.wav" "$mp3/mpeg25.mp3"
enc -b 32 -p "$work/s44.wav" "$mp3/crc.mp3"
enc -b 32 --tt "标题 Title" --ta "Artist" --add-id3v2 --pad-id3v2-size 16 "$work/s44.wav" "$mp3/id3v2.mp3"
enc -b 32 --tt "Title" --id3v1-only "$work/s44.wav" "$mp3/id3v1.mp3"
enc -b 8 --tt "UTF-16" --id3v2-utf16 "$work/m8.wav" "$mp3/id3v2_utf16.mp3"
# A file cut at an odd byte (it starts inside a frame), and junk before the first frame.
tail -c +301 "$mp3/cbr_stereo.mp3" >"$mp3/cut_inside_frame.mp3"
{ head -c 200 /dev/zero | tr '\0' '\377'; cat "$mp3/mpeg2.mp3"; } >"$mp3/junk_first.mp3"
# A damaged frame header in the middle.
cp "$mp3/cbr_stereo.mp3" "$mp3/damaged.mp3"
printf '\377\343' | dd of="$mp3/damaged.mp3" bs=1 seek=1000 conv=notrunc status=none

# Targets that read MP3s take them as they are; the precise cut takes four more bytes for its marks.
for target in mpeg_frame_reader waveform_peaks id3_tags media_info precise_cut; do
  mkdir -p "$out/$target"
  cp "$mp3"/*.mp3 "$out/$target/"
done
for f in "$out"/precise_cut/*.mp3; do
  printf '\000\020\000\040' >>"$f" # start at about 0.27 s, about 0.14 s long
done
rm -r "$mp3"

# --- Texts ---------------------------------------------------------------------------------------------
# The list readers take their last five bytes for the source's rate and length: "\n\n\n\n\n" adds empty
# lines, which they read over, and gives 11025 Hz and about four hours.
text() { # target name: the text on standard input
  mkdir -p "$out/$1"
  { cat; printf '\n\n\n\n\n'; } >"$out/$1/$2"
}
text private_profile set.ini <<'T'
[guistyle]
style=3
[paths]
lastfolder="/home/user/音乐 "
[cut]
precise=1
T
printf '[GuiStyle]\r\n Style = "12" \r\n\r\n[other]\r\nk=v\r\n' >"$out/private_profile/crlf.ini"
text cue_sheet album.cue <<'T'
REM GENRE Pop
PERFORMER "Band"
TITLE "Album"
FILE "album.mp3" MP3
  TRACK 01 AUDIO
    TITLE "One"
    INDEX 01 00:00:00
  TRACK 02 AUDIO
    TITLE "Two "quoted""
    PERFORMER "Guest"
    INDEX 00 01:58:70
    INDEX 01 02:00:00
  TRACK 03 AUDIO
    INDEX 01 63:59:74
T
printf '\xef\xbb\xbfFILE "a.mp3" MP3\r\nTRACK 1 AUDIO\r\nTITLE "\xe4\xb8\x80"\r\nINDEX 01 0:01:00\r\n\n\n\n\n\n' \
  >"$out/cue_sheet/bom_crlf.cue"
printf 'FILE "a.mp3" MP3\nTRACK 01 AUDIO\nTITLE "\xd2\xbb"\nINDEX 01 00:00:00\n\n\n\n\n\n' >"$out/cue_sheet/gbk.cue"
text label_file labels.txt <<'T'
0.000000	1.500000	Intro
1.500000	1.500000	point
\	20.000000	4000.000000
2,25	10	comma decimal
12	end
T
text label_file spaces.txt <<'T'
0 1.5 first label
3 second
T
text chapter_list chapters.txt <<'T'
0:00 Intro
(1:02) - Second
[1:02:03.5] | Finale
1:02:04 — 破折号
T
text list_text times.txt <<'T'
01:02:03.250
T
printf '\xff\xfe1\x000\x00:\x000\x000\x00\n\x00\n\n\n\n\n' >"$out/list_text/utf16.txt"
printf '\xd6\xd0\xce\xc4 1:15.5\n\n\n\n\n' >"$out/list_text/gbk.txt"
