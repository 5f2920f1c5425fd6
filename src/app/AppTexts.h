#pragma once

// Texts the application, document and frame show, exactly as the program has always used them.

namespace kal::texts {

inline constexpr char16_t kCaption[] = u"Zentrik Kalendra";
inline constexpr char16_t kAbout[]
    = u"Zentrik Kalendra\nKalendra for Linux 0.1\n\nソフトキー: F2 でメニュー、Esc で閉じる";
// Shown, followed by the new name, when a settings file that could not be read was set aside
// before the settings were written anew.
inline constexpr char16_t kSettingsSetAside[]
    = u"設定ファイルが読み込めなかったため、元のファイルを次の名前で残し、新しい設定ファイルを作りました。\n";
// Shown, followed by its path, when something other than a file stands where the settings belong.
inline constexpr char16_t kSettingsNotAFile[]
    = u"設定ファイルの場所にファイルでないもの（名前付きパイプやデバイスなど）が"
      u"あるため、設定は保存されず、この実行の間だけ有効です。\n";
// Shown, followed by its path, when another program kept the settings file locked.
inline constexpr char16_t kSettingsLocked[]
    = u"設定ファイルを別のプログラムが使用中のため、設定は保存されず、この実行の間だけ有効です。\n";
inline constexpr char16_t kOpenNewFile[] = u"新規ファイルを開きます";
inline constexpr char16_t kPreviousFileMissing[]
    = u"前回ファイルが開けませんでした。[ファイル]-[開く]でファイルを選択してください。";
inline constexpr char16_t kAssociated[] = u"klxファイルを関連づけしました";
inline constexpr char16_t kNewFileError[] = u"エラー：新規ファイルです";
inline constexpr char16_t kAskReload[]
    = u"ファイルを再読み込みしますか？\n注再読込した場合、それまでの変更は破棄されます。";
inline constexpr char16_t kAskReloadChanged[]
    = u"ファイルが更新されているようです。再読み込みしますか？\n注再読込した場合、それまでの変更は破棄されます。";
// The two choices beside Cancel when a file changed on disk is about to be saved over.
inline constexpr char16_t kOverwriteChoice[] = u"上書き保存";
inline constexpr char16_t kReloadChoice[] = u"再読み込み";
// %d: how many rows of the opened file could not be read.
inline constexpr char16_t kUnreadRows[] = u"読み込めない行が%d行ありました。\n保存するとこれらの行は失われるため、"
                                          u"最初に保存する前に元のファイルを「.bak」を付けた名前で残します。";
// %d: how many records of an imported CSV file were left out.
inline constexpr char16_t kImportSkipped[] = u"日付や時刻が読めないため、%d件のスケジュールを取り込みませんでした。";
inline constexpr char16_t kUnreadRowsNotKept[]
    = u"読み込めない行を含む元のファイルを残せないため、保存を中止しました。";
// %s: the schedule file. Another program (or another run of this one) was writing it for longer than
// a save waits; nothing was written.
inline constexpr char16_t kFileBeingWritten[]
    = u"%s には他のプログラムが書き込み中のため、保存しませんでした。しばらくしてからもう一度保存してください。";
// %s: the schedule file, which another program changed after it was read; nothing was written.
inline constexpr char16_t kChangedSinceRead[]
    = u"%s は読み込んだ後に他のプログラムによって変更されたため、保存しませんでした。";
// %s: the file the work belonged to, or "無題". Asked at start when the program was ended (by the
// system, or at log-out) with changes it could not save without asking.
inline constexpr char16_t kAskRestoreRecovery[]
    = u"前回の終了時に保存できなかった変更（%s）が残っています。\n"
      u"「復元」: 無題の文書として開きます（元のファイルには書き込みません）。\n"
      u"「破棄」: 変更を捨てます。\n「キャンセル」: 次回の起動時にもう一度確認します。";
inline constexpr char16_t kRestoreChoice[] = u"復元";
inline constexpr char16_t kDiscardRecoveryChoice[] = u"破棄";
inline constexpr char16_t kAskDeleteSuffix[] = u" を削除しますか？";
// Holidays the month grid works out for itself are not stored, so they cannot be changed.
inline constexpr char16_t kCannotEditGenerated[] = u"Kalendraが自動的に設定したスケジュールは変更できません";
inline constexpr char16_t kAskSaveChanges[] = u"%s への変更を保存しますか?";
inline constexpr char16_t kUntitled[] = u"無題";
// %s: the file's name. Asked when the changes could not be written, with the two choices below
// beside Cancel.
inline constexpr char16_t kAskAfterFailedSave[] = u"%s への変更を保存できませんでした。\n別の名前で保存しますか？\n"
                                                  u"保存せずに閉じると、保存していない変更は失われます。";
inline constexpr char16_t kSaveElsewhereChoice[] = u"別の名前で保存";
inline constexpr char16_t kDiscardChoice[] = u"保存せずに閉じる";
inline constexpr char16_t kFileFilter[] = u"Kalendraﾌｧｲﾙ(*.klx) |*.klx|全てのﾌｧｲﾙ(*.*) |*.*||";
inline constexpr char16_t kSaveFilter[] = u"Kalendraﾌｧｲﾙ(*.klx) |*.klx||";
inline constexpr char16_t kOpenTitle[] = u"開く";
inline constexpr char16_t kSaveAsTitle[] = u"名前を付けて保存";
inline constexpr char16_t kSplitSwitchFailed[] = u"分割切り替え失敗";
inline constexpr char16_t kNextStartSetting[] = u"この設定は次回起動時から有効です";
// Help: each followed by the manual's path.
inline constexpr char16_t kManualMissing[] = u"マニュアルのファイルが見つかりません。\n";
inline constexpr char16_t kManualNoViewer[]
    = u"マニュアルを表示するブラウザーを起動できませんでした。次のファイルをブラウザーで開いてください。\n";
inline constexpr char16_t kReplacedCharacters[]
    = u"次の文字はファイルに保存できないため「?」になります。保存しますか？\n";

} // namespace kal::texts
