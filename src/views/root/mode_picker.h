#pragma once

#include "store/content_mode.h"
#include "views/root/root_view_style.h"

#include <QList>
#include <QVariantAnimation>
#include <QWidget>

class QAbstractButton;

// The segmented picker of the two pages. One white pill marks the current page and slides
// to the other segment when the page changes, wherever the change came from.
class ModePicker : public QWidget
{
    Q_OBJECT
public:
    explicit ModePicker(const ModePickerStyle &style, QWidget *parent = nullptr);

    ContentMode mode() const { return m_mode; }
    void setMode(ContentMode mode, bool animated);
    QAbstractButton *segment(ContentMode mode) const;
    // The pill's place: 0 on the first segment, 1 on the second.
    double pillPosition() const { return m_pillPosition; }
    bool isSliding() const { return m_slide.state() == QAbstractAnimation::Running; }

    QSize sizeHint() const override;

signals:
    // A segment was pressed, also the one already selected.
    void segmentPressed(ContentMode mode);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect trackRect() const;
    QRectF pillRect() const;
    void layoutSegments();

    ModePickerStyle m_style;
    ContentMode m_mode = ContentMode::notes;
    QList<QAbstractButton *> m_segments;
    double m_pillPosition = 0;
    QVariantAnimation m_slide;
};
