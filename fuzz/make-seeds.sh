#!/usr/bin/env bash
# Seed corpora for the fuzz targets, one folder per target, from the default data pack in the
# given build folder (when it is there) and a few hand-made files.
#   fuzz/make-seeds.sh BUILD CORPUS
set -euo pipefail
build=$1
corpus=$2
mkdir -p "$corpus"/{archive_fuzz,picture_fuzz,reg_file_fuzz,stored_integer_fuzz,score_block_fuzz,wav_reader_fuzz,ogg_reader_fuzz,wave_image_fuzz}
svpack="$build/svpack"

# A small archive of a few real pictures (whole packs are too big to mutate quickly).
pictures=$(mktemp -d)
trap 'rm -rf "$pictures"' EXIT
if [[ -f "$build/svdata01.dat" && -x "$svpack" ]]; then
  "$svpack" extract "$build/svdata01.dat" "$pictures/all" >/dev/null
  for name in PIC_LOGO PIC_0 PIC_CURSOR PIY_DOWN_SENRA_REN_1 PIZ_TAMA1; do
    [[ -f "$pictures/all/$name" ]] && cp "$pictures/all/$name" "$corpus/picture_fuzz/$name"
  done
  mkdir -p "$pictures/small"
  for file in "$corpus"/picture_fuzz/*; do [[ -f "$file" ]] && cp "$file" "$pictures/small/"; done
  "$svpack" pack "$pictures/small" "$corpus/archive_fuzz/small.dat" >/dev/null
fi
if [[ -f "$build/svdata02.dat" && -x "$svpack" ]]; then
  cp "$build/svdata02.dat" "$corpus/archive_fuzz/effects.dat"
  "$svpack" extract "$build/svdata02.dat" "$pictures/effects" >/dev/null
  for name in WAV_SHOT_1 WAV_MENU_SELECT WAV_ITEM_GET; do
    [[ -f "$pictures/effects/$name" ]] && cp "$pictures/effects/$name" "$corpus/wave_image_fuzz/$name"
  done
  # A masked plain-wave music file made of one effect.
  "$svpack" mask "$pictures/effects/WAV_SHOT_1" "$corpus/wav_reader_fuzz/shot.m" >/dev/null
fi
# The head of the title music: enough for its headers and first pages.
[[ -f "$build/svdata03.mx" ]] && head -c 65536 "$build/svdata03.mx" >"$corpus/ogg_reader_fuzz/title-head.mx"
printf 'bbmkdata00\x1b' >"$corpus/archive_fuzz/signature-only"

printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"bWindowed"=dword:00000001\r\n"ProgramFile"="/usr/games/sorvani"\r\n"Buttons"=hex:01,01,03,00,00,00,00,00,00,00,00,00,00,00,00,00\r\n"name"=hex(2):41,00,42,00,00,00\r\n' \
  >"$corpus/reg_file_fuzz/settings.reg"
printf '\x04\x00\x00\x00\x01\x00\x00\x00' >"$corpus/stored_integer_fuzz/dword"
printf '\x01\x00\x00\x00+12' >"$corpus/stored_integer_fuzz/text"
head -c 325 /dev/zero | tr '\0' '\3' >"$corpus/score_block_fuzz/binary"
