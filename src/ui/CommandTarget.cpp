#include "ui/CommandTarget.h"

namespace kal {

bool CommandRouter::Route(int id) const
{
    for (CommandTarget* target : chain_) {
        if (target && target->OnCommand(id))
            return true;
    }
    return false;
}

CommandState CommandRouter::State(int id) const
{
    for (CommandTarget* target : chain_) {
        CommandState state;
        if (target && target->OnUpdateCommand(id, state))
            return state;
    }
    return CommandState { false, false };
}

} // namespace kal
