#include "store/UndoHistory.h"

#include <utility>

namespace kal {

void UndoHistory::Push(StoreOperation operation)
{
    // The state the save point named can no longer be reached once its redo steps are gone.
    if (savePoint_ && *savePoint_ > position_)
        savePoint_.reset();
    done_.erase(done_.begin() + static_cast<std::ptrdiff_t>(position_), done_.end());
    done_.push_back(std::move(operation));
    ++position_;
}

StoreOperation* UndoHistory::Undo(CKalStore& store)
{
    if (!CanUndo())
        return nullptr;
    StoreOperation& operation = done_[--position_];
    operation.Revert(store);
    return &operation;
}

StoreOperation* UndoHistory::Redo(CKalStore& store)
{
    if (!CanRedo())
        return nullptr;
    StoreOperation& operation = done_[position_++];
    operation.Apply(store);
    return &operation;
}

std::u16string UndoHistory::UndoName() const
{
    return CanUndo() ? done_[position_ - 1].Name() : std::u16string();
}

std::u16string UndoHistory::RedoName() const
{
    return CanRedo() ? done_[position_].Name() : std::u16string();
}

void UndoHistory::Clear()
{
    done_.clear();
    position_ = 0;
    savePoint_ = 0;
}

} // namespace kal
