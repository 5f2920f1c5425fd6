#pragma once

#include "app/KalDoc.h"
#include "views/DayView.h"
#include "views/KalView.h"

namespace kal {

// A document with its month view and day list, introduced to each other.
struct DocumentViews {
    DocumentViews(const CKalFieldArray& applicationGenres, RecentFiles* recentFiles = nullptr)
        : document(applicationGenres, recentFiles)
        , month(document)
        , day(document, month)
    {
        month.SetDayView(&day);
        document.AddView(&month);
        document.AddView(&day);
    }
    DocumentViews(const DocumentViews&) = delete;
    DocumentViews& operator=(const DocumentViews&) = delete;

    CKalDoc document;
    CKalView month;
    CDayView day;
};

} // namespace kal
