#pragma once

// The texts of the program's menus, each exactly as the program shows it. A command reads the same
// in every menu it appears in; "&" marks the mnemonic letter.

namespace kal::menutext {

// Pop-ups of the menu bar.
inline constexpr char16_t kFileMenu[] = u"ファイル(&F)";
inline constexpr char16_t kEditMenu[] = u"編集(&E)";
inline constexpr char16_t kScheduleMenu[] = u"スケジュール(&S)";
inline constexpr char16_t kGoMenu[] = u"移動(&G)";
inline constexpr char16_t kViewMenu[] = u"表示(&V)";
inline constexpr char16_t kToolsMenu[] = u"ツール(&T)";
inline constexpr char16_t kHelpMenu[] = u"ヘルプ(&H)";
// The one pop-up that holds all the others on narrow screens.
inline constexpr char16_t kMainMenu[] = u"メニュー(&M)";

// Pop-ups inside the view menu.
inline constexpr char16_t kYearMonthMenu[] = u"年月の表示(&Y)";
inline constexpr char16_t kTimeMenu[] = u"時刻の表示";
inline constexpr char16_t kSelectionMenu[] = u"選択した日の表示(&S)";
inline constexpr char16_t kColourMenu[] = u"色(&C)";
inline constexpr char16_t kFontMenu[] = u"フォント(&F)";
inline constexpr char16_t kListMenu[] = u"スケジュールリスト(&L)";
inline constexpr char16_t kTodoMenu[] = u"TODOの表示(&D)";

// Context pop-ups: their names are never shown, the front end finds them by place.
inline constexpr char16_t kListPopupName[] = u"LIST";
inline constexpr char16_t kHeadingPopupName[] = u"HEADING";
inline constexpr char16_t kMonthPopupName[] = u"MONTH";

// File.
inline constexpr char16_t kNew[] = u"新規作成";
inline constexpr char16_t kOpen[] = u"開く";
inline constexpr char16_t kSave[] = u"上書き保存";
inline constexpr char16_t kSaveAs[] = u"名前を付けて保存";
inline constexpr char16_t kReload[] = u"再読込";
inline constexpr char16_t kCheckUpdate[] = u"ファイル更新チェック";
inline constexpr char16_t kTextCopy[] = u"テキストコピー";
inline constexpr char16_t kOutlookExport[] = u"Outlook CSV エクスポート";
inline constexpr char16_t kOutlookImport[] = u"Outlook CSV インスポート";
inline constexpr char16_t kIcalExport[] = u"iCalendar エクスポート";
inline constexpr char16_t kIcalImport[] = u"iCalendar インポート";
// Named for the calendar store it adds to.
inline constexpr char16_t kOutlookAdd[] = u"カレンダーに追加(&O)";
inline constexpr char16_t kAssociate[] = u"関連づけ";
inline constexpr char16_t kRecentFiles[] = u"最近使ったファイル";
inline constexpr char16_t kExit[] = u"終了";

// Edit and search.
inline constexpr char16_t kUndo[] = u"元に戻す";
inline constexpr char16_t kRedo[] = u"やり直し";
inline constexpr char16_t kCut[] = u"切り取り(&T)";
inline constexpr char16_t kCopy[] = u"コピー(&C)";
inline constexpr char16_t kPaste[] = u"貼り付け";
inline constexpr char16_t kFind[] = u"検索";
inline constexpr char16_t kFindNext[] = u"次を検索";
inline constexpr char16_t kFindPrevious[] = u"前を検索";

// Entries.
inline constexpr char16_t kScheduleAdd[] = u"スケジュールの追加(&A)...";
inline constexpr char16_t kTodoAdd[] = u"TODOの追加(&B)...";
inline constexpr char16_t kScheduleEdit[] = u"編集(&E)...";
inline constexpr char16_t kScheduleDetails[] = u"詳細表示(&M)...";
inline constexpr char16_t kScheduleDelete[] = u"削除(&D)...";
inline constexpr char16_t kScheduleUp[] = u"スケジュールを一つ上へ(&U)";
inline constexpr char16_t kScheduleDown[] = u"スケジュールを一つ下へ(&W)";
inline constexpr char16_t kScheduleCopySeries[] = u"連続コピー(&G)...";
inline constexpr char16_t kLinkFileOpen[] = u"リンクファイルを開く(&L)";
inline constexpr char16_t kDiaryEdit[] = u"日記の編集";
inline constexpr char16_t kDayTextCopy[] = u"この日の予定をテキストコピー";
inline constexpr char16_t kDayColour[] = u"この日の色";
inline constexpr char16_t kDayColourClear[] = u"この日の色指定解除";

// Moving.
inline constexpr char16_t kGoToday[] = u"今日へ移動";
inline constexpr char16_t kGoDate[] = u"指定の日付へ";
inline constexpr char16_t kGoDaysAfter[] = u"指定日数後へ";
inline constexpr char16_t kGoNextMonth[] = u"次の月へ";
inline constexpr char16_t kGoPreviousMonth[] = u"前の月へ";
inline constexpr char16_t kGoNextWeek[] = u"次の週へ";
inline constexpr char16_t kGoPreviousWeek[] = u"前の週へ";
inline constexpr char16_t kGoNextDay[] = u"次の日へ";
inline constexpr char16_t kGoPreviousDay[] = u"前の日へ";
inline constexpr char16_t kToMonthView[] = u"月間スケジュールへ(&V)";
inline constexpr char16_t kToScheduleList[] = u"スケジュールリストへ";
inline constexpr char16_t kSwitchView[] = u"切り替え";
inline constexpr char16_t kNextPane[] = u"次のウィンドウ枠へ";
inline constexpr char16_t kPreviousPane[] = u"前のウィンドウ枠へ";

// View.
inline constexpr char16_t kMonthNumbers[] = u"数字のみ";
inline constexpr char16_t kMonthEnglish[] = u"月を英語";
inline constexpr char16_t kJapaneseWeekdays[] = u"曜日の日本語表示";
inline constexpr char16_t kStartMonday[] = u"月曜日始まり";
inline constexpr char16_t kSixWeeks[] = u"6週表示";
inline constexpr char16_t kMonthSchedules[] = u"カレンダーに予定の表示";
inline constexpr char16_t kOtherMonthColour[] = u"今月以外も指定色で表示";
inline constexpr char16_t kMultiline[] = u"スケジュールの行折り返し";
inline constexpr char16_t kMultiDayBars[] = u"複数日の予定を帯で表示";
inline constexpr char16_t kDateFormat[] = u"日付表示形式";
inline constexpr char16_t kSelectionColour[] = u"指定した色";
inline constexpr char16_t kSelectionInvert[] = u"反転";
inline constexpr char16_t kSelectionFrame[] = u"枠のみ";
inline constexpr char16_t kTimePerEntry[] = u"スケジュールごとの設定";
inline constexpr char16_t kTimeStartEnd[] = u"開始・終了";
inline constexpr char16_t kTimeStart[] = u"開始のみ";
inline constexpr char16_t kTimeEnd[] = u"終了のみ";
inline constexpr char16_t kTimeNone[] = u"表示せず";
inline constexpr char16_t kBackColour[] = u"背景色(&B)...";
inline constexpr char16_t kSelectColour[] = u"指定した場合の選択色(&S)...";
inline constexpr char16_t kWeekdayColours[] = u"曜日色";
inline constexpr char16_t kHolidayColour[] = u"休日の色";
inline constexpr char16_t kFontYearMonth[] = u"年月";
inline constexpr char16_t kFontWeekday[] = u"曜日";
inline constexpr char16_t kFontDayNumber[] = u"日付";
inline constexpr char16_t kFontSchedule[] = u"ｽｹｼﾞｭｰﾙ";
inline constexpr char16_t kFontList[] = u"ｽｹｼﾞｭｰﾙﾘｽﾄ(&S)...";
inline constexpr char16_t kListShow[] = u"表示する";
inline constexpr char16_t kListBottom[] = u"常に下部に表示";
inline constexpr char16_t kListRight[] = u"常に右に表示";
inline constexpr char16_t kListAuto[] = u"位置自動";
inline constexpr char16_t kTodoOnToday[] = u"今日";
inline constexpr char16_t kTodoOnDeadline[] = u"期限日";
inline constexpr char16_t kTodoViewAll[] = u"期間指定を無視し表示";

// Tools and help.
inline constexpr char16_t kGenreSettings[] = u"ジャンル設定(&W)...";
inline constexpr char16_t kMemo[] = u"メモ";
inline constexpr char16_t kDiaryFolder[] = u"日記のフォルダ(&D)...";
inline constexpr char16_t kSoftKeyMenu[] = u"ソフトキーメニュー";
inline constexpr char16_t kOptions[] = u"その他の設定";
inline constexpr char16_t kHelp[] = u"ヘルプ";
inline constexpr char16_t kAbout[] = u"ﾊﾞｰｼﾞｮﾝ情報";

} // namespace kal::menutext
