#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kal {

// Whether a command can be chosen now and whether its menu item carries a check mark.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    // What the menu item says now, when it is not its usual text (the undo command names its change).
    std::u16string text;
};

// Shorthands for the state of a binding.
[[nodiscard]] inline CommandState EnabledIf(bool enabled)
{
    return CommandState { enabled, false, {} };
}
[[nodiscard]] inline CommandState CheckedIf(bool checked)
{
    return CommandState { true, checked, {} };
}

// The commands one target handles: each command's handler and the state its menu item, tool-bar
// button and keys show, bound together when the target is built.
class CommandMap {
public:
    using Handler = std::function<void()>;
    using StateOf = std::function<CommandState()>;

    // Binds `id` to `handler`; without `state` the command is always enabled and never checked. A
    // second binding of the same id replaces the first.
    void Add(int id, Handler handler, StateOf state = {});

    [[nodiscard]] bool Handles(int id) const { return Find(id) != nullptr; }
    // Runs the handler of `id`; false when there is none.
    bool Run(int id) const;
    // The state of `id`; empty when it is not bound here.
    [[nodiscard]] std::optional<CommandState> State(int id) const;

private:
    struct Binding {
        int id;
        Handler handler;
        StateOf state;
    };
    [[nodiscard]] const Binding* Find(int id) const;

    std::vector<Binding> bindings_;
};

// Something that handles commands: a view, the document, the frame, the application. Each fills
// `commands_` in its constructor.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    CommandTarget() = default;
    // The bindings capture `this`: a target is never copied or moved.
    CommandTarget(const CommandTarget&) = delete;
    CommandTarget& operator=(const CommandTarget&) = delete;

    // Runs the command here, whatever its state; true when it is bound here.
    bool OnCommand(int id) { return commands_.Run(id); }
    // True when the command is bound here; `state` then says how it looks.
    bool OnUpdateCommand(int id, CommandState& state) const;
    // The command's state here: disabled when it is not bound here.
    [[nodiscard]] CommandState StateOf(int id) const;

protected:
    CommandMap commands_;
};

// Passes a command along the chain (active view, document, frame, application) to the first target
// that binds it.
class CommandRouter {
public:
    void SetChain(std::vector<CommandTarget*> chain) { chain_ = std::move(chain); }
    // Runs the command at the first target that binds it, only when that target has it enabled. True
    // when it ran.
    bool Route(int id) const;
    // The state from the first target that binds the command; disabled when none does.
    [[nodiscard]] CommandState State(int id) const;

private:
    // The first target that binds `id`, and its state there; null and disabled when none does.
    CommandTarget* Handler(int id, CommandState& state) const;

    std::vector<CommandTarget*> chain_;
};

} // namespace kal
