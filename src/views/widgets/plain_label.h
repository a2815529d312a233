#pragma once

#include <QString>

class QColor;
class QFont;
class QLabel;
class QWidget;

// A label that always shows its text literally (Qt::PlainText): note names, folder paths and
// status lines must never be read as HTML.
QLabel *makePlainLabel(const QString &text, const QFont &font, const QColor &color, QWidget *parent);
