#pragma once

#include "ui/DialogHost.h"
#include "ui/LogFont.h"

#include <optional>
#include <string>
#include <vector>

namespace kal {

namespace fontdialog {
inline constexpr int kResourceId = 119;
inline constexpr int kFaceList = 1001;
inline constexpr int kSizeList = 1002;
inline constexpr int kFaceEdit = 1003;
inline constexpr int kSizeEdit = 1004;
inline constexpr int kBold = 1010;
inline constexpr int kItalic = 1011;
inline constexpr char16_t kCaption[] = u"フォントの設定";
inline constexpr char16_t kFaceLabel[] = u"フォント名";
inline constexpr char16_t kSizeLabel[] = u"サイズ";
inline constexpr char16_t kBoldText[] = u"太字(&B)";
inline constexpr char16_t kItalicText[] = u"斜体(&I)";
inline constexpr const char16_t* kSizes[]
    = { u"8", u"9", u"10", u"11", u"12", u"14", u"16", u"20", u"24", u"28", u"36" };
} // namespace fontdialog

// The program's own font chooser: a face from the installed families, a point size from the list or
// typed, bold and italic.
class FontDialog final : public DialogLogic {
public:
    FontDialog(std::vector<std::u16string> faces, std::u16string face, int point, bool bold, bool italic);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Face() const { return face_; }
    [[nodiscard]] int Point() const { return point_; }
    [[nodiscard]] bool Bold() const { return bold_; }
    [[nodiscard]] bool Italic() const { return italic_; }

private:
    DialogResource resource_;
    std::vector<std::u16string> faces_;
    std::u16string face_;
    int point_;
    bool bold_;
    bool italic_;
};

// Opens the font chooser on `current`: its face, point size and italic, bold ticked from a weight of
// 600. On OK gives the font with the chosen face, size, italic and a weight of 700 or 400; underline
// and character set stay as they were. Nothing when cancelled.
[[nodiscard]] std::optional<LogFont> AskFont(const LogFont& current);

} // namespace kal
