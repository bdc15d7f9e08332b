#pragma once

#include <QColor>
#include <QFrame>
#include <QWidget>
#include <vector>

class QGridLayout;
class QLabel;
class QVBoxLayout;

// A round lamp: the LED of the indicator, the red markers of switched-on blocks and the working
// marker of the result. A lamp that is out is not drawn at all, but keeps its place in the layout.
class TLamp : public QWidget {
    Q_OBJECT
public:
    TLamp(const QColor& Colour, int Diameter, QWidget* parent = nullptr);
    bool Lit() const { return FLit; }
    void SetLit(bool On);
    // Out, the lamp leaves a faint ring where it sits (the LED's place on the indicator).
    void SetSocket(bool On) { FSocket = On; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor FColour;
    int FDiameter;
    bool FLit = false;
    bool FSocket = false;
};

// One block of the signal chain: a framed box with its caption on top, its contents, and its button
// at the bottom.
class TChainBlock : public QFrame {
    Q_OBJECT
public:
    explicit TChainBlock(QWidget* parent = nullptr);
    QLabel* Caption = nullptr;
    // Where the block's contents go, between the caption and the button row.
    QVBoxLayout* Contents = nullptr;
    QVBoxLayout* Buttons = nullptr;
};

// The picture of an analog input's signal chain: blocks in a grid, joined in chain order by arrows
// drawn in the gaps. A link to a block of the next row runs down from the block, along the gap and
// down into the next one, so the chain reads left to right, row by row. The first link can be drawn
// dashed (a source that is not always there).
class TSignalChainView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGap = 28; // room for an arrow between blocks

    explicit TSignalChainView(QWidget* parent = nullptr);
    // Places a block (or any widget) at a grid cell.
    void Place(QWidget* Widget, int Row, int Column);
    // The blocks in chain order.
    void SetChain(std::vector<QWidget*> Chain, bool FirstLinkDashed);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QGridLayout* FGrid;
    std::vector<QWidget*> FChain;
    bool FFirstDashed = false;
};
