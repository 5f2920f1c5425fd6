#!/usr/bin/env python3
"""Writes a heavy user's schedule file: ENTRIES entries (100,000 by default), 95 % single schedules with
Japanese text, a place and a two-line memo, 5 % repeating rules (weekly, monthly, yearly), spread over
2000-2030 with a fixed seed.

usage: heavy_file.py OUT.klx [ENTRIES]
"""
import random
import sys

HEADER = ("区分", "開始年月日", "開始時間", "終了年月日", "終了時間", "スケジュール", "時刻設定1", "時刻設定2",
          "月間表示", "休日", "色", "リンクファイル", "チェック", "アラーム", "ジャンル", "時刻表示", "繰返タイプ",
          "繰返開始日", "繰返終了日", "間隔", "位置指定", "有効月", "平日のみ", "除外日", "場所", "メモ")
TEXTS = ("営業部との定例打ち合わせ", "新製品の企画会議", "歯医者の予約", "顧客訪問（大阪支店）", "月次報告書の締め切り",
         "英会話レッスン", "プロジェクト進捗確認", "健康診断", "懇親会", "設計レビュー")
PLACES = ("本社第2会議室", "大阪支店", "新宿駅前クリニック", "オンライン", "横浜事務所")
MEMOS = ("資料を印刷して持参すること\x01\x02前回の議事録を確認", "担当：山田、佐藤\x01\x02予算案の最終確認",
         "駐車場は地下２階\x01\x02受付で名前を伝える")


def row(fields):
    fields = list(fields) + [""] * (26 - len(fields))
    return ",".join('"%s"' % f for f in fields)


def entry(rng):
    year, month, day = rng.randint(2000, 2030), rng.randint(1, 12), rng.randint(1, 28)
    hour = rng.randint(8, 19)
    date = "%d/%02d/%02d" % (year, month, day)
    repeat, until, interval = "0", date, "1"
    if rng.random() < 0.05:
        repeat = str(rng.choice((2, 3, 4)))  # weekly, monthly on a day, yearly
        until = "%d/%02d/%02d" % (min(year + rng.randint(1, 6), 2036), month, day)
    return row(["0", date, "%02d:00" % hour, until, "%02d:30" % hour, rng.choice(TEXTS), "1", "1", "0", "0",
                "%06X" % rng.randrange(0x1000000), "", "1", "-1", "0", "0", repeat, str(day), str(day), interval,
                "0", "", "0", "", rng.choice(PLACES), rng.choice(MEMOS)])


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    rng = random.Random(20261207)
    lines = [row(HEADER), row([]), row(["4", "\\My Documents\\", "", "430", "0", "0", "0", ""]),
             ",".join('"%s"' % f for f in ("5", "一般", "1", "000000", ""))]
    lines += (entry(rng) for _ in range(count))
    with open(out, "wb") as f:
        f.write(("\r\n".join(lines[:4]) + "\r\n" + "".join(line + "\n" for line in lines[4:])).encode("cp932"))


if __name__ == "__main__":
    main()
