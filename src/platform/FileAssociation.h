#pragma once

#include <string>

namespace kal {

enum class AssociationMode { IfMissing, Force };

// Makes the desktop open ".klx" files with this program: a MIME type (application/x-kalendra,
// "Kalendraファイル", *.klx), a desktop entry that runs this program with the file, its icon, and
// the program as the type's default application, all in the user's own data and config folders.
// With IfMissing nothing is done when the type is already known. When an installed package declares
// the type or its desktop entry in a folder of $XDG_DATA_DIRS, only Force writes, and only the default
// application; copies this program wrote earlier in the user's folders, which would shadow the
// package's, are removed. False when a file could not be written.
bool RegisterFileAssociation(AssociationMode mode);

// The files it writes, for tests and for removal.
struct AssociationFiles {
    std::string mimeXml;
    std::string desktopEntry;
    std::string icon;
    std::string mimeApps;
};
[[nodiscard]] AssociationFiles AssociationFilePaths();

} // namespace kal
