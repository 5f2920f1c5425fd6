#pragma once

#include "store/CsvLine.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace kal {

// The rows of `Lines` read ahead on a second thread, a batch at a time: while the caller turns one
// batch of rows into entries, the next is read, decoded and split. The same rows, in the same order,
// as `Lines` itself gives; an exception thrown while reading reaches the caller at the row it stopped.
//
// `Lines` has `bool Next(CsvLine&)` and `bool Failed()`. It is used only by the reading thread until
// Next has given its last row; after that the caller may ask it anything.
template <class Lines> class ReadAheadLines {
public:
    explicit ReadAheadLines(Lines& lines)
        : lines_(lines)
    {
        for (Batch& batch : batches_)
            batch.rows.resize(kBatchRows);
        try {
            reader_ = std::thread([this] { Read(); });
        } catch (const std::system_error&) {
            // No thread to be had (a process at its limit): the rows are read as they are asked for.
        }
    }

    ReadAheadLines(const ReadAheadLines&) = delete;
    ReadAheadLines& operator=(const ReadAheadLines&) = delete;

    ~ReadAheadLines()
    {
        if (!reader_.joinable())
            return;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        reader_.join();
    }

    bool Next(CsvLine& row)
    {
        if (!reader_.joinable())
            return lines_.Next(row);
        for (;;) {
            if (holding_) {
                Batch& batch = batches_[current_];
                if (taken_ < batch.count) {
                    // The row's room goes back with the batch, to be filled again.
                    std::swap(row, batch.rows[taken_++]);
                    return true;
                }
                if (batch.last) {
                    if (error_)
                        std::rethrow_exception(std::exchange(error_, nullptr));
                    return false;
                }
                Hand(current_, false);
                current_ ^= 1;
            }
            Wait(current_, true);
            holding_ = true;
            taken_ = 0;
        }
    }

    // Whether the reading failed part-way; asked once every row has been given.
    [[nodiscard]] bool Failed() const { return lines_.Failed(); }

private:
    static constexpr std::size_t kBatchRows = 256;

    struct Batch {
        std::vector<CsvLine> rows;
        std::size_t count = 0;
        bool filled = false; // the caller's to take; otherwise the reader's to fill
        bool last = false;
    };

    void Read()
    {
        for (int next = 0;; next ^= 1) {
            if (!Wait(next, false))
                return;
            Batch& batch = batches_[next];
            batch.count = 0;
            try {
                while (batch.count < kBatchRows && lines_.Next(batch.rows[batch.count]))
                    ++batch.count;
                batch.last = batch.count < kBatchRows;
            } catch (...) {
                error_ = std::current_exception();
                batch.last = true;
            }
            Hand(next, true);
            if (batch.last)
                return;
        }
    }

    // Waits until batch `index` is filled (or, for the reader, free again); false when the caller is
    // going.
    bool Wait(int index, bool filled)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return batches_[index].filled == filled || stopping_; });
        return !stopping_;
    }

    void Hand(int index, bool filled)
    {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            batches_[index].filled = filled;
        }
        changed_.notify_all();
    }

    Lines& lines_;
    std::array<Batch, 2> batches_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::exception_ptr error_; // written by the reader before it hands the batch over
    // The caller's side.
    int current_ = 0;
    bool holding_ = false;
    std::size_t taken_ = 0;
    std::thread reader_;
};

} // namespace kal
