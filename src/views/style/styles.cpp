#include "views/style/styles.h"

#include "views/style/fonts.h"

ButtonStyle ButtonStyle::primary()
{
    ButtonStyle style;
    style.font = Fonts::ui(13, QFont::Medium);
    style.text = Palette::kPrimaryButtonText;
    style.fill = Palette::accent();
    style.fillPressed = Palette::accent(0.78);
    return style;
}

ButtonStyle ButtonStyle::secondary()
{
    ButtonStyle style;
    style.font = Fonts::ui(13, QFont::Medium);
    style.text = Palette::kSecondaryButtonText;
    style.fill = Palette::white(0.62);
    style.fillPressed = Palette::white(0.42);
    style.rim = Palette::white(0.72);
    style.rimWidth = 0.8;
    return style;
}

ToggleSwitchStyle ToggleSwitchStyle::standard()
{
    ToggleSwitchStyle style;
    style.trackOn = Palette::accent();
    return style;
}

QEasingCurve EdgeTabStyle::easeOut()
{
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0, 0), QPointF(0.58, 1), QPointF(1, 1));
    return curve;
}

SearchFieldStyle SearchFieldStyle::standard()
{
    SearchFieldStyle style;
    style.font = Fonts::ui(14);
    return style;
}
