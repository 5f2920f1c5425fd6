#include "support/MemoryDialogHost.h"

#include "ui/PropertySheet.h"

#include <algorithm>

namespace kal {

namespace {

bool IsCombo(ControlKind kind)
{
    return kind == ControlKind::ComboBox || kind == ControlKind::DropDownList;
}

bool HasList(ControlKind kind)
{
    return IsCombo(kind) || kind == ControlKind::ListBox;
}

// The controls whose colour shows: a label's text, a sample's fill, a button's swatch.
bool HasColour(ControlKind kind)
{
    return kind == ControlKind::Label || kind == ControlKind::ColourSample || kind == ControlKind::PushButton
        || kind == ControlKind::DefaultButton;
}

bool HasRange(ControlKind kind)
{
    return kind == ControlKind::ScrollBar || kind == ControlKind::SpinEdit;
}

} // namespace

// Counts the redraws a custom control asks for.
class MemoryDialogHost::Surface final : public ControlSurface {
public:
    explicit Surface(int& invalidations)
        : invalidations_(invalidations)
    {
    }
    void Invalidate() override { ++invalidations_; }

private:
    int& invalidations_;
};

MemoryDialogHost::MemoryDialogHost(DialogLogic& logic)
    : logic_(logic)
{
    const DialogResource& resource = logic.Resource();
    caption_ = resource.caption;
    for (const ControlResource& control : resource.controls) {
        if (control.id == 0)
            continue;
        ControlState& state = controls_[control.id];
        state.resource = &control;
        state.text = control.text;
        state.items = control.items;
        if (control.number.ranged) {
            state.minimum = control.number.minimum;
            state.maximum = control.number.maximum;
        }
    }
}

MemoryDialogHost::~MemoryDialogHost()
{
    for (auto& [id, state] : controls_) {
        if (CustomControl* custom = CustomAt(id))
            custom->Attach(nullptr);
    }
}

MemoryDialogHost::ControlState* MemoryDialogHost::State(int id)
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

const MemoryDialogHost::ControlState* MemoryDialogHost::State(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

CustomControl* MemoryDialogHost::CustomAt(int id) const
{
    const ControlState* state = State(id);
    if (!state || state->resource->kind != ControlKind::Custom)
        return nullptr;
    return logic_.Custom(id);
}

void MemoryDialogHost::SetText(int id, std::u16string_view text)
{
    ControlState* state = State(id);
    if (!state)
        return;
    const ControlKind kind = state->resource->kind;
    if (kind == ControlKind::DropDownList || kind == ControlKind::ListBox) {
        // Lists without an edit show one of their items: the text chooses it.
        const auto found = std::find(state->items.begin(), state->items.end(), text);
        if (kind == ControlKind::DropDownList || found != state->items.end())
            SetSelection(id, found == state->items.end() ? -1 : static_cast<int>(found - state->items.begin()));
        return;
    }
    state->text = text;
}

std::u16string MemoryDialogHost::Text(int id) const
{
    const ControlState* state = State(id);
    if (!state)
        return {};
    if (state->resource->kind == ControlKind::ListBox || state->resource->kind == ControlKind::DropDownList) {
        const int index = state->selection;
        return index >= 0 ? state->items[static_cast<std::size_t>(index)] : std::u16string {};
    }
    return state->text;
}

void MemoryDialogHost::SetChecked(int id, bool checked)
{
    ControlState* state = State(id);
    if (!state)
        return;
    const ControlResource& control = *state->resource;
    if (control.kind != ControlKind::CheckBox && control.kind != ControlKind::RadioButton)
        return;
    // Radio buttons of one group exclude each other.
    if (checked && control.kind == ControlKind::RadioButton) {
        for (auto& [otherId, other] : controls_) {
            if (other.resource->kind == ControlKind::RadioButton && other.resource->group == control.group)
                other.checked = false;
        }
    }
    state->checked = checked;
}

bool MemoryDialogHost::IsChecked(int id) const
{
    const ControlState* state = State(id);
    return state && state->checked;
}

void MemoryDialogHost::Enable(int id, bool enabled)
{
    if (ControlState* state = State(id))
        state->enabled = enabled;
}

bool MemoryDialogHost::IsEnabled(int id) const
{
    const ControlState* state = State(id);
    return state && state->enabled;
}

void MemoryDialogHost::SetItems(int id, const std::vector<std::u16string>& items)
{
    ControlState* state = State(id);
    if (!state || !HasList(state->resource->kind))
        return;
    state->items = items;
    state->selection = -1;
    if (state->resource->kind == ControlKind::DropDownList)
        state->text.clear();
}

std::vector<std::u16string> MemoryDialogHost::Items(int id) const
{
    const ControlState* state = State(id);
    return state ? state->items : std::vector<std::u16string> {};
}

void MemoryDialogHost::SetSelection(int id, int index)
{
    ControlState* state = State(id);
    if (!state || !HasList(state->resource->kind))
        return;
    state->selection = index >= 0 && index < static_cast<int>(state->items.size()) ? index : -1;
    if (IsCombo(state->resource->kind))
        state->text = state->selection >= 0 ? state->items[static_cast<std::size_t>(state->selection)] : u"";
}

int MemoryDialogHost::Selection(int id) const
{
    const ControlState* state = State(id);
    return state ? state->selection : -1;
}

void MemoryDialogHost::SetItemColours(int id, const std::vector<Colour>& colours)
{
    if (ControlState* state = State(id); state && HasList(state->resource->kind))
        state->itemColours = colours;
}

std::vector<Colour> MemoryDialogHost::ItemColours(int id) const
{
    const ControlState* state = State(id);
    return state ? state->itemColours : std::vector<Colour> {};
}

void MemoryDialogHost::SetColour(int id, Colour colour)
{
    if (ControlState* state = State(id); state && HasColour(state->resource->kind))
        state->colour = colour;
}

std::optional<Colour> MemoryDialogHost::ColourOf(int id) const
{
    const ControlState* state = State(id);
    return state ? state->colour : std::nullopt;
}

void MemoryDialogHost::SetRange(int id, int minimum, int maximum)
{
    ControlState* state = State(id);
    if (!state || !HasRange(state->resource->kind))
        return;
    state->minimum = minimum;
    state->maximum = maximum;
    state->position = std::clamp(state->position, minimum, std::max(minimum, maximum));
}

std::pair<int, int> MemoryDialogHost::Range(int id) const
{
    const ControlState* state = State(id);
    return state ? std::pair { state->minimum, state->maximum } : std::pair { 0, 0 };
}

void MemoryDialogHost::SetPosition(int id, int position)
{
    if (ControlState* state = State(id); state && state->resource->kind == ControlKind::ScrollBar)
        state->position = std::clamp(position, state->minimum, std::max(state->minimum, state->maximum));
}

int MemoryDialogHost::Position(int id) const
{
    const ControlState* state = State(id);
    return state ? state->position : 0;
}

void MemoryDialogHost::Invalidate(int id)
{
    if (ControlState* state = State(id); state && state->resource->kind == ControlKind::Custom)
        ++state->invalidations;
}

int MemoryDialogHost::Invalidations(int id) const
{
    const ControlState* state = State(id);
    return state ? state->invalidations : 0;
}

void MemoryDialogHost::SetControlSize(int id, Size size)
{
    if (ControlState* state = State(id))
        state->size = size;
}

Size MemoryDialogHost::ControlSize(int id) const
{
    const ControlState* state = State(id);
    return state ? state->size : Size {};
}

void MemoryDialogHost::SetFocus(int id)
{
    if (State(id))
        focus_ = id;
}

void MemoryDialogHost::Open()
{
    for (auto& [id, state] : controls_) {
        if (CustomControl* custom = CustomAt(id)) {
            surfaces_.push_back(std::make_unique<Surface>(state.invalidations));
            custom->Attach(surfaces_.back().get());
        }
    }
    logic_.OnInit(*this);
}

void MemoryDialogHost::Press(int id)
{
    if (HasEnded())
        return;
    const ControlState* known = State(id);
    // OK and cancel are always there: the window's frame offers them even where no button shows them.
    if (id == kIdOk || id == kIdCancel) {
        if (known && !known->enabled)
            return;
        if (dialogButtons_)
            dialogButtons_(id);
        else if (id == kIdOk)
            PressOk(logic_, *this);
        else
            PressCancel(logic_, *this);
        return;
    }
    if (!known || !known->enabled)
        return;
    ControlState& state = *State(id);
    if (state.resource->kind == ControlKind::CheckBox)
        state.checked = !state.checked;
    else if (state.resource->kind == ControlKind::RadioButton)
        SetChecked(id, true);
    focus_ = id;
    logic_.OnControl(*this, id, Notification::Clicked);
}

void MemoryDialogHost::Type(int id, std::u16string_view text)
{
    ControlState* state = State(id);
    if (!state || !state->enabled || HasEnded())
        return;
    SetText(id, text);
    if (state->resource->kind == ControlKind::ComboBox)
        state->selection = -1;
    logic_.OnControl(*this, id, Notification::TextChanged);
}

void MemoryDialogHost::Choose(int id, int index)
{
    const ControlState* state = State(id);
    if (!state || !state->enabled || HasEnded())
        return;
    SetSelection(id, index);
    logic_.OnControl(*this, id, Notification::SelectionChanged);
}

void MemoryDialogHost::DoubleClick(int id, int index)
{
    const ControlState* state = State(id);
    if (!state || !state->enabled || HasEnded())
        return;
    const int before = state->selection;
    SetSelection(id, index);
    if (state->selection != before)
        logic_.OnControl(*this, id, Notification::SelectionChanged);
    logic_.OnControl(*this, id, Notification::DoubleClicked);
}

void MemoryDialogHost::Scroll(int id, ScrollAction action, int thumb)
{
    const ControlState* state = State(id);
    if (!state || !state->enabled || HasEnded() || state->resource->kind != ControlKind::ScrollBar)
        return;
    logic_.OnScroll(*this, id, action, thumb);
}

void MemoryDialogHost::Step(int id, int direction)
{
    ControlState* state = State(id);
    if (!state || !state->enabled || HasEnded() || state->resource->kind != ControlKind::SpinEdit)
        return;
    // A step at the end of the range changes nothing, and like typing that changes nothing it is not
    // reported.
    std::u16string next = SteppedNumber(state->text, state->minimum, state->maximum, direction);
    if (next == state->text)
        return;
    state->text = std::move(next);
    logic_.OnControl(*this, id, Notification::TextChanged);
}

void MemoryDialogHost::Key(kal::Key key, unsigned modifiers)
{
    if (HasEnded() || logic_.OnKey(*this, key, modifiers))
        return;
    if (CustomControl* custom = CustomAt(focus_); custom && IsEnabled(focus_) && custom->OnKey(key, modifiers))
        return;
    const ControlState* focused = State(focus_);
    const bool inSpin = focused && focused->resource->kind == ControlKind::SpinEdit;
    if (inSpin && (key == Key::Up || key == Key::Down) && modifiers == modifier::kNone) {
        Step(focus_, key == Key::Up ? +1 : -1);
    } else if (key == Key::Escape) {
        Press(kIdCancel);
    } else if (key == Key::Enter) {
        const auto isDefault
            = [](const ControlResource& control) { return control.kind == ControlKind::DefaultButton; };
        const auto& controls = logic_.Resource().controls;
        const auto found = std::find_if(controls.begin(), controls.end(), isDefault);
        Press(found == controls.end() ? kIdOk : found->id);
    }
}

void MemoryDialogHost::Tap(int id, Point point)
{
    CustomControl* custom = CustomAt(id);
    if (!custom || !IsEnabled(id) || HasEnded())
        return;
    focus_ = id;
    const Size size = State(id)->size;
    custom->OnMouseDown(point, size);
    custom->OnMouseUp(point, size);
}

void MemoryDialogHost::DoubleTap(int id, Point point)
{
    CustomControl* custom = CustomAt(id);
    if (!custom || !IsEnabled(id) || HasEnded())
        return;
    Tap(id, point);
    custom->OnDoubleClick(point, State(id)->size);
    custom->OnMouseUp(point, State(id)->size);
}

void MemoryDialogHost::Draw(int id, Canvas& canvas) const
{
    if (CustomControl* custom = CustomAt(id))
        custom->OnDraw(canvas, State(id)->size);
}

MemoryPropertySheet::MemoryPropertySheet(PropertySheet& sheet)
    : sheet_(sheet)
    , active_(sheet.startPage)
{
    for (DialogLogic* page : sheet.pages) {
        pages_.push_back(std::make_unique<MemoryDialogHost>(*page));
        pages_.back()->SetDialogButtons([this](int id) {
            if (id == kIdOk)
                PressOk();
            else
                PressCancel();
        });
    }
}

bool MemoryPropertySheet::HasEnded() const
{
    return result_.has_value()
        || std::any_of(pages_.begin(), pages_.end(), [](const auto& page) { return page->HasEnded(); });
}

int MemoryPropertySheet::Result() const
{
    if (result_)
        return *result_;
    for (const auto& page : pages_) {
        if (page->HasEnded())
            return page->Result();
    }
    return kIdCancel;
}

void MemoryPropertySheet::Open()
{
    for (auto& page : pages_)
        page->Open();
}

void MemoryPropertySheet::PressOk()
{
    if (HasEnded())
        return;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        DialogLogic& logic = *sheet_.pages[i];
        if (!CheckNumberFields(logic.Resource(), *pages_[i]) || !logic.OnOk(*pages_[i])) {
            active_ = static_cast<int>(i);
            return;
        }
    }
    result_ = kIdOk;
}

void MemoryPropertySheet::PressCancel()
{
    if (HasEnded())
        return;
    for (std::size_t i = 0; i < pages_.size(); ++i)
        sheet_.pages[i]->OnCancel(*pages_[i]);
    result_ = kIdCancel;
}

} // namespace kal
