#include "ui/CommandTarget.h"

#include <algorithm>

namespace kal {

void CommandMap::Add(int id, Handler handler, StateOf state)
{
    const auto same = [id](const Binding& binding) { return binding.id == id; };
    std::erase_if(bindings_, same);
    bindings_.push_back(Binding { id, std::move(handler), std::move(state) });
}

const CommandMap::Binding* CommandMap::Find(int id) const
{
    const auto found
        = std::find_if(bindings_.begin(), bindings_.end(), [id](const Binding& binding) { return binding.id == id; });
    return found == bindings_.end() ? nullptr : &*found;
}

bool CommandMap::Run(int id) const
{
    const Binding* binding = Find(id);
    if (!binding)
        return false;
    if (binding->handler)
        binding->handler();
    return true;
}

std::optional<CommandState> CommandMap::State(int id) const
{
    const Binding* binding = Find(id);
    if (!binding)
        return std::nullopt;
    return binding->state ? binding->state() : CommandState {};
}

bool CommandTarget::OnUpdateCommand(int id, CommandState& state) const
{
    const std::optional<CommandState> bound = commands_.State(id);
    if (bound)
        state = *bound;
    return bound.has_value();
}

CommandState CommandTarget::StateOf(int id) const
{
    return commands_.State(id).value_or(CommandState { false, false, {} });
}

CommandTarget* CommandRouter::Handler(int id, CommandState& state) const
{
    for (CommandTarget* target : chain_) {
        if (target && target->OnUpdateCommand(id, state))
            return target;
    }
    state = CommandState { false, false, {} };
    return nullptr;
}

bool CommandRouter::Route(int id) const
{
    CommandState state;
    CommandTarget* target = Handler(id, state);
    return target && state.enabled && target->OnCommand(id);
}

CommandState CommandRouter::State(int id) const
{
    CommandState state;
    Handler(id, state);
    return state;
}

} // namespace kal
