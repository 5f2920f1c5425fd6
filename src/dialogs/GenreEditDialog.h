#pragma once

#include "store/KalField.h"
#include "ui/DialogHost.h"

namespace kal {

namespace genreeditdialog {
inline constexpr int kResourceId = 138;
inline constexpr int kName = 158;
inline constexpr int kVisible = 156;
inline constexpr int kColour = 157;
inline constexpr int kSample = 159;
inline constexpr char16_t kCaption[] = u"ジャンルの編集";
inline constexpr char16_t kNameLabel[] = u"ジャンル名(&N):";
inline constexpr char16_t kVisibleText[] = u"表示する";
inline constexpr char16_t kColourText[] = u"色設定(&C)...";
} // namespace genreeditdialog

// Name, colour and visibility of one genre. The genre is written only on OK; every other field of it
// (note, reserved values) stays as it was. Any name is taken, even an empty one.
class GenreEditDialog final : public DialogLogic {
public:
    explicit GenreEditDialog(CKalField genre);

    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override;
    void OnControl(DialogHost& host, int id, Notification notification) override;
    bool OnOk(DialogHost& host) override;

    // The genre as edited; what it was given until OK is pressed.
    [[nodiscard]] const CKalField& Genre() const { return genre_; }

private:
    DialogResource resource_;
    CKalField genre_;
    Colour colour_;
};

} // namespace kal
