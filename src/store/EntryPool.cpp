#include "store/EntryPool.h"

#include "platform/LargePages.h"
#include "store/KalData.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KAL_ENTRY_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAL_ENTRY_POOL 0
#endif
#endif
#ifndef KAL_ENTRY_POOL
#define KAL_ENTRY_POOL 1
#endif

namespace kal {

namespace {

constexpr std::size_t kSlot = (sizeof(CKalData) + alignof(CKalData) - 1) / alignof(CKalData) * alignof(CKalData);
constexpr std::size_t kSlotsPerSlab = kLargePage / kSlot;

struct FreeSlot {
    FreeSlot* next;
};

class Slabs {
public:
    void* Take()
    {
        std::lock_guard lock(mutex_);
        ++live_;
        if (free_) {
            FreeSlot* slot = free_;
            free_ = slot->next;
            return slot;
        }
        if (slabs_.empty() || used_ == kSlotsPerSlab) {
            try {
                slabs_.reserve(slabs_.size() + 1); // so that a slab once mapped is always kept
                slabs_.push_back(MapLargePages(kLargePage));
            } catch (...) {
                --live_;
                throw;
            }
            used_ = 0;
        }
        return slabs_.back() + kSlot * used_++;
    }

    void Give(void* slot)
    {
        std::lock_guard lock(mutex_);
        free_ = new (slot) FreeSlot { free_ };
        if (--live_ == 0)
            ReleaseAll();
    }

private:
    // The first slab stays, so that a program making and dropping one entry at a time does not map and
    // clear two megabytes each time.
    void ReleaseAll()
    {
        for (std::size_t i = 1; i < slabs_.size(); ++i)
            UnmapLargePages(slabs_[i], kLargePage);
        slabs_.resize(std::min<std::size_t>(slabs_.size(), 1));
        free_ = nullptr;
        used_ = 0;
    }

    std::mutex mutex_;
    std::vector<char*> slabs_;
    std::size_t used_ = 0; // slots handed out of the newest slab
    std::size_t live_ = 0;
    FreeSlot* free_ = nullptr;
};

Slabs& ThePool()
{
    // Never destroyed: entries freed while the program ends still find it.
    static Slabs* pool = new Slabs;
    return *pool;
}

} // namespace

void* EntryPool::Allocate(std::size_t size)
{
    if (!KAL_ENTRY_POOL || size != sizeof(CKalData))
        return ::operator new(size);
    return ThePool().Take();
}

void EntryPool::Free(void* slot, std::size_t size) noexcept
{
    if (!slot)
        return;
    if (!KAL_ENTRY_POOL || size != sizeof(CKalData)) {
        ::operator delete(slot);
        return;
    }
    ThePool().Give(slot);
}

} // namespace kal
