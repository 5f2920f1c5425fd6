#include "qt/QtPropertySheet.h"

#include "qt/QtConvert.h"
#include "qt/QtTexts.h"
#include "ui/PropertySheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kal {

// One page: its controls on a widget of the tab, its end the sheet's.
class QtPropertySheet::PageWidget final : public QWidget, public QtControlHost {
public:
    PageWidget(DialogLogic& logic, QtPropertySheet& sheet)
        : QWidget(sheet.tabs_)
        , QtControlHost(logic)
        , sheet_(sheet)
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(&Build(*this));
        layout->addStretch();
    }

    void SetCaption(std::u16string_view caption) override
    {
        sheet_.tabs_->setTabText(sheet_.tabs_->indexOf(this), ToQString(caption));
    }
    void End(int result) override { sheet_.End(result); }
    bool HasEnded() const override { return sheet_.HasEnded(); }
    void PressDialogButton(int id) override { id == kIdOk ? sheet_.accept() : sheet_.reject(); }

private:
    QtPropertySheet& sheet_;
};

QtPropertySheet::QtPropertySheet(PropertySheet& sheet, QWidget* parent)
    : QDialog(parent)
    , sheet_(sheet)
{
    setWindowTitle(ToQString(sheet.caption));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    for (DialogLogic* logic : sheet.pages) {
        pages_.push_back(new PageWidget(*logic, *this));
        tabs_->addTab(pages_.back(), ToQString(logic->Resource().caption));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ToQString(qttext::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(ToQString(qttext::kCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QtPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QtPropertySheet::reject);
    layout->addWidget(buttons);
}

QtPropertySheet::~QtPropertySheet()
{
    // Pages are hosts their logic may still call while the tab widget goes: take them down first.
    for (PageWidget* page : pages_)
        delete page;
}

QtControlHost& QtPropertySheet::Page(int index) const
{
    return *pages_.at(static_cast<std::size_t>(index));
}

int QtPropertySheet::ActivePage() const
{
    return tabs_->currentIndex();
}

void QtPropertySheet::Show(int page)
{
    tabs_->setCurrentIndex(page);
}

void QtPropertySheet::Open()
{
    if (opened_)
        return;
    opened_ = true;
    if (pages_.empty())
        return;
    // Each page puts the focus where it wants it as it opens: the page in front opens last, so that
    // its choice is the one the keyboard finds.
    const int start = std::clamp(sheet_.startPage, 0, PageCount() - 1);
    for (int i = 0; i < PageCount(); ++i) {
        if (i != start)
            pages_[static_cast<std::size_t>(i)]->Open();
    }
    Show(start);
    pages_[static_cast<std::size_t>(start)]->Open();
}

int QtPropertySheet::Run()
{
    Open();
    if (!HasEnded())
        exec();
    return Result();
}

void QtPropertySheet::accept()
{
    if (HasEnded())
        return;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        PageWidget& page = *pages_[i];
        if (!CheckNumberFields(page.Logic().Resource(), page) || !page.Logic().OnOk(page)) {
            // The field the check gave the focus to keeps it when its page comes to the front.
            if (!HasEnded())
                Show(static_cast<int>(i));
            return;
        }
    }
    if (!HasEnded())
        End(kIdOk);
}

void QtPropertySheet::reject()
{
    if (HasEnded())
        return;
    for (PageWidget* page : pages_)
        page->Logic().OnCancel(*page);
    if (!HasEnded())
        End(kIdCancel);
}

void QtPropertySheet::End(int result)
{
    result_ = result;
    done(result);
}

} // namespace kal
