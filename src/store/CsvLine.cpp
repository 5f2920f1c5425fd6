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

char16_t* WriteFieldText(char16_t* out, std::u16string_view text)
{
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        // Most characters change in nothing: one test passes them over.
        if (c > u'"' || (c != u'\r' && c != u'\n' && c != u'"' && c != 0x1A)) {
            *out++ = c;
            continue;
        }
        const char16_t next = i + 1 < size ? text[i + 1] : 0;
        if (c == u'\r' && next == u'\n') {
            *out++ = kBreakFirst;
            *out++ = kBreakSecond;
            ++i;
        } else if (c == u'\n') {
            *out++ = kBreakFirst;
            *out++ = kBreakSecond;
        } else if (c == u'"' && next == u',') {
            *out++ = kRightDoubleQuote;
        } else if (c == 0x1A) {
            *out++ = u'?';
        } else {
            *out++ = c;
        }
    }
    return out;
}

void AppendFieldText(std::u16string& out, std::u16string_view text)
{
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size());
    out.resize(static_cast<std::size_t>(WriteFieldText(out.data() + start, text) - out.data()));
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

void CsvLine::AddDecoded(std::string_view bytes, bool quoted, const CodePage& page, bool plainAscii, std::size_t& used)
{
    const std::size_t start = used;
    char16_t* const text = buffer_.data();
    char16_t* out = text + start;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t plain = 0;
    bool marked = false;
    // Most fields are short and plain ASCII (dates, numbers, flags): widened here, without the tables.
    if (plainAscii) {
        for (; plain < size && p[plain] < 0x80; ++plain) {
            marked |= p[plain] == kBreakFirst;
            out[plain] = p[plain];
        }
        out += plain;
    }
    if (plain < size) {
        out = page.DecodeTo(bytes.substr(plain), out);
        marked = marked || std::memchr(bytes.data() + plain, kBreakFirst, size - plain);
    }
    used = static_cast<std::size_t>(out - text);
    if (marked) {
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
    const bool plainAscii = page.AsciiIsAscii();
    const std::size_t size = line.size();
    std::size_t position = 0;
    for (;;) {
        if (FieldCount() == kMaxFields) {
            cut_ = true;
            return;
        }
        if (position < size && line[position] == '"') {
            const std::size_t start = position + 1;
            // The closing quote is the first one followed by a comma; a quote inside a field is rare.
            std::size_t end = start;
            for (;;) {
                const void* quote = end < size ? std::memchr(line.data() + end, '"', size - end) : nullptr;
                end = quote ? static_cast<std::size_t>(static_cast<const char*>(quote) - line.data()) : size;
                if (end + 1 >= size || line[end + 1] == ',')
                    break;
                ++end;
            }
            if (end + 1 < size) {
                AddDecoded(line.substr(start, end - start), true, page, plainAscii, used);
                position = end + 2;
                continue;
            }
            // The last field: it ends at a closing quote at the line end, or with the line.
            std::size_t length = size - start;
            if (length > 0 && line.back() == '"')
                --length;
            AddDecoded(line.substr(start, length), true, page, plainAscii, used);
            return;
        }
        const void* found = position < size ? std::memchr(line.data() + position, ',', size - position) : nullptr;
        const std::size_t comma
            = found ? static_cast<std::size_t>(static_cast<const char*>(found) - line.data()) : size;
        if (comma == size) {
            AddDecoded(line.substr(position), false, page, plainAscii, used);
            return;
        }
        AddDecoded(line.substr(position, comma - position), false, page, plainAscii, used);
        position = comma + 1;
    }
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
