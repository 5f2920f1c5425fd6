#pragma once

#include "store/StoreOperation.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kal {

class CKalStore;

// The operations done to a store, for undo and redo, and where the store was last saved. Undone
// operations stay for redo until a new operation takes their place.
class UndoHistory {
public:
    // Keeps an operation that was just applied; the undone ones after the current place go.
    void Push(StoreOperation operation);
    // Reverts the last done operation, or re-applies the next undone one; null when there is none.
    StoreOperation* Undo(CKalStore& store);
    StoreOperation* Redo(CKalStore& store);
    [[nodiscard]] bool CanUndo() const { return position_ > 0; }
    [[nodiscard]] bool CanRedo() const { return position_ < done_.size(); }
    // The names of the operations the next undo and redo would take; empty when there is none.
    [[nodiscard]] std::u16string UndoName() const;
    [[nodiscard]] std::u16string RedoName() const;

    // Forgets every operation; the store as it is now is the saved one.
    void Clear();
    // The store as it is now has been saved.
    void MarkSaved() { savePoint_ = position_; }
    // The store as it is now differs from any saved one, whatever is undone (work restored from
    // elsewhere, for one).
    void ForgetSavePoint() { savePoint_.reset(); }
    [[nodiscard]] bool AtSavePoint() const { return savePoint_ == position_; }
    [[nodiscard]] std::size_t Size() const { return done_.size(); }
    // The operation pushed or redone last; only while CanUndo().
    [[nodiscard]] const StoreOperation& Last() const { return done_[position_ - 1]; }

private:
    std::vector<StoreOperation> done_;
    std::size_t position_ = 0; // operations before it are applied, those from it on undone
    std::optional<std::size_t> savePoint_ = 0;
};

} // namespace kal
