#include "shell/ui/AuxWindows.h"

#include "localization/LanguageTables.h"
#include "model/Helper.h"
#include "model/Ranges.h"

#include "platform/ui/DialogTitle.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.AboutCaption);
    FitToTitle(this);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setText(QStringLiteral("<h3>%1</h3><p>%2</p><p>%3</p>")
                      .arg(t.Title.toHtmlEscaped(),
                           t.AboutVersion.arg(QLatin1String(kVersion)).toHtmlEscaped(),
                           t.AboutText.toHtmlEscaped()));
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
    const TMainUnitLanguage& t = MainUnitLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.RangesCaption);
    FitToTitle(this);
    Grid = new QTableWidget(Table.Count(), 6, this);
    Grid->setHorizontalHeaderLabels(
        {t.RangesParameter, t.RangesCode, t.RangesRange, t.RangesLow, t.RangesHigh, t.RangesUnit});
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
