#!/bin/sh
# Qtractor's plug-in scanner, a CLAP host nobody here wrote, lists the file: one plug-in named
# Vorra OverDrive with 2 audio inputs and 2 outputs, no MIDI, the six parameters and the program
# parameter, a window (GUI), state (EXT) and real-time processing (RT). Its last field changes
# from run to run and is not compared.
#   qtractor_plugin_scan.sh PLUGIN.clap
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
if [ ! -x "$scanner" ]; then
  echo "qtractor is not installed (Debian package qtractor): the scan is skipped"
  exit 77
fi
plugin=$(realpath "$1")
line=$(printf 'CLAP:%s\n' "$plugin" | "$scanner" 2>/dev/null)
echo "$line"
expected="CLAP|Vorra OverDrive|2:2|0:0|7:0|GUI,EXT,RT|$plugin|0|"
case $line in
  "$expected"*) ;;
  *) echo "expected a line starting: $expected"; exit 1 ;;
esac
[ "$(printf '%s\n' "$line" | wc -l)" -eq 1 ] || { echo "expected one plug-in"; exit 1; }
