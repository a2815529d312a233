#include "views/style/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace {

void applySize(QFont &font, double pixelSize)
{
    if (std::abs(pixelSize - std::round(pixelSize)) < 0.01) {
        font.setPixelSize(int(std::round(pixelSize)));
        return;
    }
    double dpi = 96.0;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        dpi = screen->logicalDotsPerInchY();
    font.setPointSizeF(pixelSize * 72.0 / dpi);
}

QFont withFamilies(QFont font, double pixelSize, QFont::Weight weight)
{
    const QString primary = font.family();
    QStringList families{primary};
    if (primary != QLatin1String(Fonts::kChineseFamily))
        families << QString::fromLatin1(Fonts::kChineseFamily);
    font.setFamilies(families);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    applySize(font, pixelSize);
    return font;
}

} // namespace

namespace Fonts {

QFont ui(double pixelSize, QFont::Weight weight)
{
    return withFamilies(QFontDatabase::systemFont(QFontDatabase::GeneralFont), pixelSize, weight);
}

QFont mono(double pixelSize, QFont::Weight weight)
{
    // The system's fixed font is usually the fontconfig alias "monospace", which Qt resolves
    // only when no listed family exists: listed before the SC family it would lose to it and
    // the text would be proportional. The family it resolves to goes first instead.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFamily(QFontInfo(fixed).family());
    QFont font = withFamilies(fixed, pixelSize, weight);
    font.setFixedPitch(true);
    return font;
}

QFont rounded(double pixelSize, QFont::Weight weight)
{
    return ui(pixelSize, weight);
}

} // namespace Fonts
