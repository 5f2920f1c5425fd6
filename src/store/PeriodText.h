#pragma once

#include "calendar/DTime.h"

#include <string>

namespace kal {

class CKalData;

// Bits of the text copy's options.
namespace textcopy {
inline constexpr int kYear = 1; // "年を入れる": the day starts with "%Y/"
inline constexpr int kWeekday = 2; // "曜日を入れる": "(日)" ... "(土)" after the day
} // namespace textcopy

// The options the user last chose for text copies ("TextCopy"/"Year" and "Youbi").
[[nodiscard]] int StoredTextCopyOptions();

// One line of the text copy for an entry listed on `day` (no line end): "Todo：" and the text for a
// to-do, else the day, the start and end times where set, and the text.
[[nodiscard]] std::u16string TextCopyLine(CDTime day, const CKalData& entry, int options);

} // namespace kal
