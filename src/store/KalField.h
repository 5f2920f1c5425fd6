#pragma once

#include "platform/Colour.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// One genre: a named category with a colour and a visibility switch.
struct CKalField {
    std::u16string name;
    Colour colour = 0;
    std::int32_t visible = 1; // 0 hides the genre's entries in the views
    std::u16string note; // second text, kept as read
    std::array<std::int32_t, 4> reserved {}; // read from the genre file and copied, nothing else
    std::array<std::u16string, 4> reservedTexts;

    bool operator==(const CKalField&) const = default;
};

// The genre list of a file or of the program. Index 0 is the general genre.
class CKalFieldArray {
public:
    CKalFieldArray() = default;
    CKalFieldArray(const CKalFieldArray& other);
    CKalFieldArray& operator=(const CKalFieldArray& other);
    CKalFieldArray(CKalFieldArray&&) noexcept = default;
    CKalFieldArray& operator=(CKalFieldArray&&) noexcept = default;

    [[nodiscard]] int Count() const { return static_cast<int>(genres_.size()); }
    [[nodiscard]] bool IsEmpty() const { return genres_.empty(); }
    // The genre at `index`, or null when there is none.
    [[nodiscard]] CKalField* At(int index);
    [[nodiscard]] const CKalField* At(int index) const;

    void Append(std::unique_ptr<CKalField> genre);
    void Append(const CKalField& genre) { Append(std::make_unique<CKalField>(genre)); }
    void Clear() { genres_.clear(); }
    // Removes and deletes the genre at `index`; nothing for an index out of range.
    void RemoveAt(int index);
    void Swap(int first, int second);

    // Index of the first genre whose name equals `name` exactly, -1 when there is none.
    [[nodiscard]] int FindByName(std::u16string_view name) const;
    // Index of the genre named `name`; when there is none, a genre with that name and every other
    // field at its default is appended first.
    int FindOrAddByName(std::u16string_view name);
    // Clears the list and appends copies of every genre of `other` (which may be this list).
    void ReplaceAll(const CKalFieldArray& other);
    // Appends genres named "ジャンル" and their 1-based position until `index` exists, so that an
    // entry with a genre the list lacks still has one to show. Only a gap of at most kMaxFillUp genres
    // is filled: a file whose genre rows were lost, or that was written with a longer list, leaves
    // small gaps, while an index far beyond the list comes only from a damaged or hostile file and
    // would add thousands of made-up genres that are then saved. True when the genre at `index`
    // exists afterwards.
    bool FillUpTo(int index);
    // Every name in list order, for genre selectors.
    [[nodiscard]] std::vector<std::u16string> Names() const;

    static constexpr int kMaxFillUp = 64;

private:
    std::vector<std::unique_ptr<CKalField>> genres_;
};

} // namespace kal
