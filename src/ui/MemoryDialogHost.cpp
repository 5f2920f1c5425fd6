#include "ui/MemoryDialogHost.h"

namespace kal {

MemoryDialogHost::MemoryDialogHost(DialogLogic& logic)
    : logic_(logic)
{
    const DialogResource& resource = logic.Resource();
    caption_ = resource.caption;
    for (const ControlResource& control : resource.controls) {
        if (control.id == 0)
            continue;
        ControlState& state = controls_[control.id];
        state.text = control.text;
        state.items = control.items;
    }
}

const MemoryDialogHost::ControlState* MemoryDialogHost::Find(int id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

std::u16string MemoryDialogHost::Text(int id) const
{
    const ControlState* state = Find(id);
    if (!state)
        return {};
    if (state->selection >= 0 && state->selection < static_cast<int>(state->items.size()) && state->text.empty())
        return state->items[static_cast<std::size_t>(state->selection)];
    return state->text;
}

void MemoryDialogHost::SetChecked(int id, bool checked)
{
    // Radio buttons of one group exclude each other.
    const ControlResource* control = logic_.Resource().Find(id);
    if (checked && control && control->kind == ControlKind::RadioButton) {
        for (const ControlResource& other : logic_.Resource().controls) {
            if (other.kind == ControlKind::RadioButton && other.group == control->group && other.id != id)
                State(other.id).checked = false;
        }
    }
    State(id).checked = checked;
}

bool MemoryDialogHost::IsChecked(int id) const
{
    const ControlState* state = Find(id);
    return state && state->checked;
}

bool MemoryDialogHost::IsEnabled(int id) const
{
    const ControlState* state = Find(id);
    return !state || state->enabled;
}

void MemoryDialogHost::SetItems(int id, const std::vector<std::u16string>& items)
{
    ControlState& state = State(id);
    state.items = items;
    state.selection = -1;
}

std::vector<std::u16string> MemoryDialogHost::Items(int id) const
{
    const ControlState* state = Find(id);
    return state ? state->items : std::vector<std::u16string> {};
}

void MemoryDialogHost::SetSelection(int id, int index)
{
    ControlState& state = State(id);
    state.selection = index >= 0 && index < static_cast<int>(state.items.size()) ? index : -1;
    const ControlResource* control = logic_.Resource().Find(id);
    if (control && (control->kind == ControlKind::ComboBox || control->kind == ControlKind::DropDownList))
        state.text = state.selection >= 0 ? state.items[static_cast<std::size_t>(state.selection)] : u"";
}

int MemoryDialogHost::Selection(int id) const
{
    const ControlState* state = Find(id);
    return state ? state->selection : -1;
}

void MemoryDialogHost::Open()
{
    logic_.OnInit(*this);
}

void MemoryDialogHost::Press(int id)
{
    if (!IsEnabled(id) || HasEnded())
        return;
    if (id == kIdOk) {
        if (logic_.OnOk(*this))
            End(kIdOk);
        return;
    }
    if (id == kIdCancel) {
        logic_.OnCancel(*this);
        End(kIdCancel);
        return;
    }
    const ControlResource* control = logic_.Resource().Find(id);
    if (control && (control->kind == ControlKind::CheckBox))
        State(id).checked = !State(id).checked;
    else if (control && control->kind == ControlKind::RadioButton)
        SetChecked(id, true);
    logic_.OnControl(*this, id, Notification::Clicked);
}

void MemoryDialogHost::Type(int id, std::u16string_view text)
{
    SetText(id, text);
    logic_.OnControl(*this, id, Notification::TextChanged);
}

void MemoryDialogHost::Choose(int id, int index)
{
    SetSelection(id, index);
    logic_.OnControl(*this, id, Notification::SelectionChanged);
}

void MemoryDialogHost::DoubleClick(int id, int index)
{
    SetSelection(id, index);
    logic_.OnControl(*this, id, Notification::DoubleClicked);
}

} // namespace kal
