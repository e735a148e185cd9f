#!/usr/bin/env bash
# Fuzzes the settings file's reading and writing for a bounded time under AddressSanitizer
# and UndefinedBehaviorSanitizer, from a few hand-written files. A finding fails the stage
# and leaves its input in artifacts/.
set -euo pipefail
source "$(dirname "$0")/../fuzz-tree.sh" settings_fuzz

fuzz_folders "$BUILD/fuzz/settings"
# Section and key (a length byte, 0 for one character, and the name), four bytes of value
# (little-endian), then the file.
seed crlf '\x05System\x03Port\x02\x00\x00\x00[System]\r\nPort=0\r\nIp1=192\r\n\r\n[COM1]\r\nBaudrate=9600\r\n'
seed lf '\x03COM1\x07Baudrate\x00\xc2\x01\x00; notes\n[com1]\n baudrate = 9600 \nFlowCtl=2\n[COM1]\nBaudrate=1\n'
seed empty '\x05System\x03Port\xff\xff\xff\xff'
seed odd '\x00S\x00K\x07\x00\x00\x00[S\nK=1\n[S]x\r\nK\n=\n  [ S ]  \nk=2'

fuzz_run "$BUILD/fuzz/settings/settings_fuzz" settings -max_len=4096
