#pragma once

#include "store/CsvLine.h"

#include <optional>
#include <vector>

namespace kal {

class TextLineFile;

enum class HeaderLine { Present, Absent };

// A header line and the rows under it, as read from or written to a comma-separated file.
class CsvTable {
public:
    static constexpr int kDefaultRowLimit = 2000;

    // Reads the rows of `file`: the first line is the header when `header` says so, empty lines are
    // skipped and, with a header, every row is padded or cut to the header's field count. Fails when
    // the file holds at least as many lines as the row limit.
    [[nodiscard]] bool Load(const TextLineFile& file, HeaderLine header);

    // Sets the header and clears the rows, optionally leaving one empty row.
    void SetHeader(const CsvLine& header, bool addEmptyRow);
    // Appends a row with as many fields as the header, quoted like the header's.
    CsvLine& AddEmptyRow();
    void AddRowCopy(const CsvLine& row);
    // Inserts a copy before the row shown at `visiblePosition` (appends past the end).
    void InsertRowCopy(int visiblePosition, const CsvLine& row);
    void MarkAllQuoted();

    // Appends the header (unless `header` is Absent) and every row, each ended with CR LF.
    void AppendTo(std::u16string& out, HeaderLine header) const;

    [[nodiscard]] const CsvLine& Header() const { return header_; }
    [[nodiscard]] int RowCount() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] CsvLine& Row(int index) { return rows_[static_cast<std::size_t>(index)]; }
    [[nodiscard]] const CsvLine& Row(int index) const { return rows_[static_cast<std::size_t>(index)]; }
    // Indexes of the rows shown, in order; every row unless a caller narrows it.
    [[nodiscard]] std::vector<int>& VisibleRows() { return visibleRows_; }

    void SetRowLimit(int limit) { rowLimit_ = limit; }
    [[nodiscard]] int RowLimit() const { return rowLimit_; }
    std::optional<CsvLine> secondHeader;

private:
    CsvLine header_;
    std::vector<CsvLine> rows_;
    std::vector<int> visibleRows_;
    int rowLimit_ = kDefaultRowLimit;
};

} // namespace kal
