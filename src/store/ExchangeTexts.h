#pragma once

namespace kal {

// The texts of the period text copy and of the Outlook CSV exchange, exactly as the program writes
// and reads them.
namespace exchange {

inline constexpr char16_t kTodoPrefix[] = u"Todo：";
inline constexpr char16_t kRangeMark[] = u"～";

inline constexpr char16_t kCsvHeader[]
    = u"\"件名\",\"開始日\",\"開始時刻\",\"終了日\",\"終了時刻\",\"終日ｲﾍﾞﾝﾄ\",\"ｱﾗｰﾑ ｵﾝ/ｵﾌ\",\"ｱﾗｰﾑ日付\","
      u"\"ｱﾗｰﾑ時刻\",\"会議の開催者\",\"必須出席者\",\"任意出席者\",\"ﾘｿｰｽ\",\"ﾌﾟﾗｲﾍﾞｰﾄ\",\"経費情報\","
      u"\"公開する時間帯の種類\",\"支払い条件\",\"場所\",\"内容\",\"秘密度\",\"分類\",\"優先度\"";
inline constexpr char16_t kTrue[] = u"True";
inline constexpr char16_t kFalse[] = u"False";
inline constexpr char16_t kMidnight[] = u"0:00:00";
inline constexpr char16_t kShowAs[] = u"2";
inline constexpr char16_t kNormal[] = u"標準";

inline constexpr char16_t kExportFailed[] = u"エクスポートに失敗しました";
inline constexpr char16_t kCannotOpen[] = u"ファイルが開けません";
// Why a CSV file was not imported when its bytes fit none of the encodings the import reads.
inline constexpr char16_t kUnknownEncoding[]
    = u"文字コードを判別できません（読めるのは Shift_JIS、UTF-8、BOM 付きの UTF-16 です）。";
inline constexpr char16_t kNoSchedules[] = u"スケジュールがありません";

} // namespace exchange

} // namespace kal
