#pragma once

// Texts of the frame's own dialogs.

namespace kal::texts {

inline constexpr char16_t kDateFormatCaption[] = u"日付の表示形式";
inline constexpr char16_t kDateFormatPosition[] = u"位置";
inline constexpr char16_t kDateFormatFrame[] = u"枠";

} // namespace kal::texts
