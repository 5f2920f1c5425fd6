// The dialog scripts every host must pass, on the in-memory host that dialog tests use.
#include "ui/DialogConformance.h"

#include "support/MemoryDialogHost.h"
#include "support/RecordingCanvas.h"

#include <map>
#include <memory>

namespace kal::conformance {
namespace {

class MemoryDriver final : public DialogDriver {
public:
    DialogHost& Open(DialogLogic& logic) override
    {
        host_ = std::make_unique<MemoryDialogHost>(logic);
        host_->Open();
        // A window paints its controls when it first shows.
        for (const ControlResource& control : logic.Resource().controls) {
            if (control.kind == ControlKind::Custom)
                Draw(control.id);
        }
        return *host_;
    }
    void Press(int id) override { Front().Press(id); }
    void Type(int id, std::u16string_view text) override { Front().Type(id, text); }
    void Choose(int id, int index) override { Front().Choose(id, index); }
    void DoubleClick(int id, int index) override { Front().DoubleClick(id, index); }
    void Scroll(int id, ScrollAction action, int thumb) override { Front().Scroll(id, action, thumb); }
    void Step(int id, int direction) override { Front().Step(id, direction); }
    void Key(kal::Key key) override { Front().Key(key); }
    void Tap(int id, Point point) override { Front().Tap(id, point); }
    void DoubleTap(int id, Point point) override { Front().DoubleTap(id, point); }
    void Settle() override
    {
        for (const auto& [id, drawn] : drawnAt_) {
            if (host_->Invalidations(id) > drawn)
                Draw(id);
        }
    }

    bool HasEnded() const override { return sheet_ ? sheet_->HasEnded() : host_->HasEnded(); }
    int Result() const override { return sheet_ ? sheet_->Result() : host_->Result(); }
    int Focus() const override { return sheet_ ? sheet_->Page(sheet_->ActivePage()).Focus() : host_->Focus(); }
    Size ControlSize(int id) const override { return host_->ControlSize(id); }
    std::vector<Colour> ItemColours(int id) const override { return host_->ItemColours(id); }
    std::optional<Colour> ColourOf(int id) const override { return host_->ColourOf(id); }

    void OpenSheet(PropertySheet& sheet) override
    {
        sheet_ = std::make_unique<MemoryPropertySheet>(sheet);
        sheet_->Open();
    }
    DialogHost& Page(int index) override { return sheet_->Page(index); }
    void PressSheetOk() override { sheet_->PressOk(); }
    void PressSheetCancel() override { sheet_->PressCancel(); }
    int ActivePage() const override { return sheet_->ActivePage(); }

private:
    MemoryDialogHost& Front() { return sheet_ ? sheet_->Page(sheet_->ActivePage()) : *host_; }
    void Draw(int id)
    {
        RecordingCanvas canvas;
        host_->Draw(id, canvas);
        drawnAt_[id] = host_->Invalidations(id);
    }

    std::unique_ptr<MemoryDialogHost> host_;
    std::unique_ptr<MemoryPropertySheet> sheet_;
    std::map<int, int> drawnAt_; // the invalidations each custom control was last drawn after
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Memory, DialogConformance, ::testing::Types<MemoryDriver>);

} // namespace kal::conformance
