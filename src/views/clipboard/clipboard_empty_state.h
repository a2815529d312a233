#pragma once

#include "views/clipboard/clip_styles.h"

#include <QWidget>

class IconLabel;
class QLabel;

// What the page shows instead of the list when no entry matches: an icon, a title and a
// subtitle that depend only on whether a search text is set.
class ClipboardEmptyState : public QWidget
{
    Q_OBJECT
public:
    explicit ClipboardEmptyState(QWidget *parent = nullptr, EmptyStateStyle style = EmptyStateStyle::standard());

    void setSearching(bool searching);
    QString symbol() const { return m_symbol; }
    QString title() const;
    QString subtitle() const;

private:
    EmptyStateStyle m_style;
    QString m_symbol;
    IconLabel *m_icon;
    QLabel *m_title;
    QLabel *m_subtitle;
};
