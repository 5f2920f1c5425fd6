#pragma once

#include "platform/Result.h"
#include "store/KalField.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kal {

// The genre file holds the genre list in an object archive: an element count, then per genre an object
// tag (the first names the class "CKalField" with schema 2, later ones refer back to it) and the
// genre's fields. All numbers are little-endian.

enum class GenreArchiveFault {
    kTruncated, // the data ends inside a value
    kCountTooLarge, // more genres than the remaining bytes can hold
    kLengthTooLarge, // a string longer than the remaining bytes
    kBadTag, // a null element, a reference to an earlier element, or an unknown class index
    kBadClass, // a class other than "CKalField"
    kBadSchema, // "CKalField" with a schema other than 2
};

struct GenreArchiveError {
    GenreArchiveFault fault = GenreArchiveFault::kTruncated;
    std::size_t offset = 0; // where the faulty value starts
};

// Reads a genre archive. Every count and length is checked against the bytes that remain, so a
// damaged file fails here instead of making us allocate or read beyond it. Bytes after the last genre
// are ignored. Strings may be wide or in the ANSI code page, whatever their field.
[[nodiscard]] std::optional<CKalFieldArray> ReadGenreArchive(
    std::string_view bytes, GenreArchiveError* error = nullptr);

// Writes a genre archive the way genre files have always been written (version word 100, name and note as wide
// strings, the four reserved texts in the ANSI code page). The program itself never writes genre
// files; this makes them for tests. The 16-bit fields keep only their low 16 bits.
[[nodiscard]] std::string WriteGenreArchive(const CKalFieldArray& genres);

// The program's genre list from the genre file at `path`: GeneralGenreOnly() when there is no file to
// read, and an empty list for an empty file. A file that is damaged (or too large) is a failure the
// user is to be told of, after which the program goes on with GeneralGenreOnly().
[[nodiscard]] Result<CKalFieldArray> LoadGenreFile(const std::string& path);
// The single genre "一般".
[[nodiscard]] CKalFieldArray GeneralGenreOnly();

} // namespace kal
