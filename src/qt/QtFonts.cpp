#include "qt/QtFonts.h"

#include "qt/QtConvert.h"
#include "ui/Canvas.h"

#include <QFontDatabase>
#include <QHash>

#include <algorithm>
#include <initializer_list>

namespace kal {

namespace {

QString FirstInstalled(std::initializer_list<const char16_t*> candidates)
{
    for (const char16_t* candidate : candidates) {
        const QString family = QString::fromUtf16(candidate);
        if (QFontDatabase::hasFamily(family))
            return family;
    }
    return {};
}

QString LatinSansFamily()
{
    QString family = FirstInstalled({ u"Liberation Sans", u"Arimo", u"Noto Sans", u"DejaVu Sans" });
    return family.isEmpty() ? JapaneseGothicFamily() : family;
}

enum class Substitute { ProportionalGothic, MonoGothic, LatinSans };

Substitute SubstituteFor(std::u16string_view faceName)
{
    static constexpr std::u16string_view kMono[] = { u"ＭＳ ゴシック", u"MS Gothic" };
    static constexpr std::u16string_view kLatin[] = { u"Arial", u"Tahoma", u"Helvetica", u"Verdana" };
    if (std::find(std::begin(kMono), std::end(kMono), faceName) != std::end(kMono))
        return Substitute::MonoGothic;
    if (std::find(std::begin(kLatin), std::end(kLatin), faceName) != std::end(kLatin))
        return Substitute::LatinSans;
    return Substitute::ProportionalGothic;
}

} // namespace

QString JapaneseGothicFamily()
{
    static const QString family = FirstInstalled({ u"Noto Sans CJK JP", u"IPAPGothic", u"IPAGothic",
        u"Noto Sans Mono CJK JP", u"VL PGothic", u"Takao PGothic" });
    return family;
}

QString JapaneseMonoGothicFamily()
{
    static const QString family
        = FirstInstalled({ u"Noto Sans Mono CJK JP", u"IPAGothic", u"VL Gothic", u"Takao Gothic" });
    return family.isEmpty() ? JapaneseGothicFamily() : family;
}

QString InstalledFamilyFor(std::u16string_view faceName)
{
    // Views select a font for every entry they draw: look each face up once.
    static QHash<QString, QString> resolved;
    const QString face = ToQString(faceName);
    const auto known = resolved.constFind(face);
    if (known != resolved.constEnd())
        return *known;

    QString family;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face))
        family = face;
    else {
        switch (SubstituteFor(faceName)) {
        case Substitute::MonoGothic:
            family = JapaneseMonoGothicFamily();
            break;
        case Substitute::LatinSans:
            family = LatinSansFamily();
            break;
        case Substitute::ProportionalGothic:
            family = JapaneseGothicFamily();
            break;
        }
    }
    resolved.insert(face, family);
    return family;
}

QFont ToQFont(const LogFont& font, int pixelsPerInch)
{
    QFont result(InstalledFamilyFor(font.faceName));
    result.setStyleHint(QFont::SansSerif);
    result.setPixelSize(std::max(1, FontPixelHeight(font, pixelsPerInch)));
    // 0 leaves the weight to the font, which is its normal weight.
    const int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 100, 900);
    result.setWeight(static_cast<QFont::Weight>(weight));
    result.setItalic(font.italic != 0);
    result.setUnderline(font.underline != 0);
    result.setStrikeOut(font.strikeOut);
    return result;
}

QFont InterfaceFont(int pointSize)
{
    QFont font(JapaneseGothicFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(pointSize);
    return font;
}

} // namespace kal
