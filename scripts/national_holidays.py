#!/usr/bin/env python3
"""Every Japanese national holiday from 1980 to 2036, computed from the law.

Writes tests/data/national-holidays.txt: one line per holiday, "YYYY/MM/DD name", in date order,
UTF-8 with LF. The month-grid tests compare against it, so it is computed here from the holiday
law alone -- the regular holidays with the years they held, the one-off days of the special laws,
the equinox formula, and the substitute and citizens' holidays by the law's own wording. It never
looks at data/kaldata.klx or at how the program generates holidays.

Usage: national_holidays.py [--output PATH] [--check]
  --check  compare with the existing file instead of writing it; exit 1 when they differ.
"""

import argparse
import datetime
import fractions
import pathlib
import sys

FIRST_YEAR = 1980
LAST_YEAR = 2036

SUBSTITUTE = "振替休日"
CITIZENS = "国民の休日"

ONE_DAY = datetime.timedelta(days=1)
SUNDAY = 6  # datetime.weekday(): Monday 0 ... Sunday 6


def fixed(month, day):
    return lambda year: datetime.date(year, month, day)


def nth_monday(month, n):
    def rule(year):
        first = datetime.date(year, month, 1)
        return first + datetime.timedelta(days=(7 - first.weekday()) % 7 + 7 * (n - 1))

    return rule


def _equinox(constant):
    # int(C + 0.242194*(Y-1980) - int((Y-1980)/4)), computed in exact decimals: a binary float
    # could land just below a whole number and give the day before.
    base = fractions.Fraction(constant)
    rate = fractions.Fraction("0.242194")

    def day(year):
        years = year - 1980
        return int(base + rate * years - int(years / 4))

    return day


_SPRING_DAY = _equinox("20.8431")
_AUTUMN_DAY = _equinox("23.2488")


def vernal_equinox(year):
    return datetime.date(year, 3, _SPRING_DAY(year))


def autumnal_equinox(year):
    return datetime.date(year, 9, _AUTUMN_DAY(year))


ALWAYS = [(None, None)]
# The equinox formula holds for these years only; the output needs no others.
EQUINOX_YEARS = [(1980, 2099)]

# The regular holidays: name, date rule, year ranges in which the rule holds (None = open).
# The 2020 and 2021 dates of the Games replace the regular rule in those years: the rule's years
# leave them out, so they are not extra days.
REGULAR = [
    ("元日", fixed(1, 1), ALWAYS),
    ("成人の日", fixed(1, 15), [(None, 1999)]),
    ("成人の日", nth_monday(1, 2), [(2000, None)]),
    ("建国記念の日", fixed(2, 11), [(1967, None)]),
    ("天皇誕生日", fixed(4, 29), [(None, 1988)]),
    ("天皇誕生日", fixed(12, 23), [(1989, 2018)]),
    ("天皇誕生日", fixed(2, 23), [(2020, None)]),
    ("春分の日", vernal_equinox, EQUINOX_YEARS),
    ("みどりの日", fixed(4, 29), [(1989, 2006)]),
    ("昭和の日", fixed(4, 29), [(2007, None)]),
    ("憲法記念日", fixed(5, 3), ALWAYS),
    ("みどりの日", fixed(5, 4), [(2007, None)]),
    ("こどもの日", fixed(5, 5), ALWAYS),
    ("海の日", fixed(7, 20), [(1996, 2002)]),
    ("海の日", nth_monday(7, 3), [(2003, 2019), (2022, None)]),
    ("海の日", fixed(7, 23), [(2020, 2020)]),
    ("海の日", fixed(7, 22), [(2021, 2021)]),
    ("山の日", fixed(8, 11), [(2016, 2019), (2022, None)]),
    ("山の日", fixed(8, 10), [(2020, 2020)]),
    ("山の日", fixed(8, 8), [(2021, 2021)]),
    ("敬老の日", fixed(9, 15), [(1966, 2002)]),
    ("敬老の日", nth_monday(9, 3), [(2003, None)]),
    ("秋分の日", autumnal_equinox, EQUINOX_YEARS),
    ("体育の日", fixed(10, 10), [(1966, 1999)]),
    ("体育の日", nth_monday(10, 2), [(2000, 2019)]),
    ("スポーツの日", fixed(7, 24), [(2020, 2020)]),
    ("スポーツの日", fixed(7, 23), [(2021, 2021)]),
    ("スポーツの日", nth_monday(10, 2), [(2022, None)]),
    ("文化の日", fixed(11, 3), ALWAYS),
    ("勤労感謝の日", fixed(11, 23), ALWAYS),
]

# One-off holidays of the special laws. They are national holidays in every respect: they give
# substitute holidays and count for the citizens' holiday.
ONE_OFF = [
    (datetime.date(1989, 2, 24), "昭和天皇の大喪の礼"),
    (datetime.date(1990, 11, 12), "即位礼正殿の儀"),
    (datetime.date(1993, 6, 9), "皇太子徳仁親王の結婚の儀"),
    (datetime.date(2019, 5, 1), "天皇の即位の日"),
    (datetime.date(2019, 10, 22), "即位礼正殿の儀の行われる日"),
]

SUBSTITUTE_LAW = datetime.date(1973, 4, 12)  # Sunday holiday -> the Monday after
NEXT_FREE_DAY_LAW = datetime.date(2007, 1, 1)  # Sunday holiday -> first following non-holiday
CITIZENS_LAW = datetime.date(1985, 12, 27)  # a day between two national holidays


def _in_ranges(year, ranges):
    return any((first is None or year >= first) and (last is None or year <= last) for first, last in ranges)


def national_holidays(first_year, last_year):
    """The 国民の祝日 proper (regular and one-off), as {date: name}."""
    days = {}

    def add(day, name):
        if day in days:
            raise ValueError(f"{day}: both {days[day]} and {name}")
        days[day] = name

    for year in range(first_year, last_year + 1):
        for name, rule, ranges in REGULAR:
            if _in_ranges(year, ranges):
                add(rule(year), name)
    for day, name in ONE_OFF:
        if first_year <= day.year <= last_year:
            add(day, name)
    return days


def substitute_holidays(national):
    """振替休日: for a national holiday on a Sunday, the Monday after (until 2006; nothing when that
    Monday is a national holiday itself), or from 2007 the first following day that is not a
    national holiday."""
    substitutes = set()
    for day in sorted(national):
        if day < SUBSTITUTE_LAW or day.weekday() != SUNDAY:
            continue
        following = day + ONE_DAY
        if day >= NEXT_FREE_DAY_LAW:
            while following in national:
                following += ONE_DAY
        if following not in national:
            substitutes.add(following)
    return substitutes


def citizens_holidays(national, substitutes, first_day, last_day):
    """国民の休日: a day whose previous and next days are both national holidays and which is not one
    itself; until 2006 not a Sunday and not a substitute holiday either."""
    citizens = set()
    day = max(first_day, CITIZENS_LAW)
    while day <= last_day:
        between = day not in national and day - ONE_DAY in national and day + ONE_DAY in national
        if between and day < NEXT_FREE_DAY_LAW:
            between = day.weekday() != SUNDAY and day not in substitutes
        if between:
            citizens.add(day)
        day += ONE_DAY
    return citizens


def all_holidays(first_year=FIRST_YEAR, last_year=LAST_YEAR):
    """Every holiday from first_year to last_year as {date: name}."""
    # One year either side, so the neighbours of the first and last days are known.
    national = national_holidays(first_year - 1, last_year + 1)
    substitutes = substitute_holidays(national)
    citizens = citizens_holidays(
        national, substitutes, datetime.date(first_year, 1, 1), datetime.date(last_year, 12, 31)
    )
    holidays = dict(national)
    for day in sorted(substitutes):
        holidays[day] = SUBSTITUTE
    for day in sorted(citizens):
        if day in holidays:
            raise ValueError(f"{day}: citizens' holiday on a day that is already {holidays[day]}")
        holidays[day] = CITIZENS
    return {day: name for day, name in holidays.items() if first_year <= day.year <= last_year}


def format_lines(holidays):
    return "".join(f"{day.year}/{day.month:02d}/{day.day:02d} {holidays[day]}\n" for day in sorted(holidays))


def main(argv):
    root = pathlib.Path(__file__).resolve().parent.parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", type=pathlib.Path, default=root / "tests" / "data" / "national-holidays.txt")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args(argv)

    text = format_lines(all_holidays())
    if args.check:
        current = args.output.read_text(encoding="utf-8") if args.output.exists() else ""
        if current != text:
            print(f"{args.output} is out of date: run {pathlib.Path(__file__).name}", file=sys.stderr)
            return 1
        return 0
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_bytes(text.encode("utf-8"))
    print(f"wrote {args.output} ({text.count(chr(10))} holidays)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
