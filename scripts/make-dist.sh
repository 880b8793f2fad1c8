#!/usr/bin/env bash
# Lays out dist/<target>/ with the plug-in file, the manual beside it and a short read-me, and
# zips each folder. Reads the trees build/linux, build/win32 and build/win64 (TREE_PREFIX=build/
# by default).
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf dist
mkdir -p dist
for target in win32 win64 linux; do
  tree=${TREE_PREFIX:-build/}$target
  folder=dist/vorra-overdrive-$target
  mkdir -p "$folder"
  case $target in
    win32) file="Vorra OverDrive.dll"; where="a 32-bit host's VST plug-in folder (for example C:\\Program Files (x86)\\VstPlugins)" ;;
    win64) file="Vorra OverDrive.dll"; where="a 64-bit host's VST plug-in folder (for example C:\\Program Files\\VstPlugins)" ;;
    linux) file="Vorra OverDrive.so"; where="a folder your host scans for VST plug-ins (for example ~/.vst)" ;;
  esac
  cp "$tree/$file" "$tree/VorraOverDrive.htm" "$folder/"
  # The CLAP file for the same hosts (none for 32-bit Windows).
  clap_where=
  case $target in
    win64) clap_where="%COMMONPROGRAMFILES%\\CLAP" ;;
    linux) clap_where="~/.clap" ;;
  esac
  [ -z "$clap_where" ] || cp "$tree/Vorra OverDrive.clap" "$folder/"
  # The VST3 bundle (Linux and 64-bit Windows) carries its own copy of the manual.
  vst3=
  case $target in
    win64) vst3="a folder of VST3 plug-ins (C:\\Program Files\\Common Files\\VST3)" ;;
    linux) vst3="a folder of VST3 plug-ins (~/.vst3, /usr/local/lib/vst3 or /usr/lib/vst3)" ;;
  esac
  [ -z "$vst3" ] || cp -R "$tree/Vorra OverDrive.vst3" "$folder/"
  cat >"$folder/README.txt" <<TEXT
Vorra OverDrive v1.2 - stereo overdrive VST plug-in ($target)

Install: copy "$file" and "VorraOverDrive.htm" together into
$where, then let the host rescan its plug-ins.
Keep the two files side by side: the editor's "Docs..." button opens the manual
from the plug-in's own folder. VorraOverDrive.htm is the full manual.
TEXT
  if [ -n "$clap_where" ]; then
    cat >>"$folder/README.txt" <<TEXT

CLAP hosts: copy "Vorra OverDrive.clap" and "VorraOverDrive.htm" together into
$clap_where (or a folder on CLAP_PATH), then let the host rescan.
TEXT
  fi
  if [ $target = linux ]; then
    cp -r "$tree/vorra-overdrive.lv2" "$folder/"
    cat >>"$folder/README.txt" <<TEXT

LV2: copy the folder "vorra-overdrive.lv2" as a whole into ~/.lv2 (or /usr/local/lib/lv2,
/usr/lib/lv2, or a folder on LV2_PATH); it holds its own copy of the manual.
TEXT
  fi
  if [ -n "$vst3" ]; then
    cat >>"$folder/README.txt" <<TEXT

VST3: copy the folder "Vorra OverDrive.vst3" as it is into
$vst3, then let the host rescan its plug-ins.
TEXT
  fi
  (cd dist && zip -qr "vorra-overdrive-$target.zip" "vorra-overdrive-$target")
done
echo "dist: $(ls dist | tr '\n' ' ')"
