#pragma once

#include <QDialog>

class QTableWidget;
class TPrTbl;

// "About": name, version and what the program is for. Closes on Esc, a double click, or when it
// loses the focus.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kVersion = "2.0.10";
    explicit TAboutForm(QWidget* parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

// The list of all measurement ranges: kind, name, limits and unit, in the current language.
class TRangesListForm : public QDialog {
    Q_OBJECT
public:
    TRangesListForm(const TPrTbl& Table, QWidget* parent = nullptr);
    QTableWidget* Grid = nullptr;
};
