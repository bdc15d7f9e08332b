#include "shell/ui/Icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

QIcon ToolIcon(TToolIcon Which) {
    QStyle* s = QApplication::style();
    switch (Which) {
    case TToolIcon::Exit:
        return s->standardIcon(QStyle::SP_DialogCloseButton);
    case TToolIcon::AccessPoint:
        return s->standardIcon(QStyle::SP_DriveNetIcon);
    case TToolIcon::Connect:
        return s->standardIcon(QStyle::SP_MediaPlay);
    case TToolIcon::Search:
        return s->standardIcon(QStyle::SP_FileDialogContentsView);
    case TToolIcon::Settings:
        return s->standardIcon(QStyle::SP_FileDialogDetailedView);
    case TToolIcon::GroupSettings:
        return s->standardIcon(QStyle::SP_FileDialogListView);
    case TToolIcon::Applications:
        return s->standardIcon(QStyle::SP_DesktopIcon);
    case TToolIcon::Oscilloscope:
        return s->standardIcon(QStyle::SP_ComputerIcon);
    case TToolIcon::Emulator:
        return s->standardIcon(QStyle::SP_DriveFDIcon);
    case TToolIcon::About:
        return s->standardIcon(QStyle::SP_MessageBoxInformation);
    case TToolIcon::Help:
        return s->standardIcon(QStyle::SP_DialogHelpButton);
    case TToolIcon::Ranges:
        return s->standardIcon(QStyle::SP_FileDialogInfoView);
    case TToolIcon::ConnectionTest:
        return s->standardIcon(QStyle::SP_BrowserReload);
    case TToolIcon::Mode:
        return s->standardIcon(QStyle::SP_TitleBarNormalButton);
    }
    return {};
}

QIcon FamilyIcon(int Family) {
    struct TBadge {
        const char* Text;
        QColor Colour;
    };
    static const TBadge badges[] = {
        {"?", QColor(150, 150, 150)}, {"AI", QColor(40, 110, 200)}, {"AO", QColor(30, 150, 120)},
        {"DI", QColor(200, 130, 30)}, {"DO", QColor(170, 60, 60)},
    };
    const TBadge& b = badges[Family >= 0 && Family <= 4 ? Family : 0];
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(b.Colour);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(b.Text));
    return QIcon(pixmap);
}

QImage ProgramIconImage(int Size) {
    // Drawn on a 64-unit grid and scaled: a module on a DIN rail with its terminals and a live
    // signal on its front, on a blue tile. No text, so it renders without fonts or a display.
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Size / 64.0, Size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 78, 150));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 11, 11);
    // The rail behind the module.
    p.setBrush(QColor(160, 175, 195));
    p.drawRect(QRectF(6, 29, 52, 6));
    // The module.
    p.setBrush(QColor(245, 247, 250));
    p.drawRoundedRect(QRectF(14, 10, 36, 44), 4, 4);
    // Terminals, top and bottom.
    p.setBrush(QColor(70, 80, 95));
    for (int i = 0; i < 4; ++i) {
        p.drawEllipse(QRectF(17.5 + i * 8, 13, 5, 5));
        p.drawEllipse(QRectF(17.5 + i * 8, 46, 5, 5));
    }
    // The signal on its front.
    QPainterPath wave;
    wave.moveTo(17, 32);
    wave.cubicTo(22, 20, 27, 20, 32, 32);
    wave.cubicTo(37, 44, 42, 44, 47, 32);
    QPen pen(QColor(20, 160, 80), 3.2);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : kProgramIconSizes)
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}
