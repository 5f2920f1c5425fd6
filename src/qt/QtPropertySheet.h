#pragma once

#include "qt/QtControlHost.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTabWidget;

namespace kal {

struct PropertySheet;

// A property sheet as a Qt dialog: one tab per page, titled with the page resource's caption, and one
// OK and cancel. Each page is its own host with its own control ids. OK runs each page's number checks
// and then its logic's, in page order: the first page that fails comes to the front and the sheet
// stays open. Cancel tells every page. A page that ends itself ends the sheet with its result.
class QtPropertySheet final : public QDialog {
    Q_OBJECT

public:
    explicit QtPropertySheet(PropertySheet& sheet, QWidget* parent = nullptr);
    ~QtPropertySheet() override;

    // Fills every page (once) without showing the sheet; the start page is in front.
    void Open();
    // Opens the sheet modally: kIdOk, or kIdCancel when cancelled or closed.
    int Run();
    [[nodiscard]] int Result() const { return result_.value_or(kIdCancel); }
    [[nodiscard]] bool HasEnded() const { return result_.has_value(); }

    [[nodiscard]] int PageCount() const { return static_cast<int>(pages_.size()); }
    [[nodiscard]] QtControlHost& Page(int index) const;
    [[nodiscard]] int ActivePage() const;
    void Show(int page);

public Q_SLOTS:
    void accept() override;
    void reject() override;

private:
    class PageWidget;

    void End(int result);

    PropertySheet& sheet_;
    QTabWidget* tabs_ = nullptr;
    std::vector<PageWidget*> pages_;
    std::optional<int> result_;
    bool opened_ = false;
};

} // namespace kal
