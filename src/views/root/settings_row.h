#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QFont>

// A full-width row button of the settings card: a leading icon, a title with an optional
// second line under it, and an optional trailing chevron.
class SettingsRow : public QAbstractButton
{
    Q_OBJECT
public:
    struct Look
    {
        QString icon;
        QFont font;
        QColor color;
        QFont detailFont;
        QColor detailColor;
        int iconSize = 14;
        int verticalPadding = 10;
        bool chevron = false;
    };

    SettingsRow(const Look &look, const QString &title, QWidget *parent = nullptr);

    QString detail() const { return m_detail; }
    void setDetail(const QString &detail);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Look m_look;
    QString m_detail;
};
