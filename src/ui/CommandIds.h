#pragma once

// Every command the menus, tool bars, accelerators and views send, named once. The text each menu
// item shows and its tool-bar icon are its definition (ui/Commands.h); its handler and state are
// bound by the target that handles it (ui/CommandTarget.h). A command goes first to the active view,
// then the document, the frame and the application; the views pass some on to each other. Items
// without a text are sent between windows, never chosen.

namespace kal {

// Commands every document program has, at the numbers such programs have always used.
inline constexpr int ID_FILE_NEW = 57600; // 新規作成
inline constexpr int ID_FILE_OPEN = 57601; // 開く
inline constexpr int ID_FILE_SAVE = 57603; // 上書き保存
inline constexpr int ID_FILE_SAVE_AS = 57604; // 名前を付けて保存
// The recent-file list: ID_FILE_MRU_FILE1 + i opens the file at place i, i in [0, kRecentFileCount).
inline constexpr int ID_FILE_MRU_FILE1 = 57616; // 最近使ったファイル (the front end puts the names here)
inline constexpr int kRecentFileCount = 4;
inline constexpr int ID_EDIT_COPY = 57634; // コピー(&C)
inline constexpr int ID_EDIT_CUT = 57635; // 切り取り(&T)
inline constexpr int ID_EDIT_FIND = 57636; // 検索
inline constexpr int ID_EDIT_PASTE = 57637; // 貼り付け
inline constexpr int ID_EDIT_UNDO = 57643; // 元に戻す
inline constexpr int ID_EDIT_REDO = 57644; // やり直し
inline constexpr int ID_APP_ABOUT = 57664; // ﾊﾞｰｼﾞｮﾝ情報
inline constexpr int ID_APP_EXIT = 57665; // 終了
inline constexpr int ID_HELP = 57670; // ヘルプ
inline constexpr int ID_NEXT_PANE = 57680; // 次のウィンドウ枠へ
inline constexpr int ID_PREV_PANE = 57681; // 前のウィンドウ枠へ

// The document's file commands.
inline constexpr int ID_FILE_RELOAD = 32780; // 再読込
inline constexpr int ID_FILE_CHECK_UPDATE = 32814; // ファイル更新チェック
inline constexpr int ID_FILE_ASSOCIATE = 32790; // 関連づけ
inline constexpr int ID_TEXT_COPY = 32815; // テキストコピー
inline constexpr int ID_OUTLOOK_EXPORT = 32835; // Outlook CSV エクスポート
inline constexpr int ID_OUTLOOK_IMPORT = 32838; // Outlook CSV インスポート
inline constexpr int ID_OUTLOOK_ADD = 32839; // カレンダーに追加(&O): the period, or the day list's entry

// Entries of the selected day.
inline constexpr int ID_SCHEDULE_EDIT = 32768; // 編集(&E)...
inline constexpr int ID_SCHEDULE_ADD = 32781; // スケジュールの追加(&A)...
inline constexpr int ID_TODO_ADD = 32846; // TODOの追加(&B)...
inline constexpr int ID_SCHEDULE_DELETE = 32782; // 削除(&D)...
inline constexpr int ID_SCHEDULE_DETAILS = 32826; // 詳細表示(&M)...
inline constexpr int ID_SCHEDULE_UP = 32842; // スケジュールを一つ上へ(&U)
inline constexpr int ID_SCHEDULE_DOWN = 32843; // スケジュールを一つ下へ(&W)
inline constexpr int ID_SCHEDULE_COPY_SERIES = 32836; // 連続コピー(&G)...
inline constexpr int ID_LINK_FILE_OPEN = 32829; // リンクファイルを開く(&L)
inline constexpr int ID_DIARY_EDIT = 32787; // 日記の編集
inline constexpr int ID_DAY_TEXT_COPY = 32875; // この日の予定をテキストコピー
inline constexpr int ID_DAY_COLOUR = 32878; // この日の色
inline constexpr int ID_DAY_COLOUR_CLEAR = 32879; // この日の色指定解除

// Search.
inline constexpr int ID_FIND_NEXT = 32822; // 次を検索
inline constexpr int ID_FIND_PREVIOUS = 32823; // 前を検索

// Moving the selected day.
inline constexpr int ID_GO_NEXT_MONTH = 32769; // 次の月へ
inline constexpr int ID_GO_PREVIOUS_MONTH = 32770; // 前の月へ
inline constexpr int ID_GO_DATE = 32771; // 指定の日付へ
inline constexpr int ID_GO_NEXT_WEEK = 32772; // 次の週へ
inline constexpr int ID_GO_PREVIOUS_WEEK = 32773; // 前の週へ
inline constexpr int ID_GO_DAYS_AFTER = 32774; // 指定日数後へ
inline constexpr int ID_GO_TODAY = 32775; // 今日へ移動
inline constexpr int ID_GO_NEXT_DAY = 32776; // 次の日へ
inline constexpr int ID_GO_PREVIOUS_DAY = 32777; // 前の日へ

// Which pane has the keyboard.
inline constexpr int ID_TO_MONTH_VIEW = 32853; // 月間スケジュールへ(&V)
inline constexpr int ID_TO_SCHEDULE_LIST = 32852; // スケジュールリストへ
inline constexpr int ID_SWITCH_VIEW = 32830; // 切り替え

// How the month is shown.
inline constexpr int ID_MONTH_NUMBERS = 32788; // 数字のみ
inline constexpr int ID_MONTH_ENGLISH = 32789; // 月を英語
inline constexpr int ID_JAPANESE_WEEKDAYS = 32832; // 曜日の日本語表示
inline constexpr int ID_START_MONDAY = 32856; // 月曜日始まり
inline constexpr int ID_SIX_WEEKS = 32813; // 6週表示
inline constexpr int ID_MONTH_SCHEDULES = 32824; // カレンダーに予定の表示
inline constexpr int ID_OTHER_MONTH_COLOUR = 32820; // 今月以外も指定色で表示
inline constexpr int ID_MULTILINE = 32855; // スケジュールの行折り返し
inline constexpr int ID_MULTI_DAY_BARS = 32885; // 複数日の予定を帯で表示
inline constexpr int ID_ICAL_EXPORT = 32886; // iCalendar エクスポート
inline constexpr int ID_ICAL_IMPORT = 32887; // iCalendar インポート
inline constexpr int ID_DATE_FORMAT = 32884; // 日付表示形式
// How the selected day is marked.
inline constexpr int ID_SELECTION_COLOUR = 32881; // 指定した色
inline constexpr int ID_SELECTION_INVERT = 32882; // 反転
inline constexpr int ID_SELECTION_FRAME = 32883; // 枠のみ

// Time display of the active view: ID_TIME_PER_ENTRY + mode, mode in [0, 4].
inline constexpr int ID_TIME_PER_ENTRY = 32807; // スケジュールごとの設定
inline constexpr int ID_TIME_START_END = 32808; // 開始・終了
inline constexpr int ID_TIME_START = 32809; // 開始のみ
inline constexpr int ID_TIME_END = 32810; // 終了のみ
inline constexpr int ID_TIME_NONE = 32811; // 表示せず

// Colours.
inline constexpr int ID_BACK_COLOUR = 32816; // 背景色(&B)...
inline constexpr int ID_SELECT_COLOUR = 32817; // 指定した場合の選択色(&S)...
inline constexpr int ID_WEEKDAY_COLOURS = 32818; // 曜日色
inline constexpr int ID_HOLIDAY_COLOUR = 32863; // 休日の色

// Fonts.
inline constexpr int ID_FONT_YEAR_MONTH = 32857; // 年月
inline constexpr int ID_FONT_WEEKDAY = 32786; // 曜日
inline constexpr int ID_FONT_DAY_NUMBER = 32778; // 日付
inline constexpr int ID_FONT_SCHEDULE = 32779; // ｽｹｼﾞｭｰﾙ
inline constexpr int ID_FONT_LIST = 32827; // ｽｹｼﾞｭｰﾙﾘｽﾄ(&S)...

// The schedule list pane.
inline constexpr int ID_LIST_SHOW = 32801; // 表示する
inline constexpr int ID_LIST_BOTTOM = 32802; // 常に下部に表示
inline constexpr int ID_LIST_RIGHT = 32803; // 常に右に表示
inline constexpr int ID_LIST_AUTO = 32804; // 位置自動

// Where to-dos are listed.
inline constexpr int ID_TODO_ON_TODAY = 32783; // 今日
inline constexpr int ID_TODO_ON_DEADLINE = 32784; // 期限日
inline constexpr int ID_TODO_VIEW_ALL = 32833; // 期間指定を無視し表示

// Tools and settings.
inline constexpr int ID_GENRE_SETTINGS = 32837; // ジャンル設定(&W)...
inline constexpr int ID_MEMO = 32821; // メモ
inline constexpr int ID_DIARY_FOLDER = 32862; // 日記のフォルダ(&D)...
inline constexpr int ID_SOFT_KEY_MENU = 32828; // ソフトキーメニュー
inline constexpr int ID_OPTIONS = 32805; // その他の設定
inline constexpr int ID_MENU_KEY = 32800; // MENU: the soft-key bar's menu button, which does nothing itself

// Sent between windows.
inline constexpr int ID_VIEW_INITIALISE = 32812; // 初期化: a view starts afresh after the file was read again
inline constexpr int ID_DAY_LIST_REFILL = 32825; // the month view tells the day list that the day changed

} // namespace kal
