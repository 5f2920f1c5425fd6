#pragma once

namespace kal::buttontext {

// The labels of the buttons every small dialog ends with; the date picker keeps the narrow
// katakana cancel its small screen needed.
inline constexpr char16_t kOk[] = u"OK";
inline constexpr char16_t kCancel[] = u"キャンセル";
inline constexpr char16_t kCancelNarrow[] = u"ｷｬﾝｾﾙ";
inline constexpr char16_t kClose[] = u"閉じる";

} // namespace kal::buttontext
