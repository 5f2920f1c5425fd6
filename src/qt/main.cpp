#include "qt/CanvasWidget.h"
#include "qt/InstanceGuard.h"
#include "qt/QtConvert.h"
#include "qt/QtFonts.h"
#include "qt/QtTexts.h"
#include "qt/QtUi.h"

#include <QApplication>
#include <QMainWindow>

namespace {

using namespace kal;

// Stands in for the month and day views until they move into the window.
void PaintSample(Canvas& canvas, Size size)
{
    constexpr Colour kWhite = MakeColour(255, 255, 255);
    constexpr Colour kTitle = MakeColour(0, 0, 128);
    canvas.FillRect(Rect { 0, 0, size.width, size.height }, kWhite);
    canvas.FillRect(Rect { 0, 0, size.width, 40 }, kTitle);

    LogFont font;
    font.faceName = u"ＭＳ Ｐゴシック";
    font.point = 14;
    font.weight = 700;
    canvas.SelectFont(font);
    canvas.SetBackground(BackgroundMode::Transparent, kWhite);
    canvas.SetTextColour(kWhite);
    canvas.DrawText(Rect { 0, 0, size.width, 40 }, u"2026年 12月",
        textflag::kCentre | textflag::kVerticalCentre | textflag::kSingleLine | textflag::kNoPrefix);

    static constexpr std::u16string_view kWeekdays[] = { u"日", u"月", u"火", u"水", u"木", u"金", u"土" };
    font.point = 10;
    font.weight = 400;
    canvas.SelectFont(font);
    canvas.SetPen(MakeColour(0, 0, 0), 1);
    const int cell = size.width / 7;
    for (int day = 0; day < 7; ++day) {
        const Rect box { day * cell, 40, (day + 1) * cell, 64 };
        canvas.SetTextColour(day == 0 ? MakeColour(255, 0, 0) : day == 6 ? MakeColour(0, 0, 255) : 0);
        canvas.DrawText(box, kWeekdays[day], textflag::kCentre | textflag::kVerticalCentre | textflag::kSingleLine);
        canvas.Line(Point { box.left, 40 }, Point { box.left, size.height });
    }
    canvas.Line(Point { 0, 64 }, Point { size.width, 64 });
    canvas.SetTextColour(0);
    canvas.TextOut(Point { 8, 76 }, u"Kalendra for Linux — スケジュール管理");
    canvas.DrawImage(Point { 8, 104 }, LinkMark::PaperClip());
    canvas.TextOut(Point { 20, 104 }, u"リンク付きの予定");
    canvas.Ellipse(Rect { 8, 130, 24, 146 }, MakeColour(255, 200, 0));
    canvas.FocusRect(Rect { 4, 100, 200, 122 });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Zentrik"));
    QApplication::setApplicationName(QStringLiteral("Kalendra"));
    QApplication::setFont(InterfaceFont(QApplication::font().pointSize()));

    const QStringList arguments = QApplication::arguments();
    InstanceGuard guard;
    if (!guard.TryBecomePrimary(arguments.size() > 1 ? FromQString(arguments[1]) : std::u16string {}))
        return 0;

    QtUi ui;
    Ui::Install(&ui);

    QMainWindow window;
    window.setWindowTitle(ToQString(qttext::kProgramCaption));
    window.setCentralWidget(new CanvasWidget(&PaintSample, &window));
    window.resize(640, 480);
    ui.SetMainWindow(&window);
    guard.SetMessageHandler([&window](const std::u16string&) {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();

    const int result = QApplication::exec();
    Ui::Install(nullptr);
    return result;
}
