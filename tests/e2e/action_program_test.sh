#!/bin/sh
# The program carries out a remapped button end to end: the device simulator
# reports presses, the program fetches them through its event channel and
# runs the button's assignment. The fourth button of the mouse model is
# given "launch program" with a batch file that leaves a marker file of a
# name of its own, so every press that runs the action leaves one file; the
# left button keeps its own function and must run nothing.
#
#   action_program_test.sh BUILD_DIR
set -e
e2e_build=$1 e2e_name=e2e-actions
. "$(dirname "$0")/lib/simulated_program.sh"
sed -i 's/^CurDevice=.*/CurDevice=0x9050/' "$home/VNType.ini"
model_key='HKLM\Software\Varnok\VN24G\Varnok Glide M5'

# The Windows view of a path of this machine.
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
batch=$(windows_path "$home/pressed.bat")
mkdir "$home/presses"
# Each launch leaves a file of its own.
printf '@echo pressed>"%s\\%%RANDOM%%-%%RANDOM%%.txt"\r\n' "$(windows_path "$home/presses")" >"$home/pressed.bat"

# Registry tools run from the build folder, so they use its Wine prefix.
reg() { (cd "$build" && "$run" reg "$@" >/dev/null 2>&1); }
finish() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  "$run" "$simulator" quit >/dev/null 2>&1 || true
  reg delete "$model_key" /f /reg:32 || true
}
launches() { find "$home/presses" -name '*.txt' | wc -l; }
launched_at_least() { [ "$(launches)" -ge "$1" ]; }
await_launches() { await 60 "the action ran $(launches) times, not $1" launched_at_least "$1"; }

# The stored settings of the mouse model (model 0x9050, a mouse, 11 buttons):
# every button with its own function except the fourth button (button code
# 5, position 4), which launches the batch file. The program accepts a
# stored record that ends after the buttons the model uses.
settings=$(python3 - "$batch" <<'PY'
import struct, sys
record = struct.pack('<iB3xii', 0x9050, 1, 11, 0)
for position, code in enumerate([1, 2, 3, 4, 5, 9, 10, 16, 17, 86, 87]):
    path = b''
    function = code
    if code == 5:
        function = 25
        path = sys.argv[1].encode('utf-16-le')
    record += bytes([position, function, 0, 0, 0, 0]) + path.ljust(520, b'\0')
print(record.hex())
PY
)
reg add "$model_key" /v ButtonSetting /t REG_BINARY /d "$settings" /f /reg:32 || fail "the settings could not be stored"

"$run" "$simulator" quit
sim start || fail "the simulator did not start"
"$run" "$home/vn24g.exe" >"$home/program.out" 2>&1 &
program_pid=$!
await_log "mouse mask 0x00000188 ok"

# Fourth button down and up: one launch. The left button down and up: none.
# The fourth button again: a second launch. Each step waits for the one
# before, so the launches never overlap.
sim queue 0x08 0x00 || fail "the program's semaphore did not take the events"
await_launches 1
sim queue 0x01 0x00 || fail "the program's semaphore did not take the events"
sim queue 0x08 0x00 || fail "the program's semaphore did not take the events"
await_launches 2
# Every program launched before has written its file once no command
# interpreter runs any more.
probe_exe="$build/tests/vn24g_windowprobe.exe"
interpreters() { "$run" "$probe_exe" processes cmd.exe 2>/dev/null | tr -d '\r'; }
no_interpreter() { [ "$(interpreters)" = 0 ]; }
await 60 "the launched programs did not end" no_interpreter
[ "$(launches)" -eq 2 ] || fail "expected two launches, the left button's none, saw $(launches)"

sim post "$title" 0x111 2 || fail "the program's window was not found"
await 30 "the program did not end" program_ended
program_pid=
finish
echo "program actions: ok"
