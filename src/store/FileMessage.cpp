#include "store/FileMessage.h"

#include "platform/FileIo.h"
#include "platform/Text.h"
#include "ui/Ui.h"

#include <cstring>

namespace kal {

void ShowFileError(const char16_t* message, const std::string& path, const FileError& error)
{
    std::u16string text = message;
    text += u"\n";
    text += FromUtf8(path);
    if (error.code != 0) {
        text += u"\n";
        text += FromUtf8(std::strerror(error.code));
    }
    Ui::Current().ShowMessage(text);
}

} // namespace kal
