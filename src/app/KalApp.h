#pragma once

#include "app/RecentFiles.h"
#include "store/KalField.h"
#include "ui/CommandTarget.h"
#include "ui/Geometry.h"

#include <optional>
#include <string>

namespace kal {

class CKalDoc;

// The program: its start-up (settings, file association, genres, the menu for the screen, the first
// document), the genre list every new document starts with, and the application commands.
class CKalApp : public CommandTarget {
public:
    CKalApp();

    // Everything before the window exists. Gives the menu resource to use.
    int Start(Size screen);

    // Opens the previous file, the one named on the command line, or a new document; then offers the
    // work kept when the program last ended without being able to save it.
    void OpenFirstDocument(CKalDoc& document, const std::optional<std::string>& commandLineFile);

    [[nodiscard]] const CKalFieldArray& Genres() const { return genres_; }
    [[nodiscard]] RecentFiles& Recent() { return recent_; }
    // The document also gets the program's genre list to read again when another genre file is named.
    void SetDocument(CKalDoc* document);

    // Opens a file as the document after the current one was saved or let go. By value: saving the
    // current document rearranges the recent-file list the path may come from.
    bool OpenFile(std::string path);

private:
    // Binds every command the application handles, with its state.
    void BindCommands();
    void ChooseFileToOpen();
    void OpenStartDocument(CKalDoc& document, const std::optional<std::string>& commandLineFile);

    CKalFieldArray genres_;
    RecentFiles recent_;
    CKalDoc* document_ = nullptr;
};

} // namespace kal
