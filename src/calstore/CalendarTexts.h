#pragma once

// The texts of adding entries to a calendar store, exactly as the program shows them.
namespace kal::calendartexts {

inline constexpr char16_t kEntryAdded[] = u"Outlookに追加を行いました";
// %d: the number of appointments added.
inline constexpr char16_t kPeriodAdded[] = u"Outlookに %d 件、追加を行いました";
// The store could not be reached at all; the reason follows on the next line. The words in brackets
// are those users of the handheld program know the failure by.
inline constexpr char16_t kCannotOpen[] = u"カレンダーを開けませんでした（CoCreateInstance Failed）。";
// The server refused the user name or the password.
inline constexpr char16_t kLogonFailed[] = u"カレンダーのサーバーにログオンできませんでした（Logon Failed）。";

inline constexpr char16_t kFileLocked[] = u"カレンダーファイルは他のプログラムが使用中です。";
inline constexpr char16_t kFileCannotOpen[] = u"カレンダーファイルを開けません。";
inline constexpr char16_t kFileNotCalendar[]
    = u"カレンダーファイルの内容がiCalendar形式ではありません。ファイルはそのままにしました。";
inline constexpr char16_t kFileSeveralCalendars[]
    = u"カレンダーファイルに複数のカレンダーがあるため、予定を追加できません。ファイルはそのままにしました。";
inline constexpr char16_t kFileNotWhole[]
    = u"カレンダーファイルが END:VCALENDAR "
      u"の行で終わっていないため、予定を追加できません。ファイルはそのままにしました。";
// %d: the deepest nesting read.
inline constexpr char16_t kFileTooDeep[]
    = u"カレンダーファイルの入れ子が深すぎるため読み込めません（上限 %d 段）。ファイルはそのままにしました。";
inline constexpr char16_t kFileNotSaved[]
    = u"カレンダーファイルに書き込めませんでした。追加した予定は保存されていません。";

inline constexpr char16_t kServerUnreachable[] = u"カレンダーのサーバーに接続できません。";
inline constexpr char16_t kServerTimeout[] = u"カレンダーのサーバーが時間内に応答しません。";
// %d: the seconds the whole operation may take.
inline constexpr char16_t kOperationTimeout[]
    = u"カレンダーのサーバーとのやり取りが制限時間（%d 秒）を超えたため、中止しました。";
inline constexpr char16_t kCancelled[] = u"カレンダーへの追加を取り消しました。";
// Why the connection failed, on the line after kServerUnreachable.
inline constexpr char16_t kTransportNoName[]
    = u"サーバーの名前が見つかりません。URLとネットワークの接続を確かめてください。";
inline constexpr char16_t kTransportRefused[]
    = u"サーバーが接続を受け付けません。URLのポート番号とサーバーの動作を確かめてください。";
inline constexpr char16_t kTransportSecure[]
    = u"サーバーと安全な接続を確立できません。サーバーの証明書を確かめてください。";
inline constexpr char16_t kTransportCut[] = u"サーバーとの通信が途中で切れました。";
inline constexpr char16_t kTransportBadUrl[] = u"URLの形式が正しくありません。";
inline constexpr char16_t kTransportRedirects[] = u"サーバーの転送先が多すぎます。";
// %d: the transfer library's error number.
inline constexpr char16_t kTransportOther[] = u"通信エラーです（エラー番号 %d）。";
inline constexpr char16_t kServerLogonRefused[] = u"ユーザー名またはパスワードが違います（401）。";
inline constexpr char16_t kServerForbidden[] = u"カレンダーのサーバーがこの操作を許可していません（403）。";
inline constexpr char16_t kServerNotFound[] = u"カレンダーが見つかりません（404）。URLを確かめてください。";
// %d: the HTTP status.
inline constexpr char16_t kServerError[] = u"カレンダーのサーバーでエラーが起きました（%d）。";
inline constexpr char16_t kServerRefused[] = u"カレンダーのサーバーが要求を受け付けませんでした（%d）。";
// %d: the HTTP status. The new address is not followed, as the password would go along.
inline constexpr char16_t kServerRedirect[] = u"カレンダーのサーバーが別のURLへ転送しようとしました（%"
                                              u"d）。転送先には接続しません。設定のURLを確かめてください。";
inline constexpr char16_t kServerBadReply[] = u"カレンダーのサーバーの応答を読み取れません。";
// %d: the largest reply read, in megabytes.
inline constexpr char16_t kServerReplyTooLarge[]
    = u"カレンダーのサーバーの応答が大きすぎるため、読み取りを中止しました（上限 %d MB）。";
inline constexpr char16_t kNotACalendar[] = u"このURLはカレンダーではありません。カレンダーのURLを指定してください。";
inline constexpr char16_t kNoHttpLibrary[]
    = u"カレンダーサーバーと通信するためのライブラリ (libcurl) が見つかりません。libcurl4 を導入してください。";
inline constexpr char16_t kNotCalendarUrl[]
    = u"カレンダーのURLは http://、https:// か webcal:// で始めてください。ほかの種類のURLは使えません。";

// A period add that a failure stopped; %d: the appointments added before it.
inline constexpr char16_t kStoppedAfter[] = u"%d 件を追加したところで中止しました。";
// Shown while a period is added; the user can cancel it.
inline constexpr char16_t kAdding[] = u"カレンダーに追加しています…";

// The password question for a server whose password is not in the settings.
inline constexpr char16_t kPasswordCaption[] = u"カレンダーのパスワード";
inline constexpr char16_t kPasswordPrompt[] = u"カレンダーのサーバーのパスワードを入力してください";
// %s: the server's host name. Asked once per server; the answer Yes is remembered.
inline constexpr char16_t kPasswordInClear[]
    = u"カレンダーのサーバー %s には、パスワードが暗号化されずに（http:// で）送られます。"
      u"途中のネットワークで読み取られるおそれがあります。このサーバーにパスワードを送りますか？";
inline constexpr char16_t kPasswordNotSent[]
    = u"パスワードを送らずに中止しました。https:// で始まるカレンダーのURLを使ってください。";
// %s: the settings file.
inline constexpr char16_t kPasswordFileOpen[]
    = u"設定ファイル %s はほかのユーザーも読めるため、そこにあるカレンダーのパスワードは使いません。"
      u"ファイルを本人だけが読めるようにしてください（chmod 600）。";

} // namespace kal::calendartexts
