#pragma once

#include "ui/DialogHost.h"

#include <string>

namespace kal {

namespace genrefiledialog {
inline constexpr int kResourceId = 139;
inline constexpr int kName = 160;
inline constexpr int kBrowse = 139;
inline constexpr char16_t kCaption[] = u"ジャンルファイル";
inline constexpr char16_t kNameLabel[] = u"ジャンルファイル名(&N):";
inline constexpr char16_t kBrowseText[] = u"参照(&B)";
inline constexpr char16_t kChooserTitle[] = u"ｼﾞｬﾝﾙﾌｧｲﾙ";
inline constexpr char16_t kChooserExtension[] = u"DAT";
inline constexpr char16_t kChooserInitialName[] = u"*.DAT";
inline constexpr char16_t kChooserFilter[] = u"ｼﾞｬﾝﾙﾌｧｲﾙ(*.DAT)|*.DAT|全てのﾌｧｲﾙ(*.*)|*.*||";
} // namespace genrefiledialog

// The path of the genre file, typed or chosen with the file chooser. Nothing is checked: a path that
// does not open is still a path the user wants kept.
class GenreFileDialog final : public DialogLogic {
public:
    explicit GenreFileDialog(std::u16string path);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    [[nodiscard]] const std::u16string& Path() const { return path_; }

private:
    DialogResource resource_;
    std::u16string path_;
};

} // namespace kal
