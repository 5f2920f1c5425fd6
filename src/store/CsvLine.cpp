#include "store/CsvLine.h"

#include "platform/CodePage.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kal {

namespace {

constexpr char16_t kBreakFirst = 0x0001; // U+0001 U+0002 stands for CR LF inside a field
constexpr char16_t kBreakSecond = 0x0002;
constexpr char16_t kRightDoubleQuote = 0x201D;

// Position of the first `wanted` at or after `from`, or `size`; eight characters at a time where the
// processor can.
std::size_t Find(const char16_t* text, std::size_t size, std::size_t from, char16_t wanted)
{
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i pattern = _mm_set1_epi16(static_cast<short>(wanted));
    for (; i + 8 <= size; i += 8) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        if (const int found = _mm_movemask_epi8(_mm_cmpeq_epi16(chars, pattern)))
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)) / 2);
    }
#endif
    while (i < size && text[i] != wanted)
        ++i;
    return i;
}

// Position of the first double quote followed by a comma at or after `from`, or `size`.
std::size_t FindQuoteComma(const char16_t* text, std::size_t size, std::size_t from)
{
    for (std::size_t i = Find(text, size, from, u'"'); i + 1 < size; i = Find(text, size, i + 1, u'"')) {
        if (text[i + 1] == u',')
            return i;
    }
    return size;
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
    // The fields are read where they stand in one copy of the line.
    buffer_.assign(line.data(), line.size());
    TurnBackBreaks();
    SplitFields();
}

void CsvLine::ParseEncoded(std::string_view line, const CodePage& page)
{
    fields_.clear();
    cut_ = false;
    // The whole line is decoded at once, then split where it stands. The room only grows: what the
    // last line left is written over, not cleared first.
    if (buffer_.size() < line.size())
        buffer_.resize(line.size());
    char16_t* const text = buffer_.data();
    buffer_.resize(static_cast<std::size_t>(page.DecodeTo(line, text) - text));
    if (std::memchr(line.data(), kBreakFirst, line.size()))
        TurnBackBreaks();
    SplitFields();
}

void CsvLine::TurnBackBreaks()
{
    // A line-break mark is as long as the CR LF it stands for, so it is turned back in place.
    char16_t* const text = buffer_.data();
    const std::size_t size = buffer_.size();
    for (std::size_t i = Find(text, size, 0, kBreakFirst); i + 1 < size; i = Find(text, size, i + 1, kBreakFirst)) {
        if (text[i + 1] == kBreakSecond) {
            text[i] = u'\r';
            text[++i] = u'\n';
        }
    }
}

void CsvLine::SplitFields()
{
    const char16_t* const text = buffer_.data();
    const std::size_t size = buffer_.size();
    std::size_t position = 0;
    for (;;) {
        if (FieldCount() == kMaxFields) {
            cut_ = true;
            return;
        }
        if (position < size && text[position] == u'"') {
            const std::size_t start = position + 1;
            const std::size_t end = FindQuoteComma(text, size, start);
            if (end < size) {
                AddParsed(start, end - start, true);
                position = end + 2;
                continue;
            }
            // The last field: it ends at a closing quote at the line end, or with the line.
            std::size_t length = size - start;
            if (length > 0 && text[size - 1] == u'"')
                --length;
            AddParsed(start, length, true);
            return;
        }
        const std::size_t comma = Find(text, size, position, u',');
        if (comma == size) {
            AddParsed(position, size - position, false);
            return;
        }
        AddParsed(position, comma - position, false);
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
