#pragma once

#include "platform/FileIo.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kal {

// A text file read whole: the bytes are decoded from the code page once and indexed by line. Lines
// end with LF; a CR just before the LF is not part of the line. A last line without LF counts like the
// others. A Ctrl-Z character ends the text.
class TextLineFile {
public:
    [[nodiscard]] static std::optional<TextLineFile> Read(const std::string& path, FileError* error = nullptr);
    [[nodiscard]] static TextLineFile FromBytes(std::string_view bytes);
    [[nodiscard]] static TextLineFile FromText(std::u16string text);

    [[nodiscard]] int LineCount() const { return static_cast<int>(lines_.size()); }
    // Line `index` without its line end; empty for an index out of range.
    [[nodiscard]] std::u16string_view Line(int index) const;
    [[nodiscard]] const std::u16string& Text() const { return text_; }

private:
    struct Span {
        std::size_t start;
        std::size_t length;
    };
    void IndexLines();

    std::u16string text_;
    std::vector<Span> lines_;
};

} // namespace kal
