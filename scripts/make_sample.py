#!/usr/bin/env python3
"""Writes a small sample schedule file around a given day, for screenshots and desktop tests.

usage: make_sample.py OUT.klx [YYYY-MM-DD] [--template data/kaldata.klx]

The file holds the template's national holidays plus a week of everyday entries: meetings with
times and places, an all-day trip, a weekly lesson, a to-do with a deadline and one in green for
tests to find on screen ("E2E会議", two days after the given day).
"""
import datetime
import sys

HEADER = ("区分", "開始年月日", "開始時間", "終了年月日", "終了時間", "スケジュール", "時刻設定1", "時刻設定2",
          "月間表示", "休日", "色", "リンクファイル", "チェック", "アラーム", "ジャンル", "時刻表示", "繰返タイプ",
          "繰返開始日", "繰返終了日", "間隔", "位置指定", "有効月", "平日のみ", "除外日", "場所", "メモ")


def row(fields, count=26):
    fields = list(fields) + [""] * (count - len(fields))
    return ",".join('"%s"' % f for f in fields)


def date(d):
    return "%d/%02d/%02d" % (d.year, d.month, d.day)


def schedule(day, start, end, text, colour="000000", place="", repeat=0, until=None, end_day=None):
    timed = "1" if start else "0"
    until = until or (end_day or day)
    return row(["0", date(day), start or "00:00", date(until), end or "00:00", text, timed, timed, "0", "0",
                colour, "", "1", "0", "0", "0", str(repeat), str(day.day), str(day.day), "1", "0", "", "0", "",
                place, ""])


def todo(deadline, text, colour="0000C0"):
    return row(["1", date(deadline), "00:00", "", "", text, "0", "0", "0", "0", colour, "", "0", "-1", "0", "0",
                "0"])


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    template = "data/kaldata.klx"
    if "--template" in sys.argv:
        template = sys.argv[sys.argv.index("--template") + 1]
        args.remove(template)
    out = args[0]
    day = datetime.date.fromisoformat(args[1]) if len(args) > 1 else datetime.date.today()
    with open(template, "rb") as f:
        lines = f.read().decode("cp932").split("\n")
    holidays = [line for line in lines[1:] if line.startswith('"0"')]
    d = datetime.timedelta
    entries = [
        schedule(day, "09:30", "10:30", "定例会議", "800000", "第2会議室"),
        schedule(day, "12:00", "13:00", "ランチ", "008000", "駅前"),
        schedule(day + d(1), "14:00", "15:00", "歯医者", "000080"),
        schedule(day + d(2), "10:00", "11:00", "E2E会議", "00C000", "本社"),
        schedule(day + d(3), None, None, "大阪出張", "808000", end_day=day + d(4)),
        schedule(day - d(2), "19:00", "20:30", "英会話", "800080", repeat=2, until=day + d(120)),
        schedule(day + d(6), "18:30", "21:00", "忘年会", "0000FF", "新宿"),
        todo(day + d(5), "企画書の提出"),
    ]
    text = row(HEADER) + "\r\n" + row([]) + "\r\n"
    text += row(["4", "\\My Documents\\", "", "430", "0", "0", "0", ""]) + "\r\n"
    text += row(["5", "一般", "1", "000000", ""], 5) + "\r\n"
    text += "".join(line + "\n" for line in holidays + entries)
    with open(out, "wb") as f:
        f.write(text.encode("cp932"))


if __name__ == "__main__":
    main()
