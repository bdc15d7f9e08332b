#include "shell/ui/Icons.h"

#include <QApplication>
#include <QPainter>
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
