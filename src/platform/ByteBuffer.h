#pragma once

#include <cstddef>
#include <string_view>

namespace kal {

// Bytes that are written before they are read: growing never fills the new room with zeros, and room
// of a few megabytes and more is taken straight from the system in transparent huge pages where the
// system offers them, so that a big file costs one page fault per two megabytes instead of one per four
// kilobytes. Moves, does not copy. Throws std::bad_alloc when the memory cannot be had.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ~ByteBuffer();

    [[nodiscard]] char* data() { return data_; }
    [[nodiscard]] const char* data() const { return data_; }
    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }
    [[nodiscard]] std::string_view View() const { return { data_, size_ }; }
    operator std::string_view() const { return View(); }

    // Sets the size; bytes beyond the old size are left as they are in memory (undefined until
    // written), bytes before it are kept.
    void resize(std::size_t size);
    // Makes room for `capacity` bytes without changing the size.
    void Reserve(std::size_t capacity);
    void Append(std::string_view bytes);
    // Room for `count` more bytes at the end, to be written by the caller before the size is set with
    // resize: the pointer is to the first of them.
    [[nodiscard]] char* Grow(std::size_t count);

private:
    void Release();

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool mapped_ = false;
};

} // namespace kal
