#include "views/style/fonts.h"

#include <QFontDatabase>
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
    return withFamilies(QFontDatabase::systemFont(QFontDatabase::FixedFont), pixelSize, weight);
}

QFont rounded(double pixelSize, QFont::Weight weight)
{
    return ui(pixelSize, weight);
}

} // namespace Fonts
