#!/usr/bin/env python3
"""Checks that the holiday template data/kaldata.klx gives exactly the national holidays.

A new schedule file shows a holiday on a day when a holiday entry is placed on that day of the
month grid: the template's stored entries, expanded by their repeat rules, plus the holidays the
grid generates itself (equinox days, citizens' holidays, substitute holidays). This script reads
the template the way the program loads it, runs the two holiday updates the template load runs,
expands every entry with a model of the program's repeat expansion, fills month grids with a model
of the program's holiday generation, and compares every day of 1980-2036 with the reference list
tests/data/national-holidays.txt (computed from the law by national_holidays.py).

Why per month grid and not per day: the generated holidays depend on the grid, not only on the
date. The equinox, September citizens' and 4 May rules look at the year and month of the grid's
first cell; the substitute rule looks at the cell before each Monday, or, for a Monday in the first
cell, at the stored entries alone; the 6 May rule looks at whether the first cell is on or after
2007-05-06. So every month of every year is filled as the program fills it -- with weeks starting
on Sunday and on Monday, five and six weeks -- and every cell of every grid must agree with the
law, including the days of the neighbouring months a grid shows.

Usage: check_template.py [TEMPLATE]   (default data/kaldata.klx)

Exit status 0 when every check passed, 1 otherwise. The last line of output is
"template check: N passed, M failed".
"""

import copy
import datetime
import pathlib
import sys

SCRIPTS = pathlib.Path(__file__).resolve().parent
ROOT = SCRIPTS.parent
sys.path.insert(0, str(SCRIPTS))

import make_template  # noqa: E402
import national_holidays  # noqa: E402

TEMPLATE = ROOT / "data" / "kaldata.klx"
REFERENCE = ROOT / "tests" / "data" / "national-holidays.txt"
FIRST_CHECKED_YEAR = 1980
LAST_CHECKED_YEAR = 2036

# ---------------------------------------------------------------------------------------------
# Dates and times. A time value is a count of seconds, as the program's; local time has no
# daylight saving here, so a day is always 86,400 seconds.

DAY = 86400
EPOCH = datetime.date(1970, 1, 1).toordinal()


def days_in_month(year, month):
    if month == 2:
        leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
        return 29 if leap else 28
    return 30 if month in (4, 6, 9, 11) else 31


def compose(year, month, day, hour=0, minute=0, second=0):
    """A time from local fields; a month or day out of range carries over as the platform's
    conversion does (day 30 of February is a day of March)."""
    year += (month - 1) // 12
    month = (month - 1) % 12 + 1
    ordinal = datetime.date(year, month, 1).toordinal() + day - 1
    return (ordinal - EPOCH) * DAY + hour * 3600 + minute * 60 + second


def date_of(t):
    return datetime.date.fromordinal(t // DAY + EPOCH)


def weekday(t):
    """0 = Sunday ... 6 = Saturday."""
    return (date_of(t).weekday() + 1) % 7


def date_only(t):
    return t - t % DAY


def c_remainder(a, b):
    """a % b with the sign of a, as C's % gives it."""
    r = abs(a) % b
    return -r if a < 0 else r


def leading_int(text):
    """The integer value of a text as the program reads it: optional sign, then decimal digits;
    no digits gives 0."""
    text = text.lstrip(" \t")
    sign, i = 1, 0
    if text[:1] in ("+", "-"):
        sign, i = (-1 if text[0] == "-" else 1), 1
    digits = ""
    while i < len(text) and text[i].isdigit():
        digits += text[i]
        i += 1
    return sign * int(digits) if digits else 0


def is_valid_date(year, month, day):
    return 1972 <= year <= 2036 and 1 <= month <= 12 and 1 <= day <= 31 and day <= days_in_month(year, month)


def parse_date(text, clamp):
    """(ok, time at 00:00) of a year/month/day text."""
    first = text.find("/")
    if first < 0:
        return False, None
    year = leading_int(text[:first])
    if year < 100:
        if year >= 70:
            year += 1900
        elif year <= 38:
            year += 2000
    if clamp:
        year = min(max(year, 1972), 2036)
    rest = text[first + 1 :]
    second = rest.find("/")
    if second < 0:
        return False, None
    month, day = leading_int(rest[:second]), leading_int(rest[second + 1 :])
    if not is_valid_date(year, month, day):
        return False, None
    return True, compose(year, month, day)


def parse_date_time(date_text, time_text, clamp):
    ok, value = parse_date(date_text, clamp)
    if not ok:
        return False, None
    second = 0
    if len(time_text) == 4 and time_text.isdigit():
        hour, minute = int(time_text[:2]), int(time_text[2:])
    elif len(time_text) in (1, 2) and time_text.isdigit():
        hour, minute = int(time_text), 0
    else:
        parts = time_text.split(":")
        if len(parts) < 2:
            return False, None
        hour, minute = leading_int(parts[0]), leading_int(parts[1])
        if len(parts) > 2:
            second = leading_int(parts[2])
    if not (0 <= hour <= 23 and 0 <= minute <= 59 and 0 <= second <= 59):
        return False, None
    return True, value + hour * 3600 + minute * 60 + second


def date_text(t):
    d = date_of(t)
    return f"{d.year}/{d.month:02d}/{d.day:02d}"


# ---------------------------------------------------------------------------------------------
# Reading the file: the row format and the entry decoder.

HEADER_LINE = (
    '"区分","開始年月日","開始時間","終了年月日","終了時間","スケジュール","時刻設定1","時刻設定2","月間表示","休日","色","リンクファイル",'
    '"チェック","アラーム","ジャンル","時刻表示",'
    '"繰返タイプ","繰返開始日","繰返終了日","間隔","位置指定","有効月","平日のみ","除外日","場所","メモ"'
)
COLUMNS = 26
WEEKDAY_LETTERS = "SMTWHFA"
TILDE = "\uff5e"  # ～ between the two dates of an exclusion period


def split_fields(line):
    """Fields of one line ending with LF. A quoted field ends at the first quote followed by a
    comma, or failing that by LF; an unquoted one at the first comma, or failing that the LF."""
    fields = []
    i = 0
    while True:
        if line.startswith('"', i):
            end = line.find('",', i + 1)
            if end < 0:
                end = line.find('"\n', i + 1)
                if end < 0:
                    fields.append(line[i + 1 :].rstrip("\n"))
                    return fields
                fields.append(line[i + 1 : end])
                return fields
            fields.append(line[i + 1 : end])
            i = end + 2
        else:
            end = line.find(",", i)
            if end < 0:
                fields.append(line[i:].rstrip("\n"))
                return fields
            fields.append(line[i:end])
            i = end + 1


class Entry:
    def __init__(self):
        # A fresh entry's defaults.
        self.start = self.end = 0
        self.text = self.place = self.link_file = self.memo = ""
        self.start_time_set = self.end_time_set = self.hidden = self.is_todo = self.holiday = 0
        self.colour = 0
        self.alarm_mode, self.alarm_minutes = 1, 0
        self.genre = self.time_display = self.text_style = 0
        self.repeat_type = 0
        self.repeat_day_from = self.repeat_day_to = self.interval = 1
        self.position_mode = 0
        self.weeks = [0] * 5
        self.weekdays = [0] * 7
        self.months = [1] * 12
        self.avoid_days = 0
        self.exclusions = []  # (start time at 00:00, end time at 00:00)

    def key(self):
        return tuple(sorted((k, repr(v)) for k, v in vars(self).items()))


def decode_entry(fields):
    """The entry of a row, or None when the program would reject the row."""
    kind = leading_int(fields[0])
    if kind in (2, 3):
        return None
    entry = Entry()
    entry.is_todo = 1 if kind == 1 else kind & 1
    if kind != 1:
        entry.alarm_mode = leading_int(fields[12])
        entry.repeat_type = leading_int(fields[16])
    clamp = entry.repeat_type != 0
    ok, entry.start = parse_date_time(fields[1], fields[2], clamp)
    if not ok:
        return None
    if kind != 1:
        ok, entry.end = parse_date_time(fields[3], fields[4], clamp)
        if not ok:
            return None
    entry.text = fields[5]
    entry.start_time_set = leading_int(fields[6]) & 1
    entry.end_time_set = leading_int(fields[7]) & 1
    entry.hidden = leading_int(fields[8]) & 1
    if kind != 1:
        entry.alarm_minutes = leading_int(fields[13])
        entry.holiday = leading_int(fields[9]) & 1
    hex_digits = ""
    for ch in fields[10]:
        if ch not in "0123456789abcdefABCDEF":
            break
        hex_digits += ch
    entry.colour = int(hex_digits, 16) if hex_digits else 0
    entry.link_file = fields[11]
    entry.genre = leading_int(fields[14])
    entry.time_display = leading_int(fields[15]) & 15
    entry.text_style = (leading_int(fields[15]) >> 4) & 15
    entry.repeat_day_from = leading_int(fields[17])
    entry.repeat_day_to = leading_int(fields[18])
    entry.interval = leading_int(fields[19])
    if fields[20] != "0":
        entry.position_mode = 1
        entry.weeks, entry.weekdays = [0] * 5, [0] * 7
        for ch in fields[20]:
            if ch.isdigit() and 1 <= int(ch) < 6:
                entry.weeks[int(ch) - 1] = 1
            elif ch in WEEKDAY_LETTERS:
                entry.weekdays[WEEKDAY_LETTERS.index(ch)] = 1
    if entry.repeat_type >= 3 and fields[21]:
        entry.months = [0] * 12
        for ch in fields[21]:
            if ch in "123456789":
                entry.months[int(ch) - 1] = 1
            elif ch in "ABC":
                entry.months[9 + "ABC".index(ch)] = 1
    entry.avoid_days = leading_int(fields[22])
    for item in fields[23].split(","):
        if not item:
            continue
        first, _, last = item.partition(TILDE)
        ok1, t1 = parse_date(first, False)
        ok2, t2 = parse_date(last, False) if last else (ok1, t1)
        if ok1 and ok2:
            entry.exclusions.append((t1, t2))
    entry.place = fields[24]
    entry.memo = fields[25] if len(fields) > 25 else ""
    return entry


class Template:
    def __init__(self, data):
        text = data.decode("cp932")
        # Lines end at LF only (str.splitlines would also split at other separators).
        self.raw_lines = [line + "\n" for line in text.split("\n")]
        if self.raw_lines[-1] == "\n":
            self.raw_lines.pop()
        else:
            self.raw_lines[-1] = self.raw_lines[-1][:-1]
        self.rows = []  # (raw line, fields) of every row after the header, as the loader sees it
        for raw in self.raw_lines[1:]:
            line = raw[:-2] + "\n" if raw.endswith("\r\n") else raw
            if line.strip("\n") == "":
                continue
            fields = split_fields(line if line.endswith("\n") else line + "\n")
            fields = (fields + [""] * COLUMNS)[:COLUMNS]
            self.rows.append((raw, fields))
        self.file_version = None
        self.entries = []
        self.other_kinds = []
        for raw, fields in self.rows:
            kind = leading_int(fields[0])
            if kind == 4:
                self.file_version = leading_int(fields[3])
            elif kind in (2, 3, 5, 6):
                self.other_kinds.append(kind)
            else:
                entry = decode_entry(fields)
                if entry is not None:
                    self.entries.append((raw, fields, entry))


# ---------------------------------------------------------------------------------------------
# The holiday updates the template load runs. On the template they must change nothing.

RESPECT_FOR_AGED = "敬老の日"
MARINE_DAY = "海の日"
GREENERY_DAY = "みどりの日"
SHOWA_DAY = "昭和の日"
CITIZENS = "国民の休日"
SUBSTITUTE = "振替休日"
SPRING = "春分の日"
AUTUMN = "秋分の日"


def starts_on(entry, month, day):
    d = date_of(entry.start)
    return d.month == month and d.day == day


def update_2003(entries):
    for entry in entries:
        if entry.text == RESPECT_FOR_AGED and entry.repeat_type == 4 and entry.weeks[2]:
            return
    changed = False
    for entry in entries:
        if (entry.text == RESPECT_FOR_AGED and starts_on(entry, 9, 15)) or (
            entry.text == MARINE_DAY and starts_on(entry, 7, 20)
        ):
            entry.end = compose(2002, 12, 31)
            changed = True
    if changed:
        for name, month, day in ((RESPECT_FOR_AGED, 9, 15), (MARINE_DAY, 7, 20)):
            new = Entry()
            new.holiday, new.text, new.repeat_type, new.interval = 1, name, 4, 1
            new.start, new.end = compose(2003, 1, 1), compose(2036, 12, 31)
            new.position_mode, new.weeks[2], new.weekdays[1] = 1, 1, 1
            new.months = [0] * 12
            new.months[month - 1] = 1
            new.repeat_day_from = new.repeat_day_to = day
            entries.append(new)


def update_2007(entries):
    for entry in entries:
        if entry.holiday and entry.text == SHOWA_DAY and starts_on(entry, 4, 29):
            return
    changed = False
    for entry in entries:
        if not entry.holiday or entry.repeat_type != 4:
            continue
        if (entry.text == GREENERY_DAY and starts_on(entry, 4, 29)) or (
            entry.text == CITIZENS and starts_on(entry, 5, 4)
        ):
            entry.end = compose(2006, 12, 31)
            changed = True
    if changed:
        for name, month, day in ((SHOWA_DAY, 4, 29), (GREENERY_DAY, 5, 4)):
            new = Entry()
            new.holiday, new.text, new.repeat_type, new.interval = 1, name, 4, 1
            new.start, new.end = compose(2007, month, day), compose(2036, 12, 31)
            new.repeat_day_from = new.repeat_day_to = day
            entries.append(new)


# ---------------------------------------------------------------------------------------------
# Occurrence expansion of one entry over a span of days. The template uses single days (type 0)
# and yearly rules (type 4), in day-number and in position mode; other types are reported.
# Holiday entries carry no avoid days, so the avoid step has nothing to do here; an entry that
# has them is reported by the entry checks instead (the built-in holiday test would then decide
# where it lands).


class UnsupportedRule(Exception):
    pass


def weekday_of_month(year, month, week, day_of_week):
    if week < 4:
        first = weekday(compose(year, month, 1))
        day = day_of_week - first + 1
        if day <= 0:
            day += 7
        day += 7 * week
    else:
        last = days_in_month(year, month)
        day = last - (weekday(compose(year, month, last)) - day_of_week + 7) % 7
    return compose(year, month, day)


def mark_occurrences(entry, span_from, span_to, apply_exclusions=True):
    """marks[k] = 1 when the entry occurs on day span_from + k days, 0 <= k <= n."""
    n = (span_to - span_from) // DAY
    marks = [0] * (n + 1)
    first = date_only(entry.start)
    if entry.end_time_set:
        repeat_end = entry.end
    else:
        repeat_end = date_only(entry.end) + DAY - 1

    def index(x):
        if x < span_from:
            return None
        k = (x - span_from) // DAY
        return k if k <= n else None

    if span_to < first or entry.end < span_from:
        return marks
    interval = max(entry.interval, 1)
    if entry.repeat_type == 0:
        s = 0 if entry.start < span_from else index(entry.start)
        e = min(n, (entry.end - span_from) // DAY)
        for k in range(s, e + 1):
            marks[k] = 1
    elif entry.repeat_type != 4:
        raise UnsupportedRule(f"repeat type {entry.repeat_type}")
    elif entry.position_mode:
        c = span_from
        start_year = date_of(entry.start).year
        while c <= span_to:
            d = date_of(c)
            if entry.months[d.month - 1] and (d.year - start_year) % interval == 0:
                for week in range(5):
                    for day_of_week in range(7):
                        if entry.weeks[week] and entry.weekdays[day_of_week]:
                            x = weekday_of_month(d.year, d.month, week, day_of_week)
                            k = index(x)
                            if first <= x <= repeat_end and k is not None:
                                marks[k] = 1
            c = compose(d.year, d.month + 1, 1)
    else:
        start = date_of(entry.start)
        from_year = date_of(span_from).year
        r = c_remainder(from_year - start.year, interval)
        s = interval - r if r > 0 else -r

        def day_number(value, year, month):
            return days_in_month(year, month) if value == -1 else value

        year = from_year + s
        c = compose(year, start.month, day_number(entry.repeat_day_from, year, start.month))
        while c <= span_to and c <= repeat_end:
            cd = date_of(c)
            length = day_number(entry.repeat_day_to, cd.year, cd.month) - day_number(
                entry.repeat_day_from, cd.year, cd.month
            )
            x = c
            while x <= c + length * DAY and x <= repeat_end:
                k = index(x)
                if x >= first and k is not None:
                    marks[k] = 1
                x += DAY
            next_year = cd.year + interval
            next_day = min(cd.day, days_in_month(next_year, cd.month))
            c = compose(next_year, cd.month, next_day)
    if apply_exclusions:
        for excluded_from, excluded_to in entry.exclusions:
            if excluded_to + DAY - 1 < span_from or excluded_from > span_to:
                continue
            s = 0 if excluded_from < span_from else index(excluded_from)
            e = min(n, (excluded_to - span_from) // DAY)
            for k in range(s, e + 1):
                marks[k] = 0
    return marks


# ---------------------------------------------------------------------------------------------
# The month grid: stored entries placed on their days, then the generated holidays.


class Cell:
    def __init__(self, t):
        self.date = t
        self.holidays = []  # (name, generated)

    def has_holiday(self):
        return bool(self.holidays)


def grid_start(year, month, start_monday):
    first = compose(year, month, 1)
    w = weekday(first)
    back = (6 if w == 0 else w - 1) if start_monday else w
    return first - back * DAY


def place_entries(entries, start, length):
    """Cells for length days from start (plus the spare cell), with every stored holiday entry
    on the days it occurs."""
    cells = [Cell(start + i * DAY) for i in range(length + 1)]
    for entry in entries:
        if entry.is_todo or not entry.holiday:
            continue
        marks = mark_occurrences(entry, start, start + (length + 2) * DAY)
        for i in range(length + 1):
            if marks[i]:
                cells[i].holidays.append((entry.text, False))
    return cells


def equinox_day(year, base_below_2100, base_from_2100):
    b = year - 1980
    constant = base_below_2100 if year < 2100 else base_from_2100
    return (242194 * b - 1000000 * (b // 4) + constant) // 1000000


def generate_equinox_and_citizens(cells, start, count):
    d = date_of(start)
    year, month = d.year, d.month

    def cell_at(t):
        i = (t - start) // DAY if t >= start else -1
        return cells[i] if 0 <= i < count else None

    def add(t, name):
        cell = cell_at(t)
        if cell is not None:
            cell.holidays.insert(0, (name, True))

    if ((month == 2 and count > 18) or month == 3) and 1980 <= year <= 2150:
        add(compose(year, 3, equinox_day(year, 20843100, 21851000)), SPRING)
    if month in (8, 9) and 1980 <= year <= 2150:
        autumn = compose(year, 9, equinox_day(year, 23248800, 24248800))
        add(autumn, AUTUMN)
        if year > 2002:
            monday = autumn - 2 * DAY
            if weekday(monday) == 1 and 15 <= date_of(monday).day <= 21:
                add(autumn - DAY, CITIZENS)
    if 1986 <= year <= 2006 and month in (3, 4, 5):
        may4 = compose(year, 5, 4)
        cell = cell_at(may4)
        if cell is not None and weekday(may4) != 0 and not cell.has_holiday():
            add(may4, CITIZENS)


def generate_substitutes(cells, start, count, entries):
    first_monday = (8 - weekday(start)) % 7
    for i in range(first_monday, count, 7):
        if cells[i].has_holiday():
            continue
        if i > 0:
            sunday = cells[i - 1]
        else:
            sunday = place_entries(entries, start - DAY, 1)[0]
        if sunday.has_holiday():
            cells[i].holidays.insert(0, (SUBSTITUTE, True))
    if start >= compose(2007, 5, 6):
        for cell in cells[:count]:
            d = date_of(cell.date)
            if d.month == 5 and d.day == 6 and weekday(cell.date) in (2, 3):
                cell.holidays.insert(0, (SUBSTITUTE, True))


def fill_grid(entries, year, month, weeks, start_monday):
    start = grid_start(year, month, start_monday)
    count = weeks * 7
    cells = place_entries(entries, start, count)
    generate_equinox_and_citizens(cells, start, count)
    generate_substitutes(cells, start, count, entries)
    return cells[:count]


GRID_LAYOUTS = [(5, False), (5, True), (6, False), (6, True)]  # (weeks, week starts on Monday)


# ---------------------------------------------------------------------------------------------
# The checks.


class Checks:
    def __init__(self):
        self.passed = self.failed = 0
        self.notes = []

    def check(self, ok, what, details=()):
        if ok:
            self.passed += 1
            return True
        self.failed += 1
        print(f"FAIL {what}")
        for line in details:
            print(f"     {line}")
        return False


def read_reference():
    reference = {}
    for line in REFERENCE.read_text(encoding="utf-8").splitlines():
        day_text, _, name = line.partition(" ")
        year, month, day = (int(part) for part in day_text.split("/"))
        reference[compose(year, month, day)] = name
    return reference


def check_file_format(checks, data, template):
    checks.check(
        data == make_template.template_bytes(),
        "data/kaldata.klx is what make_template.py writes (run scripts/make_template.py)",
    )
    checks.check(b"\x1a" not in data, "no Ctrl-Z in the file")
    lines = template.raw_lines
    checks.check(lines[0] == HEADER_LINE + "\r\n", "header line, ended by CR LF", [repr(lines[0][:80])])
    checks.check(len(lines) > 2 and lines[1] == ",".join(['""'] * COLUMNS) + "\r\n", "blank row of 26 quoted fields")
    settings = [fields for raw, fields in template.rows if leading_int(fields[0]) == 4]
    checks.check(
        len(lines) > 2 and lines[2].startswith('"4",') and lines[2].endswith("\r\n") and len(settings) == 1,
        "one settings row, third line, ended by CR LF",
    )
    checks.check(template.file_version == 430, "settings row carries file version 430", [str(template.file_version)])
    checks.check(not template.other_kinds, "no password, day colour, genre or memo rows", [str(template.other_kinds)])
    entry_lines = lines[3:]
    checks.check(
        all(line.endswith("\n") and not line.endswith("\r\n") for line in entry_lines),
        "entry rows end with LF alone",
    )
    checks.check(len(template.entries) == len(entry_lines), "every entry row decodes", [f"{len(entry_lines)} rows"])
    for raw, fields in template.rows:
        body = raw.rstrip("\r\n")
        checks.check(
            len(split_fields(body + "\n")) == COLUMNS and body == ",".join(f'"{f}"' for f in fields),
            "26 fields, every one quoted",
            [body[:80]],
        )


def check_entry(checks, raw, fields, entry):
    problems = []
    if fields[0] != "0" or entry.is_todo:
        problems.append("not a schedule")
    if not entry.holiday or fields[10] != "0000FF":
        problems.append("not a red holiday")
    if fields[2] != "00:00" or fields[4] != "00:00" or entry.start_time_set or entry.end_time_set:
        problems.append("times set")
    if entry.hidden or entry.avoid_days or entry.interval != 1 or entry.genre != 0:
        problems.append("hidden, avoid days, interval or genre not as a fresh entry")
    if (entry.alarm_mode, entry.alarm_minutes) != (1, 0):
        problems.append("alarm columns not as a fresh entry")
    if entry.link_file or entry.place or entry.memo or entry.time_display or entry.text_style:
        problems.append("link, place, memo or text style set")
    if fields[1] != date_text(entry.start) or fields[3] != date_text(entry.end):
        problems.append("dates not written as year/mm/dd")
    if not (compose(1972, 1, 1) <= entry.start <= entry.end <= compose(2036, 12, 31)):
        problems.append("start and end not in order within 1972-2036")
    if entry.repeat_type == 4:
        end = date_of(entry.end)
        if (end.month, end.day) != (12, 31):
            problems.append("a yearly rule does not end on 31 December")
        if entry.position_mode:
            if sum(entry.weeks) != 1 or sum(entry.weekdays) != 1 or sum(entry.months) != 1:
                problems.append("position mode without exactly one week, weekday and month")
        elif entry.repeat_day_from != date_of(entry.start).day or entry.repeat_day_to != entry.repeat_day_from:
            problems.append("day range is not the start's day")
        first = mark_occurrences(entry, entry.start, entry.start)
        if first != [1]:
            problems.append("the start is not an occurrence")
        for excluded_from, excluded_to in entry.exclusions:
            if 1 not in mark_occurrences(entry, excluded_from, excluded_to, apply_exclusions=False):
                problems.append(f"exclusion {date_text(excluded_from)} removes nothing")
    elif entry.repeat_type == 0:
        if entry.start != entry.end or entry.exclusions:
            problems.append("a single day that is not one day")
    else:
        problems.append(f"repeat type {entry.repeat_type}")
    checks.check(not problems, f"entry {entry.text} {fields[1]}", problems)


def check_updates(checks, entries):
    """Runs both updates as the template load does and returns the entries a new file has."""
    loaded = copy.deepcopy(entries)
    for name, update in (("2003", update_2003), ("2007", update_2007)):
        before = [e.key() for e in loaded]
        update(loaded)
        checks.check([e.key() for e in loaded] == before, f"the {name} holiday update leaves the template unchanged")
    return loaded


def check_grids(checks, entries, reference):
    """Every cell of every month grid 1980-2036, in each layout, against the law."""
    first_day = compose(FIRST_CHECKED_YEAR, 1, 1)
    last_day = compose(LAST_CHECKED_YEAR, 12, 31)
    for weeks, start_monday in GRID_LAYOUTS:
        layout = f"{weeks} weeks from {'Monday' if start_monday else 'Sunday'}"
        shown = set()
        for year in range(FIRST_CHECKED_YEAR, LAST_CHECKED_YEAR + 1):
            for month in range(1, 13):
                problems = []
                for cell in fill_grid(entries, year, month, weeks, start_monday):
                    if not first_day <= cell.date <= last_day:
                        continue
                    shown.add(cell.date)
                    problems += compare_cell(cell, reference.get(cell.date), checks.notes)
                checks.check(not problems, f"grid {year}-{month:02d} ({layout})", problems)
        checks.check(
            len(shown) == (last_day - first_day) // DAY + 1, f"every day of 1980-2036 is in some grid ({layout})"
        )


def compare_cell(cell, law_name, notes):
    day = date_text(cell.date)
    names = [name for name, _ in cell.holidays]
    if law_name is None:
        return [f"{day}: {'/'.join(names)} is not a national holiday"] if names else []
    if not names:
        return [f"{day}: {law_name} is missing"]
    if len(names) > 1:
        return [f"{day}: {law_name} shown {len(names)} times ({'/'.join(names)})"]
    name, generated = cell.holidays[0]
    if name == law_name:
        return []
    if generated:
        # The grid names the day itself; the template cannot change that name.
        note = f"{day}: the grid names it {name}, the law {law_name}"
        if note not in notes:
            notes.append(note)
        return []
    return [f"{day}: stored as {name}, the law says {law_name}"]


# Known behaviour of the expansion and the grid, to show the model above is faithful before it is
# trusted with the template.
def check_model(checks):
    def expect(what, got, expected):
        checks.check(got == expected, f"model: {what}", [f"got {got}", f"expected {expected}"])

    def yearly(name, start, end, day_from, day_to=None):
        entry = Entry()
        entry.holiday, entry.repeat_type, entry.text = 1, 4, name
        entry.start, entry.end = start, end
        entry.repeat_day_from = day_from
        entry.repeat_day_to = day_from if day_to is None else day_to
        return entry

    def third_monday(name, months):
        entry = yearly(name, compose(2003, 1, 1), compose(2036, 12, 31), 20)
        entry.position_mode, entry.weeks[2], entry.weekdays[1] = 1, 1, 1
        entry.months = [1 if month in months else 0 for month in range(1, 13)]
        return entry

    def marked(entry, span_from, span_to):
        marks = mark_occurrences(entry, span_from, span_to)
        return [date_text(span_from + k * DAY) for k, mark in enumerate(marks) if mark]

    def grid_holidays(entries, year, month, start_monday=False):
        cells = fill_grid(entries, year, month, 5, start_monday)
        return [f"{date_text(cell.date)} {name}" for cell in cells for name, _ in cell.holidays]

    until_2036 = compose(2036, 12, 31)
    expect(
        "last Friday: the 30th in a month ending on Friday, the 24th in one ending on Thursday",
        [date_text(weekday_of_month(2005, 9, 4, 5)), date_text(weekday_of_month(2005, 6, 4, 5))],
        ["2005/09/30", "2005/06/24"],
    )
    expect(
        "third Monday of July and September 2003",
        marked(third_monday("test", (7, 9)), compose(2003, 6, 29), compose(2003, 9, 30)),
        ["2003/07/21", "2003/09/15"],
    )
    leap = yearly("test", compose(2004, 2, 29), until_2036, 29)
    expect(
        "29 February rule: 1 March in 2005, 29 February in 2008",
        marked(leap, compose(2005, 2, 20), compose(2005, 3, 10))
        + marked(leap, compose(2008, 2, 20), compose(2008, 3, 10)),
        ["2005/03/01", "2008/02/29"],
    )
    expect(
        "a repetition ending 2005-07-15 still occurs on 15 July 2005, not in 2006",
        marked(
            yearly("test", compose(2004, 7, 15), compose(2005, 7, 15), 15), compose(2005, 7, 1), compose(2006, 7, 31)
        ),
        ["2005/07/15"],
    )
    expect(
        "a day range from 25 to 5 marks nothing",
        marked(yearly("test", compose(2004, 7, 25), until_2036, 25, 5), compose(2005, 7, 1), compose(2005, 8, 31)),
        [],
    )
    single = Entry()
    single.start, single.end = compose(2005, 6, 28), compose(2005, 7, 3)
    expect(
        "a single entry from 28 June expanded from 1 July",
        marked(single, compose(2005, 7, 1), compose(2005, 7, 10)),
        ["2005/07/01", "2005/07/02", "2005/07/03"],
    )
    single.end = compose(2005, 7, 7)
    single.exclusions = [(compose(2005, 6, 20), compose(2005, 7, 5))]
    expect(
        "an exclusion from 20 June to 5 July leaves 6 and 7 July",
        marked(single, compose(2005, 7, 1), compose(2005, 7, 10)),
        ["2005/07/06", "2005/07/07"],
    )
    expect(
        "September 2009: 敬老の日, 国民の休日, 秋分の日",
        grid_holidays([third_monday(RESPECT_FOR_AGED, (9,))], 2009, 9),
        ["2009/09/21 敬老の日", "2009/09/22 国民の休日", "2009/09/23 秋分の日"],
    )
    greenery = yearly(GREENERY_DAY, compose(2007, 5, 4), until_2036, 4)
    children = yearly("こどもの日", compose(1972, 5, 5), until_2036, 5)
    expect(
        "May 2008: Sunday 4 May gives 振替休日 on Tuesday 6 May",
        grid_holidays([greenery, children], 2008, 5),
        ["2008/05/04 みどりの日", "2008/05/05 こどもの日", "2008/05/06 振替休日"],
    )
    expect(
        "May 2003, first cell before 2007-05-06: no 6 May substitute, no 4 May on a Sunday",
        grid_holidays([], 2003, 5),
        [],
    )
    expect(
        "May 2018 from Monday: Sunday 29 April before the first cell gives 振替休日 on 30 April",
        grid_holidays([yearly(SHOWA_DAY, compose(2007, 4, 29), until_2036, 29)], 2018, 5, start_monday=True),
        ["2018/04/30 振替休日"],
    )
    expect(
        "May 1987: Monday 4 May is marked once, as 国民の休日",
        [h for h in grid_holidays([], 1987, 5) if h.startswith("1987/05/04")],
        ["1987/05/04 国民の休日"],
    )


def main(argv):
    global TEMPLATE
    if argv:
        TEMPLATE = pathlib.Path(argv[0])
    checks = Checks()
    check_model(checks)
    checks.check(
        national_holidays.format_lines(national_holidays.all_holidays()) == REFERENCE.read_text(encoding="utf-8"),
        "tests/data/national-holidays.txt is what national_holidays.py writes",
    )
    data = TEMPLATE.read_bytes()
    template = Template(data)
    check_file_format(checks, data, template)
    for raw, fields, entry in template.entries:
        try:
            check_entry(checks, raw, fields, entry)
        except UnsupportedRule as error:
            checks.check(False, f"entry {entry.text} {fields[1]}", [str(error)])
    entries = check_updates(checks, [entry for _, _, entry in template.entries])
    try:
        check_grids(checks, entries, read_reference())
    except UnsupportedRule as error:
        checks.check(False, "grids", [str(error)])
    for note in checks.notes:
        print(f"note {note}")
    print(f"template check: {checks.passed} passed, {checks.failed} failed")
    return 0 if checks.failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
