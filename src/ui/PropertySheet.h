#pragma once

#include <string>
#include <vector>

namespace kal {

class DialogLogic;

// Pages shown as tabs of one dialog with a single OK and cancel. Every page is its own dialog logic
// with its own control ids (ids are scoped to their page); a page's resource caption is its tab's
// title. All pages are opened with the sheet. OK runs each page's checks in page order: the first page
// that fails is brought to the front and the sheet stays open; when all pass the sheet ends with OK.
struct PropertySheet {
    std::u16string caption;
    std::vector<DialogLogic*> pages;
    int startPage = 0;
};

} // namespace kal
