#include "options/ui/DtContainerDlg.h"

#include "localization/AppsLanguage.h"
#include "options/RegistryContainer.h"
#include "platform/ui/DialogTitle.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kValueRole = Qt::UserRole + 1;
constexpr int kCategoryRole = Qt::UserRole + 2;

// The mark of a value that differs from the store: a small filled dot.
QIcon ModifiedIcon() {
    static const QIcon icon = [] {
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(200, 40, 40));
        p.setPen(Qt::NoPen);
        p.drawEllipse(2, 2, 8, 8);
        return QIcon(pm);
    }();
    return icon;
}

const TAppsLanguage& Texts() {
    return AppsLanguage().Texts(CurrentLanguage());
}

} // namespace

TDtContainerDlg::TDtContainerDlg(TDataContainer& Container, QWidget* parent)
    : QDialog(parent), FContainer(Container) {
    const TAppsLanguage& t = Texts();
    setWindowTitle(Container.Description);

    auto* menu = new QMenuBar(this);
    // Text rather than an icon alone: a menu bar shows only the icon of an action that has one,
    // and a lone picture does not say what it resets.
    actSetDefault = menu->addAction(t.EditorSetDefault);
    connect(actSetDefault, &QAction::triggered, this, &TDtContainerDlg::SetDefaultExecute);
    // "Exit" is a shortcut only, not on the menu bar.
    actExit = new QAction(t.EditorExit, this);
    actExit->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(actExit);
    connect(actExit, &QAction::triggered, this, &QDialog::reject);

    auto* tools = new QWidget(this);
    tools->setFixedWidth(250);
    auto* toolsLayout = new QVBoxLayout(tools);
    toolsLayout->setContentsMargins(0, 0, 0, 0);
    CategoryHeader = new QLabel(t.EditorCategory, tools);
    CategoryHeader->setFrameShape(QFrame::StyledPanel);
    CategoryHeader->setAutoFillBackground(true);
    CategoryHeader->setBackgroundRole(QPalette::Mid);
    CategoryHeader->setMargin(3);
    CategoryList = new QListWidget(tools);
    toolsLayout->addWidget(CategoryHeader);
    toolsLayout->addWidget(CategoryList);
    connect(CategoryList, &QListWidget::currentRowChanged, this, [this] { FillValues(); });

    ValueList = new QTreeWidget(this);
    ValueList->setRootIsDecorated(false);
    ValueList->setUniformRowHeights(true);
    ValueList->installEventFilter(this);
    connect(ValueList, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });

    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(tools);
    layout->addWidget(ValueList, 1);
    resize(250 + 200 + 250 + 130 + 40, 360);

    OnInput = [this](const QString& Title, const QString& Prompt, QString& Text) {
        bool ok = false;
        const QString typed = QInputDialog::getText(this, Title, Prompt, QLineEdit::Normal, Text, &ok);
        if (ok)
            Text = typed;
        return ok;
    };
    OnConfirm = [this](const QString& Text) {
        return QMessageBox::question(this, windowTitle(), Text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    };
    OnMessage = [this](const QString& Text) { QMessageBox::critical(this, windowTitle(), Text); };
}

bool TDtContainerDlg::Execute() {
    FContainer.Load();
    FillCategories();
    FitToTitle(this);
    exec();
    QString error;
    if (FContainer.Save(&error))
        return true;
    OnMessage(Texts().MsgSaveFailed.arg(error));
    return false;
}

void TDtContainerDlg::FillCategories() {
    struct TEntry {
        QString Text;
        TRegValueCategory* Category;
    };
    std::vector<TEntry> entries;
    for (TRegValueCategory* c : FContainer.Categories())
        entries.push_back({c->Caption, c});
    entries.push_back({Texts().EditorAll, nullptr});
    std::stable_sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
        return QString::localeAwareCompare(a.Text, b.Text) < 0;
    });
    const QSignalBlocker block(CategoryList);
    CategoryList->clear();
    int allRow = 0;
    for (const TEntry& e : entries) {
        auto* item = new QListWidgetItem(e.Text, CategoryList);
        item->setData(kCategoryRole, QVariant::fromValue(static_cast<void*>(e.Category)));
        if (!e.Category)
            allRow = CategoryList->count() - 1;
    }
    // "(All Parameters)" first: the whole picture before the user narrows it down.
    CategoryList->setCurrentRow(allRow);
    FillValues();
}

void TDtContainerDlg::FillValues() {
    const TAppsLanguage& t = Texts();
    ValueList->clear();
    QListWidgetItem* entry = CategoryList->currentItem();
    if (!entry)
        return;
    auto* category = static_cast<TRegValueCategory*>(entry->data(kCategoryRole).value<void*>());
    const int valueColumn = category ? 1 : 2;
    if (category) {
        ValueList->setHeaderLabels({t.EditorParameter, t.EditorValue});
        for (TRegistryValueShell* v : FContainer.Values())
            if (v->Visible && v->Category == category) {
                auto* item = new QTreeWidgetItem(ValueList);
                item->setText(0, v->Caption);
                ShowRow(item, v);
            }
        ValueList->sortItems(0, Qt::AscendingOrder);
        ValueList->setColumnWidth(0, 250);
    } else {
        ValueList->setHeaderLabels({t.EditorCategory, t.EditorParameter, t.EditorValue});
        for (TRegValueCategory* c : FContainer.Categories()) {
            bool first = true;
            for (TRegistryValueShell* v : FContainer.Values())
                if (v->Visible && v->Category && v->Category->Caption == c->Caption) {
                    auto* item = new QTreeWidgetItem(ValueList);
                    if (first)
                        item->setText(0, c->Caption);
                    first = false;
                    item->setText(1, v->Caption);
                    ShowRow(item, v);
                }
        }
        ValueList->setColumnWidth(0, 200);
        ValueList->setColumnWidth(1, 250);
    }
    // Wide enough for the longest value (a folder), never narrower than 130.
    ValueList->resizeColumnToContents(valueColumn);
    ValueList->setColumnWidth(valueColumn, qMax(130, ValueList->columnWidth(valueColumn) + 12));
    const int wanted = 250 + 40 + (category ? 0 : 200) + 250 + ValueList->columnWidth(valueColumn);
    if (width() < wanted && isVisible() == false)
        resize(wanted, height());
    ValueList->headerItem()->setTextAlignment(valueColumn, Qt::AlignCenter);
    if (ValueList->topLevelItemCount() > 0)
        ValueList->setCurrentItem(ValueList->topLevelItem(0));
}

void TDtContainerDlg::ShowRow(QTreeWidgetItem* Item, TRegistryValueShell* Value) {
    const int column = ValueList->columnCount() - 1;
    Item->setData(0, kValueRole, QVariant::fromValue(static_cast<void*>(Value)));
    Item->setText(column, Value->AsString());
    Item->setTextAlignment(column, Qt::AlignCenter);
    Item->setIcon(0, Value->Modified() ? ModifiedIcon() : QIcon());
}

TRegistryValueShell* TDtContainerDlg::ValueOf(QTreeWidgetItem* Item) const {
    return Item ? static_cast<TRegistryValueShell*>(Item->data(0, kValueRole).value<void*>()) : nullptr;
}

void TDtContainerDlg::EditSelected() {
    QTreeWidgetItem* item = ValueList->currentItem();
    TRegistryValueShell* value = ValueOf(item);
    if (!value)
        return;
    if (value->UserEditor && value->OnUserEditor) {
        bool continueStd = false;
        value->OnUserEditor(continueStd);
        if (!continueStd) {
            ShowRow(item, value);
            return;
        }
    }
    const TAppsLanguage& t = Texts();
    QString text = value->AsString();
    if (OnInput(value->Descriptor, t.EditorPrompt, text) && !value->SetFromText(text))
        OnMessage((value->DateType() == rvtInteger ? t.MsgNotInteger : t.MsgNotFloat).arg(text));
    ShowRow(item, value);
}

void TDtContainerDlg::SetDefaultExecute() {
    if (!OnConfirm(Texts().EditorSetDefaultAsk))
        return;
    FContainer.ResetDefaults();
    FillValues();
}

bool TDtContainerDlg::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == ValueList && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            EditSelected();
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

bool TDataContainerDialog::Execute(QWidget* Parent) {
    if (!DataContainer)
        return true;
    TDtContainerDlg dlg(*DataContainer, Parent);
    if (OnCreated)
        OnCreated(dlg);
    return dlg.Execute();
}
