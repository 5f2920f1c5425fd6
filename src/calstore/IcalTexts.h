#pragma once

// The texts of reading an iCalendar file into a schedule file, exactly as the program shows them.
namespace kal::icaltexts {

inline constexpr char16_t kEmpty[] = u"iCalendar ファイルが空です。何も追加していません。";
inline constexpr char16_t kNotCalendar[]
    = u"iCalendar 形式のデータではありません (BEGIN:VCALENDAR がありません)。何も追加していません。";
// %d: the largest size read, in MiB.
inline constexpr char16_t kTooLarge[] = u"iCalendar ファイルが大きすぎます (上限 %d MiB)。何も追加していません。";
// %d: the deepest nesting read.
inline constexpr char16_t kTooDeep[] = u"iCalendar の入れ子が深すぎます (上限 %d 段)。何も追加していません。";
inline constexpr char16_t kNotClosed[]
    = u"iCalendar のデータが途中で終わっています (END の行が足りません)。何も追加していません。";
// The line as libical reports it follows.
inline constexpr char16_t kBrokenLine[] = u"iCalendar の壊れた行があります。何も追加していません: ";

} // namespace kal::icaltexts
