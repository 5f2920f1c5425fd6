#pragma once

// Texts the schedule store shows or writes, exactly as the program has always used them.

namespace kal::texts {

inline constexpr char16_t kCannotOpenFile[] = u"ファイルが開けません";
inline constexpr char16_t kCannotOpenFileForWriting[] = u"書き込みファイルが開けません";
inline constexpr char16_t kOutOfMemory[] = u"メモリーオーバーフロー";
inline constexpr char16_t kCannotReadTemplate[] = u"kaldata.klx を読み込めません";
inline constexpr char16_t kPasswordCaption[] = u"パスワード";
inline constexpr char16_t kPasswordPrompt[]
    = u"このファイルはパスワードで保護されています。パスワードを入力してください。";
inline constexpr char16_t kWrongPassword[] = u"パスワードが違います。";
// Follows the repeat error's own text.
inline constexpr char16_t kUnknownRules[] = u"繰り返しの種類が分からないスケジュールが%d件あります。"
                                            u"それぞれ最初の日だけを表示します。";

// The header line of a schedule file, one text per column.
inline constexpr const char16_t* kScheduleFileHeader[] = { u"区分", u"開始年月日", u"開始時間", u"終了年月日",
    u"終了時間", u"スケジュール", u"時刻設定1", u"時刻設定2", u"月間表示", u"休日", u"色", u"リンクファイル",
    u"チェック", u"アラーム", u"ジャンル", u"時刻表示", u"繰返タイプ", u"繰返開始日", u"繰返終了日", u"間隔",
    u"位置指定", u"有効月", u"平日のみ", u"除外日", u"場所", u"メモ" };

// The one genre the program starts with when it has no genre file.
inline constexpr char16_t kGeneralGenre[] = u"一般";
// Genres made up for entries whose genre the list lacks: followed by the genre's 1-based position.
inline constexpr char16_t kNumberedGenrePrefix[] = u"ジャンル";
inline constexpr char16_t kGenreFileDamaged[]
    = u"ジャンルファイルが壊れているため読み込めませんでした。ジャンルは「一般」だけになります。";

} // namespace kal::texts
