#include "store/GenreArchive.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "store/StoreTexts.h"

#include <cerrno>
#include <cstdint>
#include <vector>

namespace kal {

namespace {

// Object tags of the archive. A 16-bit tag with the high bit set names a class by its index in the
// load map, 0xFFFF introduces a new class, 0x7FFF escapes to a 32-bit tag, anything else refers to an
// object read before (0 is the null object).
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kClassReferenceToField = kClassTag | 1; // "CKalField" is always the first class

constexpr std::uint16_t kFieldSchema = 2;
constexpr std::string_view kFieldClassName = "CKalField";
constexpr std::size_t kMaxClassNameLength = 63; // archives never held longer class names
constexpr std::uint16_t kFieldVersion = 100;

// String lengths: one byte up to 254, else 0xFF and a 16-bit length up to 0xFFFD, else 0xFFFF and a
// 32-bit length (and 0xFFFFFFFF a 64-bit one). 0xFF 0xFFFE before the length marks UTF-16 text.
constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kLongerLength = 0xFFFF;
constexpr std::uint32_t kLongestLength = 0xFFFFFFFF;
constexpr std::uint16_t kLongCount = 0xFFFF;

// The least a genre takes: a class reference, the version, six one-byte empty strings, the colour and
// five 16-bit values.
constexpr std::size_t kMinFieldBytes = 2 + 2 + 6 * 1 + 4 + 5 * 2;

// A genre file this large is not one.
constexpr std::size_t kMaxGenreFileBytes = std::size_t(16) << 20;

class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes)
        : bytes_(bytes)
    {
    }

    [[nodiscard]] std::size_t Offset() const { return offset_; }
    [[nodiscard]] std::size_t Remaining() const { return bytes_.size() - offset_; }
    [[nodiscard]] const GenreArchiveError& Error() const { return error_; }

    bool Fail(GenreArchiveFault fault, std::size_t at)
    {
        error_ = { fault, at };
        return false;
    }

    template <typename Unsigned> bool Read(Unsigned& value)
    {
        if (Remaining() < sizeof(Unsigned))
            return Fail(GenreArchiveFault::kTruncated, offset_);
        value = 0;
        for (std::size_t i = 0; i < sizeof(Unsigned); ++i) {
            const auto byte = static_cast<Unsigned>(static_cast<std::uint8_t>(bytes_[offset_ + i]));
            value |= static_cast<Unsigned>(byte << (8 * i));
        }
        offset_ += sizeof(Unsigned);
        return true;
    }

    bool ReadBytes(std::size_t count, std::string_view& out)
    {
        if (Remaining() < count)
            return Fail(GenreArchiveFault::kTruncated, offset_);
        out = bytes_.substr(offset_, count);
        offset_ += count;
        return true;
    }

    // An element count: 16 bits, or 0xFFFF and 32 bits, or 0xFFFFFFFF and 64 bits.
    bool ReadCount(std::uint64_t& count)
    {
        std::uint16_t shortCount = 0;
        if (!Read(shortCount))
            return false;
        if (shortCount != kLongCount) {
            count = shortCount;
            return true;
        }
        std::uint32_t longCount = 0;
        if (!Read(longCount))
            return false;
        if (longCount != kLongestLength) {
            count = longCount;
            return true;
        }
        return Read(count);
    }

    bool ReadString(std::u16string& text)
    {
        const std::size_t start = offset_;
        std::uint64_t length = 0;
        bool wide = false;
        if (!ReadStringLength(length, wide))
            return false;
        if (length > (wide ? Remaining() / 2 : Remaining()))
            return Fail(GenreArchiveFault::kLengthTooLarge, start);
        std::string_view characters;
        if (!ReadBytes(static_cast<std::size_t>(wide ? length * 2 : length), characters))
            return false;
        if (!wide) {
            text = CodePage::Ansi().Decode(characters);
            return true;
        }
        text.resize(characters.size() / 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<char16_t>(
                static_cast<std::uint8_t>(characters[2 * i]) | static_cast<std::uint8_t>(characters[2 * i + 1]) << 8);
        }
        return true;
    }

private:
    bool ReadStringLength(std::uint64_t& length, bool& wide)
    {
        std::uint8_t byteLength = 0;
        if (!Read(byteLength))
            return false;
        if (byteLength != kLongLength) {
            length = byteLength;
            return true;
        }
        std::uint16_t wordLength = 0;
        if (!Read(wordLength))
            return false;
        if (wordLength == kWideMarker) {
            // The length starts over after the marker. There 0xFFFE cannot be a marker again, so
            // both 0xFFFE and 0xFFFF lead to the 32-bit length.
            wide = true;
            if (!Read(byteLength))
                return false;
            if (byteLength != kLongLength) {
                length = byteLength;
                return true;
            }
            if (!Read(wordLength))
                return false;
        }
        if (wordLength < kWideMarker) {
            length = wordLength;
            return true;
        }
        std::uint32_t longLength = 0;
        if (!Read(longLength))
            return false;
        if (longLength != kLongestLength) {
            length = longLength;
            return true;
        }
        return Read(length);
    }

    std::string_view bytes_;
    std::size_t offset_ = 0;
    GenreArchiveError error_;
};

// Reads the object tag in front of a genre. `classMap` is the archive's load map: one entry per class
// or object read so far, true for classes, starting with the null object at index 0.
bool ReadFieldTag(ArchiveReader& reader, std::vector<bool>& classMap)
{
    const std::size_t start = reader.Offset();
    std::uint16_t shortTag = 0;
    if (!reader.Read(shortTag))
        return false;
    std::uint32_t tag = 0;
    if (shortTag == kBigObjectTag) {
        if (!reader.Read(tag))
            return false;
    } else {
        tag = static_cast<std::uint32_t>(shortTag & kClassTag) << 16 | (shortTag & ~kClassTag);
    }
    // Without the class bit the tag is the null object or a second pointer to a genre read before.
    // Our list owns each genre once, so neither can be a genre list.
    if (!(tag & kBigClassTag))
        return reader.Fail(GenreArchiveFault::kBadTag, start);

    if (shortTag == kNewClassTag) {
        std::uint16_t schema = 0;
        std::uint16_t nameLength = 0;
        std::string_view name;
        if (!reader.Read(schema) || !reader.Read(nameLength))
            return false;
        if (nameLength > kMaxClassNameLength)
            return reader.Fail(GenreArchiveFault::kBadClass, start);
        if (!reader.ReadBytes(nameLength, name))
            return false;
        if (name != kFieldClassName)
            return reader.Fail(GenreArchiveFault::kBadClass, start);
        if (schema != kFieldSchema)
            return reader.Fail(GenreArchiveFault::kBadSchema, start);
        classMap.push_back(true);
    } else {
        const std::uint32_t classIndex = tag & ~kBigClassTag;
        if (classIndex >= classMap.size() || !classMap[classIndex])
            return reader.Fail(GenreArchiveFault::kBadTag, start);
    }
    classMap.push_back(false); // the genre itself
    return true;
}

bool ReadField(ArchiveReader& reader, CKalField& genre)
{
    std::uint16_t version = 0; // every version has the same layout
    std::uint32_t colour = 0;
    std::uint16_t visible = 0;
    if (!reader.Read(version) || !reader.ReadString(genre.name) || !reader.ReadString(genre.note)
        || !reader.Read(colour) || !reader.Read(visible))
        return false;
    genre.colour = colour;
    genre.visible = visible;
    for (auto& reserved : genre.reserved) {
        std::uint16_t value = 0;
        if (!reader.Read(value))
            return false;
        reserved = value;
    }
    for (auto& text : genre.reservedTexts) {
        if (!reader.ReadString(text))
            return false;
    }
    return true;
}

bool ReadFieldArray(ArchiveReader& reader, CKalFieldArray& genres)
{
    const std::size_t start = reader.Offset();
    std::uint64_t count = 0;
    if (!reader.ReadCount(count))
        return false;
    if (count > reader.Remaining() / kMinFieldBytes)
        return reader.Fail(GenreArchiveFault::kCountTooLarge, start);
    std::vector<bool> classMap { false };
    for (std::uint64_t i = 0; i < count; ++i) {
        auto genre = std::make_unique<CKalField>();
        if (!ReadFieldTag(reader, classMap) || !ReadField(reader, *genre))
            return false;
        genres.Append(std::move(genre));
    }
    return true;
}

void PutLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

void PutLength(std::string& out, std::size_t length)
{
    if (length < kLongLength) {
        PutLittleEndian(out, length, 1);
        return;
    }
    PutLittleEndian(out, kLongLength, 1);
    if (length < kWideMarker) {
        PutLittleEndian(out, length, 2);
        return;
    }
    PutLittleEndian(out, kLongerLength, 2);
    PutLittleEndian(out, length, 4);
}

void PutWideString(std::string& out, std::u16string_view text)
{
    PutLittleEndian(out, kLongLength, 1);
    PutLittleEndian(out, kWideMarker, 2);
    PutLength(out, text.size());
    for (const char16_t c : text)
        PutLittleEndian(out, c, 2);
}

void PutAnsiString(std::string& out, std::u16string_view text)
{
    const std::string bytes = CodePage::Ansi().Encode(text).bytes;
    PutLength(out, bytes.size());
    out += bytes;
}

} // namespace

std::optional<CKalFieldArray> ReadGenreArchive(std::string_view bytes, GenreArchiveError* error)
{
    ArchiveReader reader(bytes);
    CKalFieldArray genres;
    if (!ReadFieldArray(reader, genres)) {
        if (error)
            *error = reader.Error();
        return std::nullopt;
    }
    return genres;
}

std::string WriteGenreArchive(const CKalFieldArray& genres)
{
    std::string out;
    const auto count = static_cast<std::uint32_t>(genres.Count());
    if (count < kLongCount) {
        PutLittleEndian(out, count, 2);
    } else {
        PutLittleEndian(out, kLongCount, 2);
        PutLittleEndian(out, count, 4);
    }
    for (int i = 0; i < genres.Count(); ++i) {
        const CKalField& genre = *genres.At(i);
        if (i == 0) {
            PutLittleEndian(out, kNewClassTag, 2);
            PutLittleEndian(out, kFieldSchema, 2);
            PutLittleEndian(out, kFieldClassName.size(), 2);
            out += kFieldClassName;
        } else {
            PutLittleEndian(out, kClassReferenceToField, 2);
        }
        PutLittleEndian(out, kFieldVersion, 2);
        PutWideString(out, genre.name);
        PutWideString(out, genre.note);
        PutLittleEndian(out, genre.colour, 4);
        PutLittleEndian(out, static_cast<std::uint32_t>(genre.visible), 2);
        for (const std::int32_t reserved : genre.reserved)
            PutLittleEndian(out, static_cast<std::uint32_t>(reserved), 2);
        for (const auto& text : genre.reservedTexts)
            PutAnsiString(out, text);
    }
    return out;
}

CKalFieldArray GeneralGenreOnly()
{
    CKalFieldArray general;
    CKalField genre;
    genre.name = texts::kGeneralGenre;
    general.Append(genre);
    return general;
}

Result<CKalFieldArray> LoadGenreFile(const std::string& path)
{
    const Result<std::string, FileError> bytes = ReadWholeFile(path, kMaxGenreFileBytes);
    if (bytes && bytes->empty())
        return CKalFieldArray {};
    std::optional<CKalFieldArray> genres;
    if (bytes)
        genres = ReadGenreArchive(*bytes);
    if (genres)
        return std::move(*genres);
    // A file we could not open is simply absent; one we opened but could not read is worth a word.
    if (bytes || bytes.Error().refusal == FileRefusal::TooLarge)
        return Failure { texts::kGenreFileDamaged };
    return GeneralGenreOnly();
}

} // namespace kal
