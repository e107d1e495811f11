// An indicator light with a caption ("SML Open", "WAV Open").
#pragma once

#include <QColor>
#include <QWidget>

class QLabel;

// A round light (lit: bright green; off: dark green) followed by its caption.
class TIndicatorLight : public QWidget
{
    Q_OBJECT

public:
    explicit TIndicatorLight(const QString &caption, QWidget *parent = nullptr);

    bool Lit() const { return FLit; }
    void SetLit(bool lit);
    QString Caption() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int Diameter() const;

    QLabel *FCaption;
    bool FLit = false;
};
