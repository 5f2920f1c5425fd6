#!/usr/bin/env python3
"""Writes data/kaldata.klx, the template every new schedule file starts from.

The template holds the national holidays as holiday entries. It holds only what the month grid
does not make by itself: the grid adds the equinox days, the citizens' holiday between 敬老の日
and 秋分の日, the 4 May citizens' holiday of 1986-2006, substitute holidays on the Monday after a
Sunday holiday and on 6 May from 2008. Everything else -- the fixed-date and Monday holidays, the
one-off days of the special laws, and the two 2019 citizens' holidays the grid cannot see -- is
listed below and written as entries. scripts/check_template.py proves that the two together give
exactly the national holidays of 1980-2036.

How the rules are written:
- A yearly rule is one entry with repeat type 4 (yearly): on a day of the start's month, or in
  position mode on the n-th Monday of one month. It runs from its first occurrence to 31 December
  of its last year.
- A rule that changes its date gets a new entry from the year of the change (成人の日, 敬老の日,
  体育の日, 天皇誕生日, and 4/29 turning from 天皇誕生日 into みどりの日 into 昭和の日), since the
  reader then sees each rule as the law stated it, with its own years.
- A rule that went on but had single years moved elsewhere keeps one entry and excludes the moved
  days: 海の日 and 山の日 in 2020 and 2021, the years of the Games. The exclusion names the exact
  day that moved, and the day it moved to is a one-off entry of its own.
- スポーツの日 starts with its first October holiday in 2022; its 2020 and 2021 days were in July
  and are one-off entries.
- Rules end at 2036, the last year the program's dates can hold. Nothing starts before 1972, the
  first.

Two entries of the file must already look like the updates the program runs on every template
load expects, so that those updates leave the file unchanged: 敬老の日 as a yearly rule on the
third week, and a 昭和の日 holiday starting on 29 April.

Usage: make_template.py [--output PATH]
"""

import argparse
import datetime
import pathlib
import sys

FIRST_YEAR = 1972  # the program's dates start on 1972-01-01
LAST_YEAR = 2036  # ... and end on 2036-12-31

FILE_VERSION = 430
DIARY_FOLDER = "\\My Documents\\"  # the program's default diary folder, in the form files carry

HEADER = [
    "区分", "開始年月日", "開始時間", "終了年月日", "終了時間", "スケジュール", "時刻設定1", "時刻設定2",
    "月間表示", "休日", "色", "リンクファイル", "チェック", "アラーム", "ジャンル", "時刻表示",
    "繰返タイプ", "繰返開始日", "繰返終了日", "間隔", "位置指定", "有効月", "平日のみ", "除外日", "場所", "メモ",
]  # fmt: skip
COLUMNS = len(HEADER)

REPEAT_NONE = 0
REPEAT_YEARLY = 4

HOLIDAY_COLOUR = 0x0000FF  # red as 0x00BBGGRR
# A fresh entry's alarm columns under the default settings: mode 1, lead time 0 minutes. The
# program's own holiday updates build their entries from a fresh entry too, so every holiday of a
# new file carries the same values.
ALARM_MODE = 1
ALARM_MINUTES = 0

WEEKDAY_LETTERS = "SMTWHFA"  # Sunday first
MONDAY = 1
MONTH_DIGITS = "123456789ABC"


class On:
    """Every year on month/day."""

    def __init__(self, month, day):
        self.month, self.day = month, day

    def first_day(self, year):
        return datetime.date(year, self.month, self.day)


class Monday:
    """Every year on the n-th Monday of a month."""

    def __init__(self, month, nth):
        self.month, self.nth = month, nth

    def first_day(self, year):
        first = datetime.date(year, self.month, 1)
        return first + datetime.timedelta(days=(7 - first.weekday()) % 7 + 7 * (self.nth - 1))


def day(year, month, day_of_month):
    return datetime.date(year, month, day_of_month)


# The yearly rules: name, rule, first year, last year, days the rule skips.
YEARLY = [
    ("元日", On(1, 1), FIRST_YEAR, LAST_YEAR, []),
    ("成人の日", On(1, 15), FIRST_YEAR, 1999, []),
    ("成人の日", Monday(1, 2), 2000, LAST_YEAR, []),
    ("建国記念の日", On(2, 11), FIRST_YEAR, LAST_YEAR, []),
    ("天皇誕生日", On(2, 23), 2020, LAST_YEAR, []),
    ("天皇誕生日", On(4, 29), FIRST_YEAR, 1988, []),
    ("みどりの日", On(4, 29), 1989, 2006, []),
    ("昭和の日", On(4, 29), 2007, LAST_YEAR, []),
    ("憲法記念日", On(5, 3), FIRST_YEAR, LAST_YEAR, []),
    ("みどりの日", On(5, 4), 2007, LAST_YEAR, []),
    ("こどもの日", On(5, 5), FIRST_YEAR, LAST_YEAR, []),
    ("海の日", On(7, 20), 1996, 2002, []),
    ("海の日", Monday(7, 3), 2003, LAST_YEAR, [day(2020, 7, 20), day(2021, 7, 19)]),
    ("山の日", On(8, 11), 2016, LAST_YEAR, [day(2020, 8, 11), day(2021, 8, 11)]),
    ("敬老の日", On(9, 15), FIRST_YEAR, 2002, []),
    ("敬老の日", Monday(9, 3), 2003, LAST_YEAR, []),
    ("体育の日", On(10, 10), FIRST_YEAR, 1999, []),
    ("体育の日", Monday(10, 2), 2000, 2019, []),
    ("スポーツの日", Monday(10, 2), 2022, LAST_YEAR, []),
    ("文化の日", On(11, 3), FIRST_YEAR, LAST_YEAR, []),
    ("勤労感謝の日", On(11, 23), FIRST_YEAR, LAST_YEAR, []),
    ("天皇誕生日", On(12, 23), 1989, 2018, []),
]

# Single days: the special laws, the 2020 and 2021 days of the Games, and the two citizens'
# holidays of 2019 that only exist because of the one-off 1 May.
ONE_OFF = [
    ("昭和天皇の大喪の礼", day(1989, 2, 24)),
    ("即位礼正殿の儀", day(1990, 11, 12)),
    ("皇太子徳仁親王の結婚の儀", day(1993, 6, 9)),
    ("国民の休日", day(2019, 4, 30)),
    ("天皇の即位の日", day(2019, 5, 1)),
    ("国民の休日", day(2019, 5, 2)),
    ("即位礼正殿の儀の行われる日", day(2019, 10, 22)),
    ("海の日", day(2020, 7, 23)),
    ("スポーツの日", day(2020, 7, 24)),
    ("山の日", day(2020, 8, 10)),
    ("海の日", day(2021, 7, 22)),
    ("スポーツの日", day(2021, 7, 23)),
    ("山の日", day(2021, 8, 8)),
]


def date_text(value):
    return f"{value.year}/{value.month:02d}/{value.day:02d}"


def exclusion_text(days):
    return ",".join(date_text(skipped) for skipped in days)


def entry_row(name, start, end, repeat=None):
    """The 26 columns of a holiday schedule entry from start to end, both at 00:00.

    repeat is None for a single day, else (repeatDayFrom, repeatDayTo, position text, month text,
    exclusion text) of a yearly rule."""
    repeat_type = REPEAT_NONE if repeat is None else REPEAT_YEARLY
    day_from, day_to, position, months, exclusions = repeat or (1, 1, "0", "", "")
    return [
        "0",  # schedule
        date_text(start),
        "00:00",
        date_text(end),
        "00:00",
        name,
        "0",  # startTimeSet
        "0",  # endTimeSet
        "0",  # hidden
        "1",  # holiday
        f"{HOLIDAY_COLOUR:06X}",
        "",  # linkFile
        str(ALARM_MODE),
        str(ALARM_MINUTES),
        "0",  # genre
        "0",  # timeDisplay and textStyle
        str(repeat_type),
        str(day_from),
        str(day_to),
        "1",  # interval
        position,
        months,
        "0",  # avoidDays
        exclusions,
        "",  # place
        "",  # memo
    ]


def yearly_row(name, rule, first_year, last_year, skipped):
    start = rule.first_day(first_year)
    end = datetime.date(last_year, 12, 31)
    if isinstance(rule, Monday):
        # Position mode: one week, one weekday, one month. The day range is not used by position
        # mode; it holds the start's day as the repeat dialog would leave it.
        position = f"{rule.nth}{WEEKDAY_LETTERS[MONDAY]}"
        months = MONTH_DIGITS[rule.month - 1]
    else:
        # Day-number mode repeats in the start's month; all twelve months stay set.
        position, months = "0", ""
    for skipped_day in skipped:
        if skipped_day != rule.first_day(skipped_day.year) or not first_year <= skipped_day.year <= last_year:
            raise ValueError(f"{name}: {skipped_day} is not a day of the rule")
    return entry_row(name, start, end, (start.day, start.day, position, months, exclusion_text(skipped)))


def quoted_line(fields, ending):
    return ",".join(f'"{field}"' for field in fields) + ending


def settings_row():
    fields = [""] * COLUMNS
    fields[0] = "4"
    fields[1] = DIARY_FOLDER
    fields[3] = str(FILE_VERSION)
    fields[4] = "0"  # defaultScheduleGenre
    fields[5] = "0"  # defaultTodoGenre
    fields[6] = "0"  # settingsExtra
    return fields


def template_text():
    """The whole file as text: header, blank row and settings row end with CR LF, entries with LF."""
    lines = [
        quoted_line(HEADER, "\r\n"),
        quoted_line([""] * COLUMNS, "\r\n"),
        quoted_line(settings_row(), "\r\n"),
    ]
    for rule in YEARLY:
        lines.append(quoted_line(yearly_row(*rule), "\n"))
    for name, single_day in ONE_OFF:
        lines.append(quoted_line(entry_row(name, single_day, single_day), "\n"))
    for line in lines:
        if line.count('"') != 2 * COLUMNS:
            raise ValueError(f"not {COLUMNS} quoted fields: {line!r}")
    return "".join(lines)


def template_bytes():
    return template_text().encode("cp932")


def main(argv):
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", type=pathlib.Path, default=root / "data" / "kaldata.klx")
    args = parser.parse_args(argv)
    data = template_bytes()
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(data)
    print(f"wrote {args.output} ({len(YEARLY)} yearly rules, {len(ONE_OFF)} single days)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
