#!/usr/bin/env python3
"""Writes a large CSV in the desktop calendar's Japanese layout, for timing and measuring the import.

    bench/big_csv.py OUT.csv RECORDS [--categories N] [--encoding cp932|utf-8|utf-16]

Each record is a timed entry with a place and a two-line memo; with --categories the records cycle
through N distinct category names (every record its own with N = RECORDS).
Then, e.g.:  kalendra-cli new-file x.klx; /usr/bin/time -v kalendra-cli import-csv x.klx OUT.csv
"""
import argparse

HEADER = ('"件名","開始日","開始時刻","終了日","終了時刻","終日ｲﾍﾞﾝﾄ","ｱﾗｰﾑ ｵﾝ/ｵﾌ","ｱﾗｰﾑ日付","ｱﾗｰﾑ時刻",'
          '"会議の開催者","必須出席者","任意出席者","ﾘｿｰｽ","ﾌﾟﾗｲﾍﾞｰﾄ","経費情報","公開する時間帯の種類",'
          '"支払い条件","場所","内容","秘密度","分類","優先度"')


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('out')
    parser.add_argument('records', type=int)
    parser.add_argument('--categories', type=int, default=1)
    parser.add_argument('--encoding', default='cp932')
    args = parser.parse_args()
    with open(args.out, 'w', encoding=args.encoding, newline='') as out:
        out.write(HEADER + '\r\n')
        for i in range(args.records):
            day = i % 28 + 1
            month = i // 28 % 12 + 1
            year = 2000 + i // 336 % 30
            date = f'{year}/{month:02d}/{day:02d}'
            hour = i % 12 + 8
            out.write(f'"会議 {i}","{date}","{hour}:00:00","{date}","{hour}:30:00","False","True","{date}",'
                      f'"{hour - 1}:45:00","","","","","True","","2","","本社 3F 会議室",'
                      f'"議題 {i}\r\n資料を持参","標準","分類{i % args.categories}","標準"\r\n')


if __name__ == '__main__':
    main()
