#pragma once

#include "ui/Ui.h"

#include <QString>
#include <QStringList>

#include <string_view>

namespace kal {

// The program writes a chooser's filter as "Kalendraﾌｧｲﾙ(*.klx) |*.klx|全てのﾌｧｲﾙ(*.*) |*.*||":
// descriptions each followed by their patterns (";" between several), every part ended by "|", an
// empty part ending the list. Qt wants one "description (patterns)" per filter. Patterns match
// names of either case, as they did where these filters were written, and "*.*" is every file, also
// those without a dot.
[[nodiscard]] QStringList QtNameFilters(std::u16string_view filter);

// Where a chooser opens: the folder and the name to propose. Folders may be written with "\" and
// start with "\My Documents", which is the user's documents folder; an empty or missing folder is
// the documents folder too. An initial name with a folder in it opens that folder; a name with
// wildcards proposes nothing, the filter already saying what is listed.
struct ChooserStart {
    QString folder;
    QString name;
};
[[nodiscard]] ChooserStart ChooserStartFor(const FileDialogOptions& options);

// The folder a folder text of the program stands for (see above).
[[nodiscard]] QString ResolveFolder(std::u16string_view folder);

} // namespace kal
