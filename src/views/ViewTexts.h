#pragma once

// Texts the views show, exactly as the program has always used them.

namespace kal::texts {

inline constexpr char16_t kCannotGoFurther[] = u"これ以上は進めません";
inline constexpr char16_t kNotFound[] = u"見つかりません";
inline constexpr char16_t kAskResetDayColour[] = u"この日の色を標準の色に戻しますか？";
inline constexpr char16_t kCannotMoveGenerated[] = u"Kalendraが自動的に設定したスケジュールは移動できません";

} // namespace kal::texts
