// What only the Qt dialogs have: widgets, layout, modality and the window's own buttons. What every
// host does alike is in the conformance suite.
#include "../ui/DialogConformance.h"

#include "qt/QtDialog.h"
#include "qt/QtPropertySheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kal {
namespace {

using conformance::SampleLogic;

template <typename Widget> Widget* ControlAs(const QtControlHost& host, int id)
{
    return qobject_cast<Widget*>(host.Control(id));
}

QRect InDialog(const QDialog& dialog, const QWidget* widget)
{
    return QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
}

TEST(QtDialog, RendersEachKindWithItsWidget)
{
    using namespace conformance;
    SampleLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.SetColour(kSample, MakeColour(0, 120, 215));
    dialog.SetColour(kColourButton, MakeColour(200, 0, 0));
    dialog.SetItemColours(kList, { MakeColour(200, 0, 0), MakeColour(0, 150, 0), MakeColour(0, 0, 200) });
    dialog.show();
    QApplication::processEvents();
    if (const QString folder = qEnvironmentVariable("KALENDRA_SHOT_DIR"); !folder.isEmpty())
        dialog.grab().save(folder + QStringLiteral("/kinds.png"));

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("見本"));
    ASSERT_NE(ControlAs<QLabel>(dialog, kNameLabel), nullptr);
    EXPECT_EQ(ControlAs<QLineEdit>(dialog, kName)->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(ControlAs<QLineEdit>(dialog, kPassword)->echoMode(), QLineEdit::Password);
    EXPECT_NE(ControlAs<QLineEdit>(dialog, kMonth), nullptr);
    EXPECT_NE(ControlAs<QPlainTextEdit>(dialog, kMemo), nullptr);
    EXPECT_TRUE(ControlAs<QComboBox>(dialog, kPlace)->isEditable());
    EXPECT_FALSE(ControlAs<QComboBox>(dialog, kGenre)->isEditable());
    EXPECT_NE(ControlAs<QCheckBox>(dialog, kDone), nullptr);
    EXPECT_NE(ControlAs<QRadioButton>(dialog, kDaily), nullptr);
    EXPECT_NE(ControlAs<QListWidget>(dialog, kList), nullptr);
    EXPECT_EQ(ControlAs<QScrollBar>(dialog, kBar)->orientation(), Qt::Vertical);

    // A spin edit: an edit with an up and a down arrow beside it, greyed with it.
    QWidget* spin = dialog.Control(kCount);
    const QList<QToolButton*> arrows = spin->findChildren<QToolButton*>();
    ASSERT_EQ(arrows.size(), 2);
    const QRect edit = InDialog(dialog, spin->findChild<QLineEdit*>());
    EXPECT_GE(InDialog(dialog, arrows[0]).left(), edit.right());
    EXPECT_LT(InDialog(dialog, arrows[0]).bottom(), InDialog(dialog, arrows[1]).bottom());
    dialog.Enable(kCount, false);
    EXPECT_FALSE(arrows[0]->isEnabled());

    // The custom control takes the cells it asked for and the focus by Tab.
    const QWidget* picture = dialog.Control(kPicture);
    EXPECT_GE(picture->width(), 20 * picture->fontMetrics().averageCharWidth());
    EXPECT_GE(picture->height(), 6 * picture->fontMetrics().lineSpacing());
    EXPECT_TRUE(picture->focusPolicy() & Qt::TabFocus);

    // The controls of the box's rows sit inside it; those below it do not.
    auto* box = ControlAs<QGroupBox>(dialog, kRepeatBox);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isAncestorOf(dialog.Control(kWeekly)));
    EXPECT_TRUE(box->isAncestorOf(dialog.Control(kDone)));
    EXPECT_FALSE(box->isAncestorOf(dialog.Control(kBefore)));
    // Disabling the box greys its frame but leaves the controls inside as they were.
    dialog.Enable(kRepeatBox, false);
    EXPECT_FALSE(dialog.IsEnabled(kRepeatBox));
    EXPECT_TRUE(dialog.Control(kWeekly)->isEnabled());

    // OK and cancel live in the button row; OK answers Enter; label mnemonics lead to their fields.
    auto* ok = ControlAs<QPushButton>(dialog, kIdOk);
    EXPECT_NE(qobject_cast<QDialogButtonBox*>(ok->parentWidget()), nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ControlAs<QLabel>(dialog, kNameLabel)->buddy(), dialog.Control(kName));
}

TEST(QtDialog, TabMovesTheFocusIntoTheCustomControl)
{
    using namespace conformance;
    SampleLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    dialog.SetFocus(kCount);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(dialog.focusWidget(), &tab);
    EXPECT_EQ(dialog.FocusedControl(), kPicture);
}

TEST(QtDialog, RefilledListKeepsItsScrollPosition)
{
    using namespace conformance;
    SampleLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    std::vector<std::u16string> rows;
    for (int i = 0; i < 60; ++i)
        rows.push_back(std::u16string(1, static_cast<char16_t>(u'あ' + i)));
    dialog.SetItems(kList, rows);
    QScrollBar* bar = ControlAs<QListWidget>(dialog, kList)->verticalScrollBar();
    bar->setValue(30);
    dialog.SetItems(kList, rows);
    EXPECT_EQ(bar->value(), 30);
    dialog.SetItems(kList, { u"一", u"二" });
    EXPECT_EQ(bar->value(), 0) << "clamped to the rows there are";
}

TEST(QtDialog, ClosingTheWindowCancelsUnlessCancelIsDisabled)
{
    SampleLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    dialog.Enable(kIdCancel, false);
    dialog.close();
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_TRUE(dialog.isVisible());
    dialog.Enable(kIdCancel, true);
    dialog.close();
    EXPECT_EQ(dialog.Result(), kIdCancel);
    EXPECT_EQ(logic.cancels, 1);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(QtDialog, RunIsModalUntilTheDialogEnds)
{
    SampleLogic logic;
    QtDialog dialog(logic);
    bool wasModal = false;
    QTimer::singleShot(0, &dialog, [&] {
        wasModal = QApplication::activeModalWidget() == &dialog;
        dialog.SetText(conformance::kName, u"モーダル");
        ControlAs<QPushButton>(dialog, kIdOk)->click();
    });
    // Should OK fail to close the dialog, this ends the wait instead of the test hanging.
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(kIdCancel); });
    EXPECT_EQ(dialog.Run(), kIdOk);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(logic.acceptedName, u"モーダル");
}

TEST(QtPropertySheet, PagesAreTabsTitledWithTheirCaptions)
{
    std::vector<int> okOrder;
    conformance::PageLogic first(u"一般", ControlKind::Edit, okOrder, 0);
    conformance::PageLogic second(u"表示", ControlKind::Edit, okOrder, 1);
    PropertySheet sheet { u"オプション", { &first, &second }, 1 };
    QtPropertySheet window(sheet);
    window.Open();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("オプション"));
    auto* tabs = window.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("一般"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("表示"));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_TRUE(tabs->widget(0)->isAncestorOf(window.Page(0).Control(conformance::kName)));
    window.Page(0).SetCaption(u"全般");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("全般"));
}

// A resource laid out as the program's dialogs are, to check alignment and room.
DialogResource FormResource()
{
    using conformance::Control;
    DialogResource resource;
    resource.caption = u"スケジュール";
    auto& c = resource.controls;
    c.push_back(Control(100, ControlKind::Label, u"内容(&N)", 0, 0));
    c.push_back(Control(101, ControlKind::Edit, u"会議", 0, 1));
    c.push_back(Control(0, ControlKind::Label, u"パスワード", 1, 0));
    c.push_back(Control(102, ControlKind::PasswordEdit, u"", 1, 1));
    c.push_back(Control(0, ControlKind::Label, u"メモ", 2, 0));
    c.push_back(Control(103, ControlKind::MultiLineEdit, u"", 2, 1));
    c.push_back(Control(0, ControlKind::Label, u"場所", 3, 0));
    c.push_back(Control(104, ControlKind::ComboBox, u"", 3, 1, { u"自宅", u"会社" }));
    ControlResource box = Control(110, ControlKind::GroupBox, u"繰り返し", 4, 0);
    box.rowSpan = 2;
    box.columnSpan = 2;
    c.push_back(box);
    c.push_back(Control(111, ControlKind::RadioButton, u"毎日(&D)", 4, 0, {}, 1));
    c.push_back(Control(112, ControlKind::RadioButton, u"毎週(&W)", 4, 1, {}, 1));
    c.push_back(Control(113, ControlKind::CheckBox, u"平日のみ", 5, 0));
    c.push_back(Control(0, ControlKind::Label, u"一覧", 6, 0));
    c.push_back(Control(106, ControlKind::ListBox, u"", 6, 1, { u"1行目", u"2行目" }));
    c.push_back(Control(107, ControlKind::PushButton, u"追加(&A)", 6, 2));
    c.push_back(Control(0, ControlKind::Label, u"回数", 7, 0));
    c.push_back(Control(108, ControlKind::SpinEdit, u"1", 7, 1));
    c.push_back(Control(kIdOk, ControlKind::DefaultButton, u"OK", 9, 0));
    c.push_back(Control(kIdCancel, ControlKind::PushButton, u"ｷｬﾝｾﾙ", 9, 1));
    return resource;
}

class FormLogic final : public DialogLogic {
public:
    const DialogResource& Resource() const override { return resource_; }

private:
    DialogResource resource_ = FormResource();
};

TEST(QtDialog, LaysTheGridOutReadably)
{
    FormLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    QApplication::processEvents();

    // The labels of the first column share their left edge and stand left of their controls,
    // level with them.
    const QWidget* body = dialog.Control(101)->parentWidget();
    const QList<QLabel*> labels = body->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(labels.size(), 6);
    for (const QLabel* label : labels)
        EXPECT_EQ(InDialog(dialog, label).left(), InDialog(dialog, labels.front()).left());
    const QRect nameLabel = InDialog(dialog, dialog.Control(100));
    const QRect name = InDialog(dialog, dialog.Control(101));
    EXPECT_LT(nameLabel.right(), name.left());
    EXPECT_GE(nameLabel.center().y(), name.top());
    EXPECT_LE(nameLabel.center().y(), name.bottom());

    // Edits take about two dozen characters, lists eight rows.
    const int characterWidth = dialog.Control(101)->fontMetrics().averageCharWidth();
    EXPECT_GE(name.width(), 24 * characterWidth);
    EXPECT_GE(dialog.Control(102)->width(), 24 * characterWidth);
    const QWidget* list = dialog.Control(106);
    EXPECT_GE(list->height(), 8 * list->fontMetrics().height());

    // No control covers another, all are inside the dialog, and the button row is below them all.
    std::vector<QRect> cells;
    for (const int id : { 101, 102, 103, 104, 110, 106, 107, 108 })
        cells.push_back(InDialog(dialog, dialog.Control(id)));
    for (const QLabel* label : labels)
        cells.push_back(InDialog(dialog, label));
    const QRect ok = InDialog(dialog, dialog.Control(kIdOk));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(dialog.rect().contains(cells[i])) << i;
        EXPECT_GT(ok.top(), cells[i].bottom()) << i;
        for (std::size_t j = i + 1; j < cells.size(); ++j)
            EXPECT_FALSE(cells[i].intersects(cells[j])) << i << " overlaps " << j;
    }
    EXPECT_TRUE(dialog.rect().contains(ok));
    EXPECT_GT(InDialog(dialog, dialog.Control(107)).left(), InDialog(dialog, list).right());

    // Inside the group box its own grid keeps the resource's columns.
    EXPECT_LT(InDialog(dialog, dialog.Control(111)).right(), InDialog(dialog, dialog.Control(112)).left());
    EXPECT_GT(InDialog(dialog, dialog.Control(113)).top(), InDialog(dialog, dialog.Control(111)).bottom());
}

} // namespace
} // namespace kal
