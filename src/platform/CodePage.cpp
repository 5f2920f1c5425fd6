#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <iconv.h>
#include <vector>

namespace kal {

namespace {

constexpr char16_t kEscapeBase = 0xDC00; // bytes 0x80-0xFF that do not decode live at U+DC80-U+DCFF

bool IsEscapedByte(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}
bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// One converter, opened for as long as the object lives.
class Converter {
public:
    Converter(const char* to, const char* from)
        : handle_(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (IsOpen())
            iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    [[nodiscard]] bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    void Reset() { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }
    // Writes what takes a converter with a shift state back to its initial state.
    void Flush(char*& output, std::size_t& outputLeft) { iconv(handle_, nullptr, nullptr, &output, &outputLeft); }
    // Converts what it can; the C library's result, with errno telling why it stopped.
    std::size_t Convert(const char*& input, std::size_t& inputLeft, char*& output, std::size_t& outputLeft)
    {
        char* in = const_cast<char*>(input);
        const std::size_t result = iconv(handle_, &in, &inputLeft, &output, &outputLeft);
        input = in;
        return result;
    }

private:
    iconv_t handle_;
};

enum class Outcome { Character, Incomplete, Invalid, Unusable };

// How the converter decodes exactly `bytes`: one UTF-16 unit from all of them, a sequence cut
// short, bytes that start no character, or an answer no table can hold (several units, a partial use).
Outcome DecodeExactly(Converter& converter, std::string_view bytes, char16_t& decoded)
{
    converter.Reset();
    const char* input = bytes.data();
    std::size_t inputLeft = bytes.size();
    char buffer[16];
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    const std::size_t result = converter.Convert(input, inputLeft, output, outputLeft);
    const std::size_t produced = sizeof buffer - outputLeft;
    if (result == static_cast<std::size_t>(-1) && produced == 0 && inputLeft == bytes.size())
        return errno == EINVAL ? Outcome::Incomplete : Outcome::Invalid;
    if (result == static_cast<std::size_t>(-1) || inputLeft != 0 || produced != 2)
        return Outcome::Unusable;
    decoded = static_cast<char16_t>(static_cast<unsigned char>(buffer[0]) | static_cast<unsigned char>(buffer[1]) << 8);
    return IsSurrogate(decoded) ? Outcome::Unusable : Outcome::Character;
}

// How the converter encodes one character: its bytes (empty when it is refused), or false when the
// answer does not fit a table (more than two bytes, or a shift state to leave afterwards).
bool EncodeExactly(Converter& converter, char16_t c, std::string& encoded)
{
    converter.Reset();
    const char input[2] = { static_cast<char>(c & 0xFF), static_cast<char>(c >> 8) };
    const char* in = input;
    std::size_t inputLeft = 2;
    char buffer[16];
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    const std::size_t result = converter.Convert(in, inputLeft, output, outputLeft);
    if (result == static_cast<std::size_t>(-1)) {
        const bool refused = errno == EILSEQ && outputLeft == sizeof buffer;
        encoded.clear();
        return refused;
    }
    const std::size_t beforeFlush = outputLeft;
    converter.Flush(output, outputLeft);
    encoded.assign(buffer, sizeof buffer - outputLeft);
    return outputLeft == beforeFlush && encoded.size() <= 2 && !encoded.empty();
}

// Sixteen bytes of plain ASCII widened at once, when `p` has them.
bool WidenSixteenAscii(const unsigned char* p, char16_t* out)
{
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    if (_mm_movemask_epi8(bytes) != 0)
        return false;
    const __m128i zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
    return true;
#else
    (void)p;
    (void)out;
    return false;
#endif
}

// Eight characters of plain ASCII narrowed to their bytes at once, when `text` has them.
bool NarrowEightAscii(const char16_t* text, char* out)
{
#if defined(__SSE2__)
    const __m128i characters = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const __m128i high = _mm_and_si128(characters, _mm_set1_epi16(static_cast<short>(0xFF80)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(high, _mm_setzero_si128())) != 0xFFFF)
        return false;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(characters, characters));
    return true;
#else
    (void)text;
    (void)out;
    return false;
#endif
}

// Eight bytes of plain ASCII at once, when `p` has them.
bool EightAscii(const unsigned char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

} // namespace

// Every byte and every pair of bytes, decoded once.
struct CodePage::DecodeTable {
    enum : std::uint8_t { kInvalid, kSingle, kLead };
    std::array<std::uint8_t, 256> kind {};
    std::array<char16_t, 256> single {};
    std::vector<char16_t> pairs = std::vector<char16_t>(65536); // lead << 8 | trail; 0 = no character
    bool asciiIsAscii = true;
};

// Every character of the Basic Multilingual Plane, encoded once: one or two bytes, or refused.
struct CodePage::EncodeTable {
    std::vector<std::uint16_t> code = std::vector<std::uint16_t>(65536);
    std::vector<std::uint8_t> length = std::vector<std::uint8_t>(65536); // 0 = refused
    // The same with each look-alike taking the code of the character it stands for, and 0 for every
    // surrogate: what the encoder reads first, so that most characters take one look.
    std::vector<std::uint16_t> quickCode = std::vector<std::uint16_t>(65536);
    std::vector<std::uint8_t> quickLength = std::vector<std::uint8_t>(65536);
    bool asciiIsAscii = true;
};

namespace {

void FillQuickCodes(auto& table)
{
    for (std::size_t c = 0; c < 0x10000; ++c) {
        const auto raw = static_cast<char16_t>(c);
        if (IsSurrogate(raw))
            continue;
        const std::size_t stands = CodePageLookAlike(raw);
        table.quickCode[c] = table.code[stands];
        table.quickLength[c] = table.length[stands];
    }
}

} // namespace

char16_t CodePageLookAlike(char16_t c)
{
    switch (c) {
    case 0x301C: // WAVE DASH
        return 0xFF5E; // FULLWIDTH TILDE
    case 0x2016: // DOUBLE VERTICAL LINE
        return 0x2225; // PARALLEL TO
    case 0x2212: // MINUS SIGN
        return 0xFF0D; // FULLWIDTH HYPHEN-MINUS
    case 0x00A2: // CENT SIGN
        return 0xFFE0;
    case 0x00A3: // POUND SIGN
        return 0xFFE1;
    case 0x00AC: // NOT SIGN
        return 0xFFE2;
    case 0x2014: // EM DASH
        return 0x2015; // HORIZONTAL BAR
    default:
        return c;
    }
}

CodePage::CodePage(const char* name)
    : name_(name)
{
    Converter toUnicode("UTF-16LE", name);
    Converter fromUnicode(name, "UTF-16LE");
    open_ = toUnicode.IsOpen() && fromUnicode.IsOpen();
}

CodePage::~CodePage() = default;

namespace {

// Decodes every pair of bytes starting with `lead` into `pairs` (0 for a pair that starts no
// character). A few calls do it: the converter runs through all 256 pairs at once and stops only at
// the pairs it refuses. False when the code page does not decode pairs one character each.
bool DecodePairs(Converter& converter, unsigned char lead, std::vector<char16_t>& pairs)
{
    char input[512];
    for (int trail = 0; trail < 256; ++trail) {
        input[2 * trail] = static_cast<char>(lead);
        input[2 * trail + 1] = static_cast<char>(trail);
    }
    const char* next = input;
    std::size_t left = sizeof input;
    while (left > 0) {
        converter.Reset();
        const char* const from = next;
        char buffer[sizeof input];
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t result = converter.Convert(next, left, output, outputLeft);
        const std::size_t consumed = static_cast<std::size_t>(next - from);
        const std::size_t units = (sizeof buffer - outputLeft) / 2;
        if (consumed % 2 != 0 || units * 2 != consumed)
            return false;
        const std::size_t first = static_cast<std::size_t>(from - input) / 2;
        for (std::size_t i = 0; i < units; ++i) {
            const auto c = static_cast<char16_t>(
                static_cast<unsigned char>(buffer[2 * i]) | static_cast<unsigned char>(buffer[2 * i + 1]) << 8);
            if (c == 0 || IsSurrogate(c))
                return false;
            pairs[static_cast<std::size_t>(lead << 8) + first + i] = c;
        }
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno != EILSEQ)
            return false; // a character longer than two bytes
        next += 2; // this pair starts no character
        left -= 2;
    }
    return true;
}

// Every character of the Basic Multilingual Plane but the surrogates, each followed by a line feed,
// as UTF-16LE.
std::string EveryCharacterOnItsOwnLine()
{
    std::string input;
    input.reserve(0x10000 * 4);
    for (int c = 0; c < 0x10000; ++c) {
        if (IsSurrogate(static_cast<char16_t>(c)) || c == '\n')
            continue;
        input += static_cast<char>(c & 0xFF);
        input += static_cast<char>(c >> 8);
        input += '\n';
        input += '\0';
    }
    return input;
}

} // namespace

const CodePage::DecodeTable* CodePage::Decoder() const
{
    // Asked for every field of every row: once built, the table is one load away.
    if (decoderReady_.load(std::memory_order_acquire))
        return decoder_.get();
    std::call_once(decoderBuilt_, [this] {
        Converter converter("UTF-16LE", name_.c_str());
        if (!converter.IsOpen())
            return;
        auto table = std::make_unique<DecodeTable>();
        for (int lead = 0; lead < 256; ++lead) {
            const char one = static_cast<char>(lead);
            char16_t decoded = 0;
            switch (DecodeExactly(converter, std::string_view(&one, 1), decoded)) {
            case Outcome::Character:
                table->kind[lead] = DecodeTable::kSingle;
                table->single[lead] = decoded;
                break;
            case Outcome::Invalid:
                break;
            case Outcome::Unusable:
                return;
            case Outcome::Incomplete:
                table->kind[lead] = DecodeTable::kLead;
                if (!DecodePairs(converter, static_cast<unsigned char>(lead), table->pairs))
                    return;
                break;
            }
            if (lead < 0x80 && (table->kind[lead] != DecodeTable::kSingle || table->single[lead] != lead))
                table->asciiIsAscii = false;
        }
        decoder_ = std::move(table);
    });
    decoderReady_.store(true, std::memory_order_release);
    return decoder_.get();
}

// The whole plane goes through the converter in one call that skips what it cannot convert; the line
// feed after each character tells where its bytes end, and an empty line that it was refused. Where
// that does not work out, each character is asked on its own.
bool CodePage::FillEncodeTable(EncodeTable& table) const
{
    Converter skipping((name_ + "//IGNORE").c_str(), "UTF-16LE");
    if (!skipping.IsOpen())
        return false;
    const std::string input = EveryCharacterOnItsOwnLine();
    std::string output(input.size(), '\0');
    const char* in = input.data();
    std::size_t inputLeft = input.size();
    char* out = output.data();
    std::size_t outputLeft = output.size();
    (void)skipping.Convert(in, inputLeft, out, outputLeft); // reports the skipped characters as an error
    const std::size_t beforeFlush = outputLeft;
    skipping.Flush(out, outputLeft);
    if (inputLeft != 0 || outputLeft != beforeFlush)
        return false;
    output.resize(output.size() - outputLeft);
    std::size_t at = 0;
    for (int c = 0; c < 0x10000; ++c) {
        if (IsSurrogate(static_cast<char16_t>(c)) || c == '\n')
            continue;
        const std::size_t end = output.find('\n', at);
        if (end == std::string::npos || end - at > 2)
            return false;
        const auto index = static_cast<std::size_t>(c);
        table.length[index] = static_cast<std::uint8_t>(end - at);
        for (std::size_t i = at; i < end; ++i)
            table.code[index]
                = static_cast<std::uint16_t>(table.code[index] << 8 | static_cast<unsigned char>(output[i]));
        at = end + 1;
    }
    return at == output.size();
}

const CodePage::EncodeTable* CodePage::Encoder() const
{
    if (encoderReady_.load(std::memory_order_acquire))
        return encoder_.get();
    std::call_once(encoderBuilt_, [this] {
        Converter converter(name_.c_str(), "UTF-16LE");
        if (!converter.IsOpen())
            return;
        auto table = std::make_unique<EncodeTable>();
        const bool filled = FillEncodeTable(*table);
        std::string encoded;
        for (int c = 0; c < 0x10000; ++c) {
            if (IsSurrogate(static_cast<char16_t>(c)) || (filled && c != '\n'))
                continue;
            if (!EncodeExactly(converter, static_cast<char16_t>(c), encoded))
                return;
            const auto index = static_cast<std::size_t>(c);
            table->length[index] = static_cast<std::uint8_t>(encoded.size());
            table->code[index] = 0;
            for (const char byte : encoded)
                table->code[index]
                    = static_cast<std::uint16_t>(table->code[index] << 8 | static_cast<unsigned char>(byte));
        }
        for (int c = 0; c < 0x80; ++c) {
            if (table->length[static_cast<std::size_t>(c)] != 1 || table->code[static_cast<std::size_t>(c)] != c)
                table->asciiIsAscii = false;
        }
        FillQuickCodes(*table);
        encoder_ = std::move(table);
    });
    encoderReady_.store(true, std::memory_order_release);
    return encoder_.get();
}

std::u16string CodePage::Decode(std::string_view bytes) const
{
    std::u16string text;
    AppendDecoded(bytes, text);
    return text;
}

void CodePage::AppendDecoded(std::string_view bytes, std::u16string& text) const
{
    const DecodeTable* table = open_ ? Decoder() : nullptr;
    if (!table) {
        text += DecodeThroughConverter(bytes);
        return;
    }
    const std::size_t start = text.size();
    text.resize(start + bytes.size()); // never more characters than bytes
    text.resize(static_cast<std::size_t>(DecodeTo(bytes, text.data() + start) - text.data()));
}

char16_t* CodePage::DecodeTo(std::string_view bytes, char16_t* out) const
{
    const DecodeTable* table = open_ ? Decoder() : nullptr;
    if (!table) {
        const std::u16string text = DecodeThroughConverter(bytes);
        return std::copy_n(text.data(), std::min(text.size(), bytes.size()), out);
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p < end) {
        const unsigned char byte = *p;
        if (byte < 0x80 && table->asciiIsAscii) {
            // A run of plain ASCII, sixteen or eight bytes at a time while it lasts.
            while (end - p >= 16 && WidenSixteenAscii(p, out)) {
                p += 16;
                out += 16;
            }
            while (end - p >= 8 && EightAscii(p)) {
                for (int i = 0; i < 8; ++i)
                    *out++ = p[i];
                p += 8;
            }
            while (p < end && *p < 0x80)
                *out++ = *p++;
            continue;
        }
        switch (table->kind[byte]) {
        case DecodeTable::kSingle:
            *out++ = table->single[byte];
            ++p;
            continue;
        case DecodeTable::kLead:
            if (end - p >= 2) {
                if (const char16_t c = table->pairs[static_cast<std::size_t>(byte << 8 | p[1])]) {
                    *out++ = c;
                    p += 2;
                    continue;
                }
            }
            break;
        default:
            break;
        }
        // A byte that starts no character here: kept as itself, and decoding goes on after it.
        *out++ = static_cast<char16_t>(kEscapeBase + byte);
        ++p;
    }
    return out;
}

CodePage::Encoded CodePage::Encode(std::u16string_view text) const
{
    Encoded encoded;
    AppendEncoded(text, encoded);
    return encoded;
}

char* CodePage::EncodeWithTable(const EncodeTable& table, std::u16string_view text, char* out, std::u16string& replaced)
{
    // Takes `out` by value and gives it back, so that `out` can stay in a register.
    const auto replace = [&replaced](char* at, std::u16string_view character) {
        *at++ = kDefaultCharacter;
        if (replaced.find(character) == std::u16string::npos)
            replaced += character;
        return at;
    };
    // Held in locals: a store through `out` may touch any memory as far as the compiler knows, and
    // would make it load the tables' addresses again for every character.
    const std::size_t size = text.size();
    const char16_t* const characters = text.data();
    const std::uint16_t* const quickCode = table.quickCode.data();
    const std::uint8_t* const quickLength = table.quickLength.data();
    const bool asciiIsAscii = table.asciiIsAscii;
    for (std::size_t i = 0; i < size; ++i) {
        if (asciiIsAscii) {
            while (i + 8 <= size && NarrowEightAscii(characters + i, out)) {
                i += 8;
                out += 8;
            }
            if (i == size)
                break;
        }
        const char16_t raw = characters[i];
        if (raw < 0x80 && asciiIsAscii) {
            *out++ = static_cast<char>(raw);
            continue;
        }
        const std::uint16_t quick = quickCode[raw];
        switch (quickLength[raw]) {
        case 2:
            *out++ = static_cast<char>(quick >> 8);
            *out++ = static_cast<char>(quick & 0xFF);
            continue;
        case 1:
            *out++ = static_cast<char>(quick & 0xFF);
            continue;
        default:
            break;
        }
        const char16_t c = CodePageLookAlike(raw);
        if (IsEscapedByte(c)) {
            *out++ = static_cast<char>(c - kEscapeBase);
        } else if (IsHighSurrogate(c) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
            out = replace(out, text.substr(i, 2)); // outside the Basic Multilingual Plane: no code page here holds it
            ++i;
        } else if (IsSurrogate(c)) {
            out = replace(out, text.substr(i, 1));
        } else {
            const std::uint16_t code = table.code[c];
            switch (table.length[c]) {
            case 2:
                *out++ = static_cast<char>(code >> 8);
                [[fallthrough]];
            case 1:
                *out++ = static_cast<char>(code & 0xFF);
                break;
            default:
                out = replace(out, std::u16string_view(&c, 1));
                break;
            }
        }
    }
    return out;
}

void CodePage::AppendEncoded(std::u16string_view text, Encoded& into) const
{
    const EncodeTable* table = open_ ? Encoder() : nullptr;
    if (!table) {
        EncodeThroughConverter(text, into);
        return;
    }
    std::string& bytes = into.bytes;
    const std::size_t start = bytes.size();
    bytes.resize(start + text.size() * 2); // never more than two bytes a character
    char* const end = EncodeWithTable(*table, text, bytes.data() + start, into.replaced);
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
}

void CodePage::AddReplaced(std::u16string& replaced, std::u16string_view more)
{
    for (std::size_t i = 0; i < more.size();) {
        const bool pair = i + 1 < more.size() && more[i] >= 0xD800 && more[i] <= 0xDBFF && more[i + 1] >= 0xDC00
            && more[i + 1] <= 0xDFFF;
        const std::u16string_view character = more.substr(i, pair ? 2 : 1);
        if (replaced.find(character) == std::u16string::npos)
            replaced += character;
        i += character.size();
    }
}

void CodePage::AppendEncoded(std::u16string_view text, ByteBuffer& bytes, std::u16string& replaced) const
{
    const EncodeTable* table = open_ ? Encoder() : nullptr;
    if (!table) {
        Encoded encoded;
        EncodeThroughConverter(text, encoded);
        bytes.Append(encoded.bytes);
        AddReplaced(replaced, encoded.replaced);
        return;
    }
    char* const start = bytes.Grow(text.size() * 2); // never more than two bytes a character
    char* const end = EncodeWithTable(*table, text, start, replaced);
    bytes.resize(bytes.size() + static_cast<std::size_t>(end - start));
}

std::u16string CodePage::DecodeThroughConverter(std::string_view bytes) const
{
    std::u16string out;
    out.reserve(bytes.size());
    Converter converter("UTF-16LE", name_.c_str());
    if (!converter.IsOpen()) {
        for (const char c : bytes)
            out += static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c)
                                                        : kEscapeBase + static_cast<unsigned char>(c);
        return out;
    }
    char buffer[16384];
    const char* input = bytes.data();
    std::size_t inputLeft = bytes.size();
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t result = converter.Convert(input, inputLeft, output, outputLeft);
        for (std::size_t i = 0; i + 1 < sizeof buffer - outputLeft; i += 2)
            out += static_cast<char16_t>(
                static_cast<unsigned char>(buffer[i]) | static_cast<unsigned char>(buffer[i + 1]) << 8);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (a sequence cut off by the end): keep the byte and go on after it.
        out += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(*input));
        ++input;
        --inputLeft;
        converter.Reset();
    }
    return out;
}

void CodePage::EncodeThroughConverter(std::u16string_view text, Encoded& into) const
{
    Converter converter(name_.c_str(), "UTF-16LE");
    const auto replace = [&](std::u16string_view character) {
        into.bytes += kDefaultCharacter;
        if (into.replaced.find(character) == std::u16string::npos)
            into.replaced += character;
    };
    // Runs of ordinary characters go through the converter together; escaped bytes, surrogates and
    // characters the converter refuses are handled one at a time.
    std::string run;
    const auto flush = [&] {
        const char* input = run.data();
        std::size_t inputLeft = run.size();
        char buffer[16384];
        while (inputLeft > 0) {
            char* output = buffer;
            std::size_t outputLeft = sizeof buffer;
            const std::size_t result
                = converter.IsOpen() ? converter.Convert(input, inputLeft, output, outputLeft) : std::size_t(-1);
            into.bytes.append(buffer, sizeof buffer - outputLeft);
            if (result != static_cast<std::size_t>(-1) || (converter.IsOpen() && errno == E2BIG))
                continue;
            const char16_t refused = static_cast<char16_t>(
                static_cast<unsigned char>(input[0]) | static_cast<unsigned char>(input[1]) << 8);
            if (!converter.IsOpen() && refused < 0x80)
                into.bytes += static_cast<char>(refused);
            else
                replace(std::u16string_view(&refused, 1));
            input += 2;
            inputLeft -= 2;
            if (converter.IsOpen())
                converter.Reset();
        }
        run.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = CodePageLookAlike(text[i]);
        if (IsEscapedByte(c)) {
            flush();
            into.bytes += static_cast<char>(c - kEscapeBase);
        } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            flush();
            replace(text.substr(i, 2));
            ++i;
        } else if (IsSurrogate(c)) {
            flush();
            replace(text.substr(i, 1));
        } else {
            run += static_cast<char>(c & 0xFF);
            run += static_cast<char>(c >> 8);
        }
    }
    flush();
}

const CodePage& CodePage::Ansi()
{
    static const CodePage ansi("CP932");
    return ansi;
}

} // namespace kal
