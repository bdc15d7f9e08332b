#include "shell/ui/AuxWindows.h"

#include "model/Helper.h"
#include "model/Ranges.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    auto* text = new QLabel(this);
    text->setText(QStringLiteral("<h3>ZUVO Dovuvavarovod</h3><p>Version %1</p>"
                                 "<p>Service tool for KVD input/output modules on RS-485 buses: finds the "
                                 "devices on a serial line or behind a UDP gateway, reads and changes their "
                                 "settings, watches values and emulates a bus of devices.</p>")
                      .arg(QLatin1String(kVersion)));
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    resize(360, 180);
}

void TAboutForm::mouseDoubleClickEvent(QMouseEvent*) {
    close();
}

void TAboutForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        close();
}

TRangesListForm::TRangesListForm(const TPrTbl& Table, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RangesListForm"));
    setWindowTitle(QStringLiteral("Ranges"));
    Grid = new QTableWidget(Table.Count(), 6, this);
    Grid->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Code"), QStringLiteral("Range"),
                                     QStringLiteral("Low"), QStringLiteral("High"), QStringLiteral("Unit")});
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    for (int r = 0; r < Table.Count(); ++r) {
        const TPrTblRecord* rec = Table.Items(r);
        const QStringList cells = {rec->ParameterName,
                                   QString::number(rec->Code),
                                   rec->Description,
                                   FloatToTrimmedText(QStringLiteral("0.######"), rec->Low),
                                   FloatToTrimmedText(QStringLiteral("0.######"), rec->High),
                                   rec->Unit};
        for (int c = 0; c < cells.size(); ++c)
            Grid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    Grid->resizeColumnsToContents();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid);
    resize(620, 480);
}
