#include "store/TextLineFile.h"

#include "platform/CodePage.h"

namespace kal {

namespace {

constexpr char16_t kEndOfText = 0x1A; // Ctrl-Z

} // namespace

std::optional<TextLineFile> TextLineFile::Read(const std::string& path, FileError* error)
{
    const Result<std::string, FileError> bytes = ReadWholeFile(path);
    if (!bytes) {
        if (error)
            *error = bytes.Error();
        return std::nullopt;
    }
    return FromBytes(*bytes);
}

TextLineFile TextLineFile::FromBytes(std::string_view bytes)
{
    // Nothing after Ctrl-Z is text; cutting the bytes first also saves decoding it. The byte 0x1A is
    // never the second byte of a double-byte character, so the cut cannot split one.
    const std::size_t end = bytes.find(static_cast<char>(kEndOfText));
    return FromText(CodePage::Ansi().Decode(bytes.substr(0, end)));
}

TextLineFile TextLineFile::FromText(std::u16string text)
{
    TextLineFile file;
    file.text_ = std::move(text);
    if (const std::size_t end = file.text_.find(kEndOfText); end != std::u16string::npos)
        file.text_.resize(end);
    file.IndexLines();
    return file;
}

void TextLineFile::IndexLines()
{
    lines_.clear();
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find(u'\n', start);
        const std::size_t next = end == std::u16string::npos ? text_.size() : end + 1;
        if (end == std::u16string::npos)
            end = text_.size();
        else if (end > start && text_[end - 1] == u'\r')
            --end;
        lines_.push_back(Span { start, end - start });
        start = next;
    }
}

std::u16string_view TextLineFile::Line(int index) const
{
    if (index < 0 || index >= LineCount())
        return {};
    const Span& span = lines_[static_cast<std::size_t>(index)];
    return std::u16string_view(text_).substr(span.start, span.length);
}

} // namespace kal
