#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kal {

class CodePage;

enum class LineEnd { Lf, CrLf };

// One comma-separated line: its field texts and whether each field is quoted.
//
// Reading: a field that starts with a double quote ends at the first double quote followed by a
// comma, or, failing that, at a double quote that ends the line; an unquoted field ends at the next
// comma or at the line end. There is no escape. U+0001 U+0002 in a field stands for CR LF.
//
// Writing: quoted fields go between double quotes; CR LF (and a lone LF) in a field become U+0001 U+0002.
// Two things the format cannot carry are changed visibly instead of breaking the line: a double
// quote followed by a comma becomes "”," (a right double quotation mark), and Ctrl-Z, which would end
// the file, becomes "?".
//
// At most kMaxFields fields are kept; the rest of a longer line is dropped and the line marked cut.
class CsvLine {
public:
    static constexpr int kMaxFields = 512;

    // Reads a line given without its line end.
    void Parse(std::u16string_view line);
    // The same for a line still in the bytes of `page`. The quote, the comma and the line-break marks
    // are single bytes no multi-byte character contains, and a byte that starts no character is kept as
    // one character: the decoded line splits as its bytes would.
    void ParseEncoded(std::string_view line, const CodePage& page);

    [[nodiscard]] int FieldCount() const { return static_cast<int>(fields_.size()); }
    // The text of field `index`; empty for a field the line does not have.
    [[nodiscard]] std::u16string_view Field(int index) const
    {
        if (index < 0 || index >= FieldCount())
            return {};
        const FieldSpan& field = fields_[static_cast<std::size_t>(index)];
        return std::u16string_view(buffer_.data() + field.start, field.length);
    }
    [[nodiscard]] bool IsQuoted(int index) const;
    [[nodiscard]] bool WasCut() const { return cut_; }

    void Clear();
    void AppendField(std::u16string_view text, bool quoted = true);
    // Inserts an empty quoted field before `index`; -1 appends.
    void InsertEmptyField(int index = -1);
    void SetField(int index, std::u16string_view text);
    void SetQuoted(int index, bool quoted);
    void MarkAllQuoted();
    void RemoveField(int index);
    // Pads with empty quoted fields or cuts to exactly `count` fields.
    void Resize(int count);

    // The line as text, ending with `end`.
    void AppendTo(std::u16string& out, LineEnd end) const;
    [[nodiscard]] std::u16string Join(LineEnd end = LineEnd::Lf) const;

private:
    struct FieldSpan {
        std::size_t start;
        std::size_t length;
        bool quoted;
    };
    void TurnBackBreaks(std::size_t size);
    void SplitFields(std::size_t size);

    std::u16string buffer_; // the line, the fields' texts where they stand in it, and room past it
    std::vector<FieldSpan> fields_;
    bool cut_ = false;
};

// Appends a field text as the writer puts it between the quotes (see CsvLine).
void AppendFieldText(std::u16string& out, std::u16string_view text);
// The same from `out` on, which has room for twice the text; returns the end of what was written.
char16_t* WriteFieldText(char16_t* out, std::u16string_view text);

} // namespace kal
