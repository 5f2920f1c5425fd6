#include "store/CsvTable.h"

#include "store/TextLineFile.h"

namespace kal {

bool CsvTable::Load(const TextLineFile& file, HeaderLine header)
{
    if (file.LineCount() >= rowLimit_)
        return false;
    header_.Clear();
    rows_.clear();
    visibleRows_.clear();
    int line = 0;
    if (header == HeaderLine::Present && file.LineCount() > 0)
        header_.Parse(file.Line(line++));
    for (; line < file.LineCount(); ++line) {
        const std::u16string_view text = file.Line(line);
        if (text.empty())
            continue;
        rows_.emplace_back().Parse(text);
        if (header == HeaderLine::Present)
            rows_.back().Resize(header_.FieldCount());
        visibleRows_.push_back(RowCount() - 1);
    }
    return true;
}

void CsvTable::SetHeader(const CsvLine& header, bool addEmptyRow)
{
    header_ = header;
    rows_.clear();
    visibleRows_.clear();
    if (addEmptyRow)
        AddEmptyRow();
}

CsvLine& CsvTable::AddEmptyRow()
{
    CsvLine& row = rows_.emplace_back();
    for (int i = 0; i < header_.FieldCount(); ++i)
        row.AppendField(u"", header_.IsQuoted(i));
    visibleRows_.push_back(RowCount() - 1);
    return row;
}

void CsvTable::AddRowCopy(const CsvLine& row)
{
    rows_.push_back(row);
    visibleRows_.push_back(RowCount() - 1);
}

void CsvTable::InsertRowCopy(int visiblePosition, const CsvLine& row)
{
    if (visiblePosition < 0 || visiblePosition >= static_cast<int>(visibleRows_.size())) {
        AddRowCopy(row);
        return;
    }
    const int rowIndex = visibleRows_[static_cast<std::size_t>(visiblePosition)];
    rows_.insert(rows_.begin() + rowIndex, row);
    for (int& index : visibleRows_) {
        if (index >= rowIndex)
            ++index;
    }
    visibleRows_.insert(visibleRows_.begin() + visiblePosition, rowIndex);
}

void CsvTable::MarkAllQuoted()
{
    header_.MarkAllQuoted();
    if (secondHeader)
        secondHeader->MarkAllQuoted();
    for (CsvLine& row : rows_)
        row.MarkAllQuoted();
}

void CsvTable::AppendTo(std::u16string& out, HeaderLine header) const
{
    if (header == HeaderLine::Present) {
        header_.AppendTo(out, LineEnd::CrLf);
        if (secondHeader)
            secondHeader->AppendTo(out, LineEnd::CrLf);
    }
    for (const CsvLine& row : rows_)
        row.AppendTo(out, LineEnd::CrLf);
}

} // namespace kal
