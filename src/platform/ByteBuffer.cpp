#include "platform/ByteBuffer.h"

#include "platform/LargePages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace kal {

namespace {

// Below this the C library's heap serves better: it reuses freed room and wastes no partial page.
constexpr std::size_t kMapFrom = std::size_t(4) << 20;

} // namespace

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr))
    , size_(std::exchange(other.size_, 0))
    , capacity_(std::exchange(other.capacity_, 0))
    , mapped_(std::exchange(other.mapped_, false))
{
}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept
{
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        mapped_ = std::exchange(other.mapped_, false);
    }
    return *this;
}

ByteBuffer::~ByteBuffer()
{
    Release();
}

void ByteBuffer::Release()
{
    if (mapped_)
        UnmapLargePages(data_, capacity_);
    else
        std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
    mapped_ = false;
}

void ByteBuffer::Reserve(std::size_t capacity)
{
    if (capacity <= capacity_)
        return;
    if (capacity < kMapFrom) {
        void* grown = std::realloc(data_, capacity);
        if (!grown)
            throw std::bad_alloc();
        data_ = static_cast<char*>(grown);
        capacity_ = capacity;
        return;
    }
    const std::size_t size = LargePageRound(capacity);
    char* const grown = MapLargePages(size);
    if (size_ > 0)
        std::memcpy(grown, data_, size_);
    const std::size_t kept = size_;
    Release();
    data_ = grown;
    size_ = kept;
    capacity_ = size;
    mapped_ = true;
}

void ByteBuffer::resize(std::size_t size)
{
    if (size > capacity_)
        Reserve(std::max(size, capacity_ + capacity_ / 2));
    size_ = size;
}

char* ByteBuffer::Grow(std::size_t count)
{
    if (size_ + count > capacity_)
        Reserve(std::max(size_ + count, capacity_ + capacity_ / 2));
    return data_ + size_;
}

void ByteBuffer::Append(std::string_view bytes)
{
    char* const end = Grow(bytes.size());
    if (!bytes.empty())
        std::memcpy(end, bytes.data(), bytes.size());
    size_ += bytes.size();
}

} // namespace kal
