#include "store/CsvLine.h"

#include "platform/CodePage.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kal {

namespace {

constexpr char16_t kBreakFirst = 0x0001; // U+0001 U+0002 stands for CR LF inside a field
constexpr char16_t kBreakSecond = 0x0002;
constexpr char16_t kRightDoubleQuote = 0x201D;
// Room kept past a line being split, so that a block of 64 characters and the one after it can be
// read wherever the line ends.
constexpr std::size_t kLinePadding = 72;

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

// Finds, in a line padded with kLinePadding characters of room, each double quote followed by a comma,
// from one 64-character block to the next. A line of quoted fields is split with one bit search per
// field instead of a search loop whose length varies with every field.
class QuoteCommas {
public:
    QuoteCommas(const char16_t* text, std::size_t size)
        : text_(text)
        , size_(size)
    {
    }

    // Position of the first double quote followed by a comma at or after `from`, or the line's size.
    // Positions only grow from call to call.
    std::size_t First(std::size_t from)
    {
        std::size_t block = from & ~std::size_t { 63 };
        if (block != block_)
            Load(block);
        std::uint64_t marks = marks_ & (~std::uint64_t { 0 } << (from & 63));
        while (marks == 0) {
            block += 64;
            if (block >= size_)
                return size_;
            Load(block);
            marks = marks_;
        }
        // A mark on the last character looked past the line, into the padding.
        const std::size_t found = block + static_cast<std::size_t>(__builtin_ctzll(marks));
        return found + 1 < size_ ? found : size_;
    }

private:
    void Load(std::size_t block)
    {
        block_ = block;
        marks_ = 0;
        const char16_t* const text = text_ + block;
#if defined(__SSE2__)
        const __m128i quote = _mm_set1_epi16(u'"');
        const __m128i comma = _mm_set1_epi16(u',');
        for (int i = 0; i < 64; i += 16) {
            const auto at
                = [&](int offset) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + offset)); };
            const __m128i low = _mm_and_si128(_mm_cmpeq_epi16(at(0), quote), _mm_cmpeq_epi16(at(1), comma));
            const __m128i high = _mm_and_si128(_mm_cmpeq_epi16(at(8), quote), _mm_cmpeq_epi16(at(9), comma));
            const auto bits = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low, high)));
            marks_ |= std::uint64_t { bits } << i;
        }
#else
        for (int i = 0; i < 64; ++i) {
            if (text[i] == u'"' && text[i + 1] == u',')
                marks_ |= std::uint64_t { 1 } << i;
        }
#endif
    }

    const char16_t* text_;
    std::size_t size_;
    std::size_t block_ = ~std::size_t { 0 };
    std::uint64_t marks_ = 0;
};

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

void CsvLine::Parse(std::u16string_view line)
{
    Clear();
    // The fields are read where they stand in one copy of the line.
    buffer_.assign(line.data(), line.size());
    buffer_.append(kLinePadding, u'\0');
    TurnBackBreaks(line.size());
    SplitFields(line.size());
}

void CsvLine::ParseEncoded(std::string_view line, const CodePage& page)
{
    fields_.clear();
    cut_ = false;
    // The whole line is decoded at once, then split where it stands. The room only grows: what the
    // last line left is written over, not cleared first, and what lies past the line is padding.
    if (buffer_.size() < line.size() + kLinePadding)
        buffer_.resize(line.size() + kLinePadding);
    char16_t* const text = buffer_.data();
    const auto size = static_cast<std::size_t>(page.DecodeTo(line, text) - text);
    if (std::memchr(line.data(), kBreakFirst, line.size()))
        TurnBackBreaks(size);
    SplitFields(size);
}

void CsvLine::TurnBackBreaks(std::size_t size)
{
    // A line-break mark is as long as the CR LF it stands for, so it is turned back in place.
    char16_t* const text = buffer_.data();
    for (std::size_t i = Find(text, size, 0, kBreakFirst); i + 1 < size; i = Find(text, size, i + 1, kBreakFirst)) {
        if (text[i + 1] == kBreakSecond) {
            text[i] = u'\r';
            text[++i] = u'\n';
        }
    }
}

void CsvLine::SplitFields(std::size_t size)
{
    const char16_t* const text = buffer_.data();
    QuoteCommas quoteCommas(text, size);
    // The fields are written to room on the stack, then kept in one copy: a push for each field would
    // keep the list's end in memory.
    FieldSpan found[kMaxFields];
    int count = 0;
    std::size_t position = 0;
    for (;;) {
        if (count == kMaxFields) {
            cut_ = true;
            break;
        }
        if (position < size && text[position] == u'"') {
            const std::size_t start = position + 1;
            const std::size_t end = quoteCommas.First(start);
            if (end < size) {
                found[count++] = FieldSpan { start, end - start, true };
                position = end + 2;
                continue;
            }
            // The last field: it ends at a closing quote at the line end, or with the line.
            std::size_t length = size - start;
            if (length > 0 && text[size - 1] == u'"')
                --length;
            found[count++] = FieldSpan { start, length, true };
            break;
        }
        const std::size_t comma = Find(text, size, position, u',');
        if (comma == size) {
            found[count++] = FieldSpan { position, size - position, false };
            break;
        }
        found[count++] = FieldSpan { position, comma - position, false };
        position = comma + 1;
    }
    fields_.assign(found, found + count);
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
