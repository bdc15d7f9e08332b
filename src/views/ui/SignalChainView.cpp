#include "views/ui/SignalChainView.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

TLamp::TLamp(const QColor& Colour, int Diameter, QWidget* parent)
    : QWidget(parent), FColour(Colour), FDiameter(Diameter) {
    setFixedSize(sizeHint());
}

void TLamp::SetLit(bool On) {
    if (FLit == On)
        return;
    FLit = On;
    update();
}

QSize TLamp::sizeHint() const {
    return {FDiameter + 2, FDiameter + 2};
}

void TLamp::paintEvent(QPaintEvent*) {
    if (!FLit && !FSocket)
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!FLit) {
        p.setPen(QPen(palette().color(QPalette::Mid), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(1, 1, FDiameter, FDiameter));
        return;
    }
    QRadialGradient glow(QPointF(width() * 0.4, height() * 0.4), FDiameter * 0.6);
    glow.setColorAt(0, FColour.lighter(160));
    glow.setColorAt(1, FColour);
    p.setBrush(glow);
    p.setPen(QPen(FColour.darker(150), 1));
    p.drawEllipse(QRectF(1, 1, FDiameter, FDiameter));
}

TChainBlock::TChainBlock(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    Caption = new QLabel(this);
    Caption->setAlignment(Qt::AlignHCenter);
    QFont bold = Caption->font();
    bold.setBold(true);
    Caption->setFont(bold);
    layout->addWidget(Caption);
    Contents = new QVBoxLayout;
    Contents->setSpacing(3);
    layout->addLayout(Contents);
    layout->addStretch(1);
    Buttons = new QVBoxLayout;
    Buttons->setSpacing(3);
    layout->addLayout(Buttons);
}

TSignalChainView::TSignalChainView(QWidget* parent) : QWidget(parent) {
    FGrid = new QGridLayout(this);
    FGrid->setContentsMargins(4, 4, 4, 4);
    FGrid->setHorizontalSpacing(kGap);
    FGrid->setVerticalSpacing(kGap);
}

void TSignalChainView::Place(QWidget* Widget, int Row, int Column) {
    FGrid->addWidget(Widget, Row, Column);
    FGrid->setColumnStretch(Column, 1);
}

void TSignalChainView::SetChain(std::vector<QWidget*> Chain, bool FirstLinkDashed) {
    FChain = std::move(Chain);
    FFirstDashed = FirstLinkDashed;
    update();
}

namespace {

void ArrowHead(QPainter& p, QPointF Tip, QPointF Direction) {
    const QPointF back = -Direction * 8;
    const QPointF side(-Direction.y() * 4.5, Direction.x() * 4.5);
    QPolygonF head;
    head << Tip << Tip + back + side << Tip + back - side;
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
}

} // namespace

void TSignalChainView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::WindowText);
    for (size_t i = 1; i < FChain.size(); ++i) {
        const QRect from = FChain[i - 1]->geometry();
        const QRect to = FChain[i]->geometry();
        QPen pen(ink, 1.6);
        if (i == 1 && FFirstDashed)
            pen.setStyle(Qt::DashLine);
        p.setPen(pen);
        p.setBrush(ink);
        QPainterPath path;
        QPointF tip, direction;
        if (to.top() >= from.bottom()) {
            // Down from the block, along the gap between the rows, down into the next block.
            const double midY = from.bottom() + (to.top() - from.bottom()) / 2.0;
            const QPointF start(from.center().x(), from.bottom() + 1);
            tip = QPointF(to.center().x(), to.top() - 1);
            path.moveTo(start);
            path.lineTo(start.x(), midY);
            path.lineTo(tip.x(), midY);
            path.lineTo(tip.x(), tip.y() - 7);
            direction = QPointF(0, 1);
        } else {
            const double y = (std::max(from.top(), to.top()) + std::min(from.bottom(), to.bottom())) / 2.0;
            const QPointF start(from.right() + 1, y);
            tip = QPointF(to.left() - 1, y);
            path.moveTo(start);
            path.lineTo(tip.x() - 7, y);
            direction = QPointF(1, 0);
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setBrush(ink);
        ArrowHead(p, tip, direction);
    }
}
