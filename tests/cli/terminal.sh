#!/usr/bin/env bash
# What kalendra-cli writes to a terminal: texts and paths from outside come with their control
# characters escaped, a huge text is written out without being copied per cell, and the password
# prompt gives the terminal its echo back when the program is interrupted.
set -euo pipefail
suite="terminal"
. "$(dirname "$0")/common.sh"

# No byte that steers a terminal (C0 but line feed, DEL, C1, line separators, bidi controls) is
# written raw; the escapes named in $2 show instead.
check_safe() {
  python3 - "$1" "$2" <<'PY'
import sys
out = open(sys.argv[1], "rb").read().decode("utf-8", "strict")
steering = [c for c in out if (ord(c) < 0x20 and c != "\n") or 0x7F <= ord(c) <= 0x9F
            or ord(c) in (0x2028, 0x2029) or 0x202A <= ord(c) <= 0x202E or 0x2066 <= ord(c) <= 0x2069]
assert not steering, [hex(ord(c)) for c in steering]
for escape in sys.argv[2].split():
    assert escape in out, (escape, out)
PY
}

row() { printf '"0","2026/12/%s","09:00","2026/12/%s","10:00","%s","1","1","0","0","000000","","1","-1","0","0","0","1","1","1","0","","0","","",""\r\n' "$1" "$1" "$2"; }

# Texts from the file, in the plain month and in JSON.
{ printf '"h"\r\n'; row 09 $'前\e[2J赤\a\x7f後\tタブ'; } | iconv -f UTF-8 -t CP932 >"$work/esc.klx"
"$cli" month "$work/esc.klx" 2026-12 >"$work/out" || fail "month"
check_safe "$work/out" '前\x1b[2J赤\x07\x7f後\tタブ' || fail "plain month: $(cat -v "$work/out")"
"$cli" month "$work/esc.klx" 2026-12 --json >"$work/out" || fail "month --json"
python3 - "$work/out" <<'PY' || fail "month --json: $(cat -v "$work/out")"
import json, sys
raw = open(sys.argv[1], "rb").read()
assert not any(b < 0x20 and b != 0x0A for b in raw) and 0x7F not in raw, raw
texts = [e["text"] for c in json.loads(raw)["cells"] for e in c["entries"]]
assert texts == ["前\x1b[2J赤\x07\x7f後\tタブ"], texts
PY
pass

# Paths and arguments echoed back.
bad="$work/"$'\e]0;x\a\u202e\u2028\xc2\x9b.klx'
cp "$work/esc.klx" "$bad"
"$cli" check "$bad" >"$work/out" || fail "check"
check_safe "$work/out" '\x1b]0;x\x07\u202e\u2028\u009b' || fail "check: $(cat -v "$work/out")"
if "$cli" check "$bad.none" 2>"$work/err"; then fail "missing file accepted"; fi
check_safe "$work/err" '\x1b]0;x\x07\u202e' || fail "error: $(cat -v "$work/err")"
[ "$(wc -l <"$work/err")" -ge 3 ] || fail "the message lost its lines: $(cat -v "$work/err")"
if "$cli" $'\e[2Jcmd\xff' 2>"$work/err"; then fail "unknown command accepted"; fi
check_safe "$work/err" '\x1b[2Jcmd\xff' || fail "unknown command: $(cat -v "$work/err")"
if "$cli" month "$work/esc.klx" $'\e[2J' 2>"$work/err"; then fail "odd month accepted"; fi
check_safe "$work/err" '\x1b[2J' || fail "month argument: $(cat -v "$work/err")"
pass

# The diary folder a file names is a text from outside too.
"$cli" new "$work/plain.klx" >/dev/null || fail "new"
python3 - "$work/plain.klx" "$work/diary.klx" <<'PY'
import sys
text = open(sys.argv[1], encoding="cp932", newline="").read()
rows = text.split("\r\n")
for i, row in enumerate(rows):
    if row.startswith('"4",'):
        fields = row.split('","')
        fields[7] = "\\My Documents\\\x1b]0;pwned\x07\x1b[2J\\"
        rows[i] = '","'.join(fields)
open(sys.argv[2], "w", encoding="cp932", newline="").write("\r\n".join(rows))
PY
HOME="$work/home" "$cli" diary "$work/diary.klx" 2027-01-31 >"$work/out" || fail "diary"
check_safe "$work/out" '\x1b]0;pwned\x07\x1b[2J/20270131.TXT' || fail "diary: $(cat -v "$work/out")"
pass

# A text of megabytes on every day of the month: written whole, once per cell, without holding the
# month's output in memory (it was about 250 times the file's size).
python3 - "$work/long.klx" <<'PY'
import sys
text = ("長い本文 long text " * 200000)[:2_000_000]
row = ["0", "2026/11/01", "09:00", "2027/01/31", "10:00", text, "1", "1", "0", "0", "000000", "", "1", "-1", "0",
       "0", "1", "1", "1", "1", "0", "", "0", "", "", ""]
with open(sys.argv[1], "wb") as f:
    f.write(('"h"\r\n' + ",".join('"%s"' % x for x in row) + "\r\n").encode("cp932"))
PY
peak() { # peak memory in kB of a run whose output goes to the file named first
  python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[2:], stdout=open(sys.argv[1], "wb"), check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' "$@"
}
size=$(($(stat -c %s "$work/long.klx") / 1024))
for format in --json ""; do
  kb=$(peak "$work/out" "$cli" month "$work/long.klx" 2026-12 $format) || fail "month $format of a long text"
  [ "$kb" -lt $((10 * size + 20000)) ] || fail "month $format of a ${size} kB file took $kb kB"
  python3 - "$work/out" "$format" <<'PY' || fail "month $format of a long text: the texts are not whole"
import json, sys
out = open(sys.argv[1], "rb").read()
if sys.argv[2]:
    cells = json.loads(out)["cells"]
    assert all(len(c["entries"]) == 1 and len(c["entries"][0]["text"]) == 2_000_000 for c in cells)
else:
    assert out.count("長い本文".encode()) == 35 * 133334, out.count("長い本文".encode())
PY
done
pass

# Interrupted at the password prompt, the program dies of the signal and the terminal echoes again.
printf '"h"\r\n"2","Mzor"\r\n' >"$work/p.klx"
python3 - "$cli" "$work/p.klx" <<'PY' || fail "password prompt"
import os, pty, select, signal, sys, termios
cli, path = sys.argv[1], sys.argv[2]
for interrupt in ("ctrl-c", "term"):
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(cli, [cli, "check", path])
    seen = b""
    while "パスワード".encode() not in seen or not seen.endswith(b": "):
        ready, _, _ = select.select([fd], [], [], 10)
        assert ready, seen
        seen += os.read(fd, 1024)
    assert not termios.tcgetattr(fd)[3] & termios.ECHO, "echo still on at the prompt"
    if interrupt == "ctrl-c":
        os.write(fd, b"\x03")
    else:
        os.kill(pid, signal.SIGTERM)
    _, status = os.waitpid(pid, 0)
    wanted = signal.SIGINT if interrupt == "ctrl-c" else signal.SIGTERM
    assert os.WIFSIGNALED(status) and os.WTERMSIG(status) == wanted, (interrupt, status)
    assert termios.tcgetattr(fd)[3] & termios.ECHO, interrupt + ": echo left off"
    os.close(fd)
PY
pass

echo "cli terminal: $passed passed, 0 failed"
