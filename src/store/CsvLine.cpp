#include "store/CsvLine.h"

#include "platform/CodePage.h"

#include <cstring>

namespace kal {

namespace {

constexpr char16_t kBreakFirst = 0x0001; // U+0001 U+0002 stands for CR LF inside a field
constexpr char16_t kBreakSecond = 0x0002;
constexpr char16_t kRightDoubleQuote = 0x201D;

// Position of the first double quote followed by a comma at or after `from`, or npos.
std::size_t FindQuoteComma(std::u16string_view line, std::size_t from)
{
    for (std::size_t i = line.find(u'"', from); i != std::u16string_view::npos; i = line.find(u'"', i + 1)) {
        if (i + 1 < line.size() && line[i + 1] == u',')
            return i;
    }
    return std::u16string_view::npos;
}

} // namespace

void AppendFieldText(std::u16string& out, std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const char16_t next = i + 1 < text.size() ? text[i + 1] : 0;
        if (c == u'\r' && next == u'\n') {
            out += kBreakFirst;
            out += kBreakSecond;
            ++i;
        } else if (c == u'\n') {
            out += kBreakFirst;
            out += kBreakSecond;
        } else if (c == u'"' && next == u',') {
            out += kRightDoubleQuote;
        } else if (c == 0x1A) {
            out += u'?';
        } else {
            out += c;
        }
    }
}

void CsvLine::AddParsed(std::size_t start, std::size_t length, bool quoted)
{
    fields_.push_back(FieldSpan { start, length, quoted });
}

void CsvLine::Parse(std::u16string_view line)
{
    Clear();
    // The fields are read where they stand in one copy of the line; a line-break mark is as long as
    // the CR LF it stands for, so it is turned back in place.
    buffer_.assign(line.data(), line.size());
    char16_t* const text = buffer_.data();
    const std::size_t size = buffer_.size();
    for (std::size_t i = 0; i + 1 < size; ++i) {
        if (text[i] == kBreakFirst && text[i + 1] == kBreakSecond) {
            text[i] = u'\r';
            text[++i] = u'\n';
        }
    }
    const std::u16string_view view = buffer_;
    std::size_t position = 0;
    for (;;) {
        if (FieldCount() == kMaxFields) {
            cut_ = true;
            return;
        }
        if (position < size && view[position] == u'"') {
            const std::size_t start = position + 1;
            const std::size_t end = FindQuoteComma(view, start);
            if (end != std::u16string_view::npos) {
                AddParsed(start, end - start, true);
                position = end + 2;
                continue;
            }
            // The last field: it ends at a closing quote at the line end, or with the line.
            std::size_t length = size - start;
            if (length > 0 && view.back() == u'"')
                --length;
            AddParsed(start, length, true);
            return;
        }
        const std::size_t comma = view.find(u',', position);
        if (comma == std::u16string_view::npos) {
            AddParsed(position, size - position, false);
            return;
        }
        AddParsed(position, comma - position, false);
        position = comma + 1;
    }
}

void CsvLine::AddDecoded(std::string_view bytes, bool quoted, const CodePage& page, std::size_t& used)
{
    const std::size_t start = used;
    char16_t* const text = buffer_.data();
    used = static_cast<std::size_t>(page.DecodeTo(bytes, text + start) - text);
    if (std::memchr(bytes.data(), kBreakFirst, bytes.size())) {
        for (std::size_t i = start; i + 1 < used; ++i) {
            if (text[i] == kBreakFirst && text[i + 1] == kBreakSecond) {
                text[i] = u'\r';
                text[++i] = u'\n';
            }
        }
    }
    fields_.push_back(FieldSpan { start, used - start, quoted });
}

void CsvLine::ParseEncoded(std::string_view line, const CodePage& page)
{
    Clear();
    // The fields' texts are decoded one after the other into room made once for the whole line.
    buffer_.resize(line.size());
    std::size_t used = 0;
    ParseEncodedFields(line, page, used);
    buffer_.resize(used);
}

void CsvLine::ParseEncodedFields(std::string_view line, const CodePage& page, std::size_t& used)
{
    const std::size_t size = line.size();
    std::size_t position = 0;
    for (;;) {
        if (FieldCount() == kMaxFields) {
            cut_ = true;
            return;
        }
        if (position < size && line[position] == '"') {
            const std::size_t start = position + 1;
            // Fields are short: a plain loop beats a library search started for each.
            std::size_t end = start;
            while (end + 1 < size && !(line[end] == '"' && line[end + 1] == ','))
                ++end;
            if (end + 1 < size) {
                AddDecoded(line.substr(start, end - start), true, page, used);
                position = end + 2;
                continue;
            }
            // The last field: it ends at a closing quote at the line end, or with the line.
            std::size_t length = size - start;
            if (length > 0 && line.back() == '"')
                --length;
            AddDecoded(line.substr(start, length), true, page, used);
            return;
        }
        std::size_t comma = position;
        while (comma < size && line[comma] != ',')
            ++comma;
        if (comma == size) {
            AddDecoded(line.substr(position), false, page, used);
            return;
        }
        AddDecoded(line.substr(position, comma - position), false, page, used);
        position = comma + 1;
    }
}

std::u16string_view CsvLine::Field(int index) const
{
    if (index < 0 || index >= FieldCount())
        return {};
    const FieldSpan& field = fields_[static_cast<std::size_t>(index)];
    return std::u16string_view(buffer_).substr(field.start, field.length);
}

bool CsvLine::IsQuoted(int index) const
{
    return index >= 0 && index < FieldCount() && fields_[static_cast<std::size_t>(index)].quoted;
}

void CsvLine::Clear()
{
    buffer_.clear();
    fields_.clear();
    cut_ = false;
}

void CsvLine::AppendField(std::u16string_view text, bool quoted)
{
    if (FieldCount() == kMaxFields) {
        cut_ = true;
        return;
    }
    const std::size_t start = buffer_.size();
    buffer_ += text;
    fields_.push_back(FieldSpan { start, text.size(), quoted });
}

void CsvLine::InsertEmptyField(int index)
{
    if (FieldCount() == kMaxFields) {
        cut_ = true;
        return;
    }
    const FieldSpan empty { buffer_.size(), 0, true };
    if (index < 0 || index >= FieldCount())
        fields_.push_back(empty);
    else
        fields_.insert(fields_.begin() + index, empty);
}

void CsvLine::SetField(int index, std::u16string_view text)
{
    if (index < 0 || index >= FieldCount())
        return;
    // The new text goes to the end of the buffer; the old text stays unused until the line is cleared.
    // `text` may be one of this line's own fields, so it is copied before the buffer can move.
    const std::u16string copy(text);
    text = copy;
    FieldSpan& field = fields_[static_cast<std::size_t>(index)];
    if (text.size() <= field.length) {
        buffer_.replace(field.start, text.size(), text);
    } else {
        field.start = buffer_.size();
        buffer_ += text;
    }
    field.length = text.size();
}

void CsvLine::SetQuoted(int index, bool quoted)
{
    if (index >= 0 && index < FieldCount())
        fields_[static_cast<std::size_t>(index)].quoted = quoted;
}

void CsvLine::MarkAllQuoted()
{
    for (FieldSpan& field : fields_)
        field.quoted = true;
}

void CsvLine::RemoveField(int index)
{
    if (index >= 0 && index < FieldCount())
        fields_.erase(fields_.begin() + index);
}

void CsvLine::Resize(int count)
{
    while (FieldCount() > count)
        fields_.pop_back();
    while (FieldCount() < count && FieldCount() < kMaxFields)
        InsertEmptyField();
}

void CsvLine::AppendTo(std::u16string& out, LineEnd end) const
{
    for (int i = 0; i < FieldCount(); ++i) {
        if (i > 0)
            out += u',';
        const bool quoted = fields_[static_cast<std::size_t>(i)].quoted;
        if (quoted)
            out += u'"';
        AppendFieldText(out, Field(i));
        if (quoted)
            out += u'"';
    }
    out += end == LineEnd::CrLf ? u"\r\n" : u"\n";
}

std::u16string CsvLine::Join(LineEnd end) const
{
    std::u16string out;
    AppendTo(out, end);
    return out;
}

} // namespace kal
