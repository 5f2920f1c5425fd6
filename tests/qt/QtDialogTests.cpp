#include "qt/QtDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kal {
namespace {

enum : int {
    kName = 101,
    kPassword = 102,
    kMemo = 103,
    kPlace = 104,
    kGenre = 105,
    kList = 106,
    kAdd = 107,
    kNameLabel = 108,
    kRepeatBox = 110,
    kDaily = 111,
    kWeekly = 112,
    kWeekdaysOnly = 113,
    kMorning = 114,
    kEvening = 115,
};

ControlResource Control(int id, ControlKind kind, std::u16string text, int row, int column,
    std::vector<std::u16string> items = {}, int group = 0)
{
    ControlResource control;
    control.id = id;
    control.kind = kind;
    control.text = std::move(text);
    control.items = std::move(items);
    control.row = row;
    control.column = column;
    control.group = group;
    return control;
}

DialogResource EveryKind()
{
    DialogResource resource;
    resource.id = 900;
    resource.caption = u"スケジュール";
    auto& c = resource.controls;
    c.push_back(Control(kNameLabel, ControlKind::Label, u"内容(&N)", 0, 0));
    c.push_back(Control(kName, ControlKind::Edit, u"会議", 0, 1));
    c.push_back(Control(0, ControlKind::Label, u"パスワード", 1, 0));
    c.push_back(Control(kPassword, ControlKind::PasswordEdit, u"", 1, 1));
    c.push_back(Control(0, ControlKind::Label, u"メモ", 2, 0));
    c.push_back(Control(kMemo, ControlKind::MultiLineEdit, u"", 2, 1));
    c.push_back(Control(0, ControlKind::Label, u"場所", 3, 0));
    c.push_back(Control(kPlace, ControlKind::ComboBox, u"", 3, 1, { u"自宅", u"会社" }));
    c.push_back(Control(0, ControlKind::Label, u"ジャンル", 4, 0));
    c.push_back(Control(kGenre, ControlKind::DropDownList, u"", 4, 1, { u"仕事", u"私用", u"休日" }));
    ControlResource box = Control(kRepeatBox, ControlKind::GroupBox, u"繰り返し", 5, 0);
    box.rowSpan = 2;
    box.columnSpan = 2;
    c.push_back(box);
    c.push_back(Control(kDaily, ControlKind::RadioButton, u"毎日(&D)", 5, 0, {}, 1));
    c.push_back(Control(kWeekly, ControlKind::RadioButton, u"毎週(&W)", 5, 1, {}, 1));
    c.push_back(Control(kWeekdaysOnly, ControlKind::CheckBox, u"平日のみ", 6, 0));
    ControlResource list = Control(kList, ControlKind::ListBox, u"", 7, 1, { u"1行目", u"2行目", u"3行目" });
    c.push_back(Control(0, ControlKind::Label, u"一覧", 7, 0));
    c.push_back(list);
    c.push_back(Control(kAdd, ControlKind::PushButton, u"追加(&A)", 7, 2));
    c.push_back(Control(kMorning, ControlKind::RadioButton, u"午前", 8, 0, {}, 2));
    c.push_back(Control(kEvening, ControlKind::RadioButton, u"午後", 8, 1, {}, 2));
    c.push_back(Control(kIdOk, ControlKind::DefaultButton, u"OK", 9, 0));
    c.push_back(Control(kIdCancel, ControlKind::PushButton, u"ｷｬﾝｾﾙ", 9, 1));
    return resource;
}

// Records what the dialog told it; its OK check passes only when allowed to.
class ProbeLogic final : public DialogLogic {
public:
    ProbeLogic()
        : resource_(EveryKind())
    {
    }
    const DialogResource& Resource() const override { return resource_; }
    void OnInit(DialogHost& host) override
    {
        ++inits;
        host.SetText(kMemo, u"一行目\r\n二行目");
        host.SetChecked(kDaily, true);
        if (endInInit)
            host.End(kIdCancel);
    }
    void OnControl(DialogHost& host, int id, Notification notification) override
    {
        received.emplace_back(id, notification);
        // The way a logic answers a control: here "追加" copies the name into the list.
        if (id == kAdd && notification == Notification::Clicked) {
            std::vector<std::u16string> items = host.Items(kList);
            items.push_back(host.Text(kName));
            host.SetItems(kList, items);
            host.SetSelection(kList, static_cast<int>(items.size()) - 1);
            if (endOnAdd)
                host.End(kAdd);
        }
    }
    bool OnOk(DialogHost& host) override
    {
        ++oks;
        nameOnOk = host.Text(kName);
        return okPasses;
    }
    void OnCancel(DialogHost&) override { ++cancels; }

    std::vector<std::pair<int, Notification>> received;
    int inits = 0;
    int oks = 0;
    int cancels = 0;
    bool okPasses = false;
    bool endInInit = false;
    bool endOnAdd = false;
    std::u16string nameOnOk;

private:
    DialogResource resource_;
};

template <typename Widget> Widget* ControlAs(const QtDialog& dialog, int id)
{
    return qobject_cast<Widget*>(dialog.Control(id));
}

TEST(QtDialog, RendersEveryControlKind)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("スケジュール"));
    ASSERT_NE(ControlAs<QLabel>(dialog, kNameLabel), nullptr);
    ASSERT_NE(ControlAs<QLineEdit>(dialog, kName), nullptr);
    EXPECT_EQ(ControlAs<QLineEdit>(dialog, kName)->echoMode(), QLineEdit::Normal);
    ASSERT_NE(ControlAs<QLineEdit>(dialog, kPassword), nullptr);
    EXPECT_EQ(ControlAs<QLineEdit>(dialog, kPassword)->echoMode(), QLineEdit::Password);
    ASSERT_NE(ControlAs<QPlainTextEdit>(dialog, kMemo), nullptr);
    ASSERT_NE(ControlAs<QComboBox>(dialog, kPlace), nullptr);
    EXPECT_TRUE(ControlAs<QComboBox>(dialog, kPlace)->isEditable());
    ASSERT_NE(ControlAs<QComboBox>(dialog, kGenre), nullptr);
    EXPECT_FALSE(ControlAs<QComboBox>(dialog, kGenre)->isEditable());
    ASSERT_NE(ControlAs<QCheckBox>(dialog, kWeekdaysOnly), nullptr);
    ASSERT_NE(ControlAs<QRadioButton>(dialog, kDaily), nullptr);
    ASSERT_NE(ControlAs<QListWidget>(dialog, kList), nullptr);
    ASSERT_NE(ControlAs<QPushButton>(dialog, kAdd), nullptr);
    auto* box = ControlAs<QGroupBox>(dialog, kRepeatBox);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), QStringLiteral("繰り返し"));

    // The controls of the box's rows sit inside it; those below it do not.
    EXPECT_TRUE(box->isAncestorOf(dialog.Control(kDaily)));
    EXPECT_TRUE(box->isAncestorOf(dialog.Control(kWeekly)));
    EXPECT_TRUE(box->isAncestorOf(dialog.Control(kWeekdaysOnly)));
    EXPECT_FALSE(box->isAncestorOf(dialog.Control(kMorning)));
    EXPECT_FALSE(box->isAncestorOf(dialog.Control(kName)));

    // OK and cancel live in the button row with the resource's texts; OK answers Enter.
    auto* ok = ControlAs<QPushButton>(dialog, kIdOk);
    auto* cancel = ControlAs<QPushButton>(dialog, kIdCancel);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_NE(qobject_cast<QDialogButtonBox*>(ok->parentWidget()), nullptr);
    EXPECT_NE(qobject_cast<QDialogButtonBox*>(cancel->parentWidget()), nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    EXPECT_TRUE(ok->isDefault());

    // The label's mnemonic leads to the edit beside it.
    EXPECT_EQ(ControlAs<QLabel>(dialog, kNameLabel)->buddy(), dialog.Control(kName));

    // The resource's items, nothing chosen, and the texts the logic set when the dialog opened.
    EXPECT_EQ(dialog.Items(kGenre), (std::vector<std::u16string> { u"仕事", u"私用", u"休日" }));
    EXPECT_EQ(dialog.Selection(kGenre), -1);
    EXPECT_EQ(dialog.Selection(kList), -1);
    EXPECT_EQ(dialog.Text(kName), u"会議");
    EXPECT_EQ(ControlAs<QPlainTextEdit>(dialog, kMemo)->toPlainText(), QStringLiteral("一行目\n二行目"));
    EXPECT_EQ(logic.inits, 1);
    dialog.Open();
    EXPECT_EQ(logic.inits, 1) << "the logic fills the dialog once";
}

TEST(QtDialog, HostFunctionsRoundTrip)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();

    dialog.SetText(kName, u"打ち合わせ");
    EXPECT_EQ(dialog.Text(kName), u"打ち合わせ");
    dialog.SetText(kPassword, u"secret");
    EXPECT_EQ(dialog.Text(kPassword), u"secret");
    dialog.SetText(kNameLabel, u"件名");
    EXPECT_EQ(dialog.Text(kNameLabel), u"件名");
    EXPECT_EQ(dialog.Text(kMemo), u"一行目\r\n二行目") << "multi-line texts keep CR LF breaks";
    dialog.SetText(kAdd, u"登録");
    EXPECT_EQ(dialog.Text(kAdd), u"登録");
    dialog.SetCaption(u"新しい予定");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新しい予定"));

    // Drop-down list: choosing gives the item as text; an unknown text chooses nothing.
    dialog.SetSelection(kGenre, 1);
    EXPECT_EQ(dialog.Selection(kGenre), 1);
    EXPECT_EQ(dialog.Text(kGenre), u"私用");
    dialog.SetText(kGenre, u"休日");
    EXPECT_EQ(dialog.Selection(kGenre), 2);
    dialog.SetSelection(kGenre, 7);
    EXPECT_EQ(dialog.Selection(kGenre), -1);
    EXPECT_EQ(dialog.Text(kGenre), u"");

    // Combo box: any typed text; new items keep what was typed.
    dialog.SetText(kPlace, u"現地");
    EXPECT_EQ(dialog.Text(kPlace), u"現地");
    dialog.SetItems(kPlace, { u"東京", u"大阪" });
    EXPECT_EQ(dialog.Items(kPlace), (std::vector<std::u16string> { u"東京", u"大阪" }));
    EXPECT_EQ(dialog.Selection(kPlace), -1);
    EXPECT_EQ(dialog.Text(kPlace), u"現地");
    dialog.SetSelection(kPlace, 1);
    EXPECT_EQ(dialog.Text(kPlace), u"大阪");

    // List box: items, selection, the selected item's text.
    dialog.SetItems(kList, { u"a", u"b", u"c", u"d" });
    EXPECT_EQ(dialog.Items(kList).size(), 4u);
    EXPECT_EQ(dialog.Selection(kList), -1);
    dialog.SetSelection(kList, 2);
    EXPECT_EQ(dialog.Selection(kList), 2);
    EXPECT_EQ(dialog.Text(kList), u"c");
    dialog.SetSelection(kList, -1);
    EXPECT_EQ(dialog.Selection(kList), -1);
    EXPECT_EQ(dialog.Text(kList), u"");

    dialog.SetChecked(kWeekdaysOnly, true);
    EXPECT_TRUE(dialog.IsChecked(kWeekdaysOnly));
    dialog.SetChecked(kWeekdaysOnly, false);
    EXPECT_FALSE(dialog.IsChecked(kWeekdaysOnly));

    dialog.Enable(kName, false);
    EXPECT_FALSE(dialog.IsEnabled(kName));
    EXPECT_FALSE(dialog.Control(kName)->isEnabled());
    dialog.Enable(kName, true);
    EXPECT_TRUE(dialog.IsEnabled(kName));

    dialog.SetFocus(kPassword);
    EXPECT_EQ(dialog.focusWidget(), dialog.Control(kPassword));

    // Unknown ids are ignored and read as empty.
    dialog.SetText(999, u"x");
    EXPECT_EQ(dialog.Text(999), u"");
    EXPECT_EQ(dialog.Selection(999), -1);
    EXPECT_TRUE(dialog.Items(999).empty());

    EXPECT_TRUE(logic.received.empty()) << "changes made through the host are not reported back";
}

TEST(QtDialog, RadioButtonsExcludeEachOtherWithinTheirGroup)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    EXPECT_TRUE(dialog.IsChecked(kDaily));

    dialog.SetChecked(kWeekly, true);
    EXPECT_TRUE(dialog.IsChecked(kWeekly));
    EXPECT_FALSE(dialog.IsChecked(kDaily));

    // Another group is not affected.
    dialog.SetChecked(kMorning, true);
    EXPECT_TRUE(dialog.IsChecked(kMorning));
    EXPECT_TRUE(dialog.IsChecked(kWeekly));
    dialog.SetChecked(kEvening, true);
    EXPECT_FALSE(dialog.IsChecked(kMorning));
    EXPECT_TRUE(dialog.IsChecked(kWeekly));

    // A group can be left with nothing chosen.
    dialog.SetChecked(kWeekly, false);
    EXPECT_FALSE(dialog.IsChecked(kWeekly));
    EXPECT_FALSE(dialog.IsChecked(kDaily));

    // A click chooses and is reported.
    ControlAs<QRadioButton>(dialog, kDaily)->click();
    EXPECT_TRUE(dialog.IsChecked(kDaily));
    EXPECT_FALSE(dialog.IsChecked(kWeekly));
    ASSERT_EQ(logic.received.size(), 1u);
    EXPECT_EQ(logic.received[0], std::make_pair(int(kDaily), Notification::Clicked));
}

TEST(QtDialog, UserActionsReachTheLogic)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    using Event = std::pair<int, Notification>;

    ControlAs<QLineEdit>(dialog, kName)->setText(QStringLiteral("会議室"));
    ControlAs<QPlainTextEdit>(dialog, kMemo)->setPlainText(QStringLiteral("メモ"));
    ControlAs<QComboBox>(dialog, kGenre)->setCurrentIndex(2);
    ControlAs<QCheckBox>(dialog, kWeekdaysOnly)->click();
    EXPECT_TRUE(dialog.IsChecked(kWeekdaysOnly)) << "the box is ticked before the logic hears of it";
    ControlAs<QListWidget>(dialog, kList)->setCurrentRow(1);
    QListWidget* list = ControlAs<QListWidget>(dialog, kList);
    Q_EMIT list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(logic.received,
        (std::vector<Event> { { kName, Notification::TextChanged }, { kMemo, Notification::TextChanged },
            { kGenre, Notification::SelectionChanged }, { kWeekdaysOnly, Notification::Clicked },
            { kList, Notification::SelectionChanged }, { kList, Notification::DoubleClicked } }));

    // Typing in a combo box is a text change; choosing from its list is a selection change only.
    logic.received.clear();
    QComboBox* place = ControlAs<QComboBox>(dialog, kPlace);
    Q_EMIT place->lineEdit()->textEdited(QStringLiteral("駅"));
    place->setCurrentIndex(0);
    EXPECT_EQ(logic.received,
        (std::vector<Event> { { kPlace, Notification::TextChanged }, { kPlace, Notification::SelectionChanged } }));

    // The logic answers a button through the host without hearing its own changes.
    logic.received.clear();
    dialog.SetText(kName, u"追加する行");
    ControlAs<QPushButton>(dialog, kAdd)->click();
    EXPECT_EQ(logic.received, (std::vector<Event> { { kAdd, Notification::Clicked } }));
    EXPECT_EQ(dialog.Items(kList).back(), u"追加する行");
    EXPECT_EQ(dialog.Selection(kList), 3);
}

TEST(QtDialog, OkClosesOnlyWhenTheChecksPass)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    auto* ok = ControlAs<QPushButton>(dialog, kIdOk);

    dialog.SetText(kName, u"途中");
    ok->click();
    EXPECT_EQ(logic.oks, 1);
    EXPECT_FALSE(dialog.HasEnded());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Text(kName), u"途中") << "a failed check keeps what was typed";

    // While OK is disabled, Enter does not reach the checks.
    dialog.Enable(kIdOk, false);
    dialog.accept();
    EXPECT_EQ(logic.oks, 1);
    dialog.Enable(kIdOk, true);

    logic.okPasses = true;
    ok->click();
    EXPECT_EQ(logic.oks, 2);
    EXPECT_EQ(logic.nameOnOk, u"途中");
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(dialog.Result(), kIdOk);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(logic.cancels, 0);
}

TEST(QtDialog, CancelButtonEscapeAndCloseAllCancel)
{
    {
        ProbeLogic logic;
        QtDialog dialog(logic);
        dialog.Open();
        dialog.show();
        ControlAs<QPushButton>(dialog, kIdCancel)->click();
        EXPECT_EQ(logic.cancels, 1);
        EXPECT_EQ(dialog.Result(), kIdCancel);
        EXPECT_FALSE(dialog.isVisible());
    }
    {
        ProbeLogic logic;
        QtDialog dialog(logic);
        dialog.Open();
        dialog.show();
        dialog.close();
        EXPECT_EQ(logic.cancels, 1);
        EXPECT_TRUE(dialog.HasEnded());
        EXPECT_EQ(dialog.Result(), kIdCancel);
        EXPECT_EQ(logic.oks, 0);
    }
    {
        // A logic may end the dialog from a button of its own, with that button's id.
        ProbeLogic logic;
        logic.endOnAdd = true;
        QtDialog dialog(logic);
        dialog.Open();
        ControlAs<QPushButton>(dialog, kAdd)->click();
        EXPECT_EQ(dialog.Result(), kAdd);
        ControlAs<QPushButton>(dialog, kIdCancel)->click();
        EXPECT_EQ(dialog.Result(), kAdd) << "nothing runs after the dialog ended";
        EXPECT_EQ(logic.cancels, 0);
    }
}

TEST(QtDialog, RunIsModalUntilTheDialogEnds)
{
    ProbeLogic logic;
    logic.okPasses = true;
    QtDialog dialog(logic);
    bool wasModal = false;
    QTimer::singleShot(0, &dialog, [&] {
        wasModal = QApplication::activeModalWidget() == &dialog;
        dialog.SetText(kName, u"モーダル");
        ControlAs<QPushButton>(dialog, kIdOk)->click();
    });
    // Should OK fail to close the dialog, this ends the wait instead of the test hanging.
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(kIdCancel); });
    EXPECT_EQ(dialog.Run(), kIdOk);
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(logic.nameOnOk, u"モーダル");

    // A logic that ends the dialog while filling it never shows it.
    ProbeLogic ending;
    ending.endInInit = true;
    QtDialog ended(ending);
    EXPECT_EQ(ended.Run(), kIdCancel);
    EXPECT_FALSE(ended.isVisible());
}

QRect InDialog(const QDialog& dialog, const QWidget* widget)
{
    return QRect(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
}

TEST(QtDialog, LaysTheGridOutReadably)
{
    ProbeLogic logic;
    QtDialog dialog(logic);
    dialog.Open();
    dialog.show();
    QApplication::processEvents();
    if (const QString folder = qEnvironmentVariable("KALENDRA_SHOT_DIR"); !folder.isEmpty())
        dialog.grab().save(folder + QStringLiteral("/dialog.png"));

    // The labels of the first column share their left edge and stand left of their controls,
    // level with them.
    std::vector<QLabel*> labels;
    for (QLabel* label : dialog.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        labels.push_back(label);
    ASSERT_EQ(labels.size(), 6u);
    for (const QLabel* label : labels)
        EXPECT_EQ(InDialog(dialog, label).left(), InDialog(dialog, labels.front()).left());
    const QRect nameLabel = InDialog(dialog, dialog.Control(kNameLabel));
    const QRect name = InDialog(dialog, dialog.Control(kName));
    EXPECT_LT(nameLabel.right(), name.left());
    EXPECT_GE(nameLabel.center().y(), name.top());
    EXPECT_LE(nameLabel.center().y(), name.bottom());

    // Edits take about two dozen characters, lists eight rows.
    const int characterWidth = dialog.Control(kName)->fontMetrics().averageCharWidth();
    EXPECT_GE(name.width(), 24 * characterWidth);
    EXPECT_GE(dialog.Control(kPassword)->width(), 24 * characterWidth);
    const QWidget* list = dialog.Control(kList);
    EXPECT_GE(list->height(), 8 * list->fontMetrics().height());

    // No control covers another, all are inside the dialog, and the button row is below them all.
    std::vector<QRect> cells;
    for (const int id : { kName, kPassword, kMemo, kPlace, kGenre, kRepeatBox, kList, kAdd, kMorning, kEvening })
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
    EXPECT_GT(InDialog(dialog, dialog.Control(kAdd)).left(), InDialog(dialog, list).right());

    // Inside the group box its own grid keeps the resource's columns.
    EXPECT_LT(InDialog(dialog, dialog.Control(kDaily)).right(), InDialog(dialog, dialog.Control(kWeekly)).left());
    EXPECT_GT(InDialog(dialog, dialog.Control(kWeekdaysOnly)).top(), InDialog(dialog, dialog.Control(kDaily)).bottom());
}

} // namespace
} // namespace kal
