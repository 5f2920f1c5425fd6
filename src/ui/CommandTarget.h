#pragma once

#include <vector>

namespace kal {

// Whether a command can be chosen now and whether its menu item carries a check mark.
struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// Something that handles commands: a view, the document, the frame, the application.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when the command was handled here.
    virtual bool OnCommand(int id)
    {
        (void)id;
        return false;
    }
    // True when this target handles the command; `state` then says how it looks.
    virtual bool OnUpdateCommand(int id, CommandState& state)
    {
        (void)id;
        (void)state;
        return false;
    }
};

// Passes a command along the chain (active view, document, frame, application) until one handles it.
class CommandRouter {
public:
    void SetChain(std::vector<CommandTarget*> chain) { chain_ = std::move(chain); }
    bool Route(int id) const;
    // The state from the first target that handles the command; disabled when none does.
    [[nodiscard]] CommandState State(int id) const;

private:
    std::vector<CommandTarget*> chain_;
};

} // namespace kal
