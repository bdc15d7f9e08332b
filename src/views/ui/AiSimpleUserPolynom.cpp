#include "views/ui/AiSimpleUserPolynom.h"

#include "localization/AnalogInputLanguage.h"
#include "model/Helper.h"
#include "model/SimpleChannel.h"

#include <cmath>

#include "platform/ui/DialogButtons.h"
#include "platform/ui/DialogTitle.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TaiSimpleUserPolynom::TaiSimpleUserPolynom(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aiSimpleUserPolynom"));
    setModal(true);
    auto* content = new QVBoxLayout;
    FFormula = new QLabel(QStringLiteral("A*x^2 + B*x + C"), this);
    FFormula->setAlignment(Qt::AlignHCenter);
    content->addWidget(FFormula);
    auto* coefficients = new QGridLayout;
    const char* names[] = {"A:", "B:", "C:"};
    for (int i = 0; i < 3; ++i) {
        FCoefficientLabels[size_t(i)] = new QLabel(QLatin1String(names[i]), this);
        auto* edit = new QLineEdit(this);
        edit->setAlignment(Qt::AlignRight);
        CoefficientEdits[size_t(i)] = edit;
        coefficients->addWidget(FCoefficientLabels[size_t(i)], i, 0);
        coefficients->addWidget(edit, i, 1);
        connect(edit, &QLineEdit::editingFinished, this, [this, i] { CoefficientExit(i); });
    }
    coefficients->setColumnStretch(1, 1);
    content->addLayout(coefficients);
    CalibrationBox = new QCheckBox(this);
    content->addWidget(CalibrationBox);

    CalibrationPanel = new QWidget(this);
    auto* panel = new QGridLayout(CalibrationPanel);
    panel->setContentsMargins(0, 0, 0, 0);
    FRawLabel = new QLabel(CalibrationPanel);
    FMadeLabel = new QLabel(CalibrationPanel);
    FGetLabel = new QLabel(CalibrationPanel);
    panel->addWidget(FRawLabel, 0, 1);
    panel->addWidget(FMadeLabel, 0, 2);
    panel->addWidget(FGetLabel, 0, 3);
    for (int p = 0; p < 3; ++p) {
        FPointLabels[size_t(p)] = new QLabel(CalibrationPanel);
        RawEdits[size_t(p)] = new QLineEdit(CalibrationPanel);
        MadeEdits[size_t(p)] = new QLineEdit(CalibrationPanel);
        GetValueBtns[size_t(p)] = new QPushButton(QStringLiteral("←"), CalibrationPanel);
        RawEdits[size_t(p)]->setAlignment(Qt::AlignRight);
        MadeEdits[size_t(p)]->setAlignment(Qt::AlignRight);
        panel->addWidget(FPointLabels[size_t(p)], p + 1, 0);
        panel->addWidget(RawEdits[size_t(p)], p + 1, 1);
        panel->addWidget(MadeEdits[size_t(p)], p + 1, 2);
        panel->addWidget(GetValueBtns[size_t(p)], p + 1, 3);
        connect(RawEdits[size_t(p)], &QLineEdit::editingFinished, this,
                [this, p] { PointExit(p, TPolynomialCalibration::ccRaw); });
        connect(MadeEdits[size_t(p)], &QLineEdit::editingFinished, this,
                [this, p] { PointExit(p, TPolynomialCalibration::ccMade); });
        connect(GetValueBtns[size_t(p)], &QPushButton::clicked, this, [this, p] { GetValueClick(p); });
    }
    panel->setColumnStretch(1, 1);
    panel->setColumnStretch(2, 1);
    // The lock lies over the panel while the channel's output is not the raw float the calibration
    // needs; its hint says why.
    Lock = new QWidget(CalibrationPanel);
    Lock->setAutoFillBackground(true);
    QPalette shade = Lock->palette();
    QColor veil = shade.color(QPalette::Window);
    veil.setAlpha(225);
    shade.setColor(QPalette::Window, veil);
    Lock->setPalette(shade);
    auto* lockLayout = new QVBoxLayout(Lock);
    FLockText = new QLabel(Lock);
    FLockText->setWordWrap(true);
    FLockText->setAlignment(Qt::AlignCenter);
    SetTextColour(FLockText, QColor(160, 0, 0));
    lockLayout->addWidget(FLockText);
    CalibrationPanel->installEventFilter(this);
    content->addWidget(CalibrationPanel);
    CalibrationPanel->hide();
    content->addStretch(1);

    ApplyBtn = new QPushButton(this);
    CancelBtn = new QPushButton(this);
    LayOutWithButtons(this, content, ApplyBtn, CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, &TaiSimpleUserPolynom::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TaiSimpleUserPolynom::reject);
    connect(CalibrationBox, &QCheckBox::clicked, this, &TaiSimpleUserPolynom::CalibrationBoxClick);
    UpdateLanguage();
    resize(440, kClosedHeight);
}

void TaiSimpleUserPolynom::UpdateLanguage() {
    const TAiUserPolynomLanguage& t = AiUserPolynomLanguage().Texts(CurrentLanguage());
    setWindowTitle(t.Caption);
    CalibrationBox->setText(t.Calibration);
    FRawLabel->setText(t.RawValue);
    FMadeLabel->setText(t.MadeValue);
    FGetLabel->setText(t.GetValue);
    const QString points[] = {t.Point1, t.Point2, t.Point3};
    for (int p = 0; p < 3; ++p) {
        FPointLabels[size_t(p)]->setText(points[p]);
        GetValueBtns[size_t(p)]->setToolTip(t.GetValue);
    }
    FLockText->setText(t.LockHint);
    Lock->setToolTip(t.LockHint);
    ApplyBtn->setText(t.Apply);
    CancelBtn->setText(t.Cancel);
    FitToTitle(this);
}

void TaiSimpleUserPolynom::Setup(const TSimpleChannel& Channel, TValueReader ReadValue) {
    UpdateLanguage();
    setResult(Rejected);
    FReadValue = std::move(ReadValue);
    FCoefficients = Channel.Polynomial;
    const TPolynomialABC abc = AbcOf(FCoefficients);
    CoefficientEdits[0]->setText(CoefficientText(abc.A));
    CoefficientEdits[1]->setText(CoefficientText(abc.B));
    CoefficientEdits[2]->setText(CoefficientText(abc.C));
    // The calibration reads the channel's output as the raw value, so the polynomial must not be
    // applied to it and it must come as a float.
    FLocked = (Channel.Flags & (afPolynomial | afResultFormat)) != 0;
    Lock->setVisible(FLocked);
    for (int p = 0; p < 3; ++p) {
        RawEdits[size_t(p)]->setEnabled(!FLocked);
        MadeEdits[size_t(p)]->setEnabled(!FLocked);
        GetValueBtns[size_t(p)]->setEnabled(!FLocked);
    }
    FCalibration.Clear();
    for (int p = 0; p < 3; ++p) {
        RawEdits[size_t(p)]->clear();
        MadeEdits[size_t(p)]->clear();
    }
    CalibrationBox->setChecked(false);
    CalibrationPanel->hide();
    FitHeight();
}

bool TaiSimpleUserPolynom::Locked() const {
    return FLocked;
}

void TaiSimpleUserPolynom::CalibrationBoxClick() {
    CalibrationPanel->setVisible(CalibrationBox->isChecked());
    FitHeight();
}

void TaiSimpleUserPolynom::FitHeight() {
    const bool open = CalibrationBox->isChecked();
    const int want = open ? kOpenHeight : kClosedHeight;
    layout()->activate();
    const int need = open ? sizeHint().height() : minimumSizeHint().height();
    resize(width(), std::max(want, need));
}

void TaiSimpleUserPolynom::keyPressEvent(QKeyEvent* Event) {
    // Enter in an edit confirms that edit (its check runs when editing finishes); it must not also
    // press "Apply" and close the dialog with what was typed half-checked.
    if ((Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) &&
        qobject_cast<QLineEdit*>(focusWidget())) {
        Event->accept();
        return;
    }
    QDialog::keyPressEvent(Event);
}

bool TaiSimpleUserPolynom::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == CalibrationPanel && (Event->type() == QEvent::Resize || Event->type() == QEvent::Show)) {
        Lock->setGeometry(CalibrationPanel->rect());
        Lock->raise();
    }
    return QDialog::eventFilter(Watched, Event);
}

QLineEdit* TaiSimpleUserPolynom::PointEdit(int Point, int Column) const {
    return Column == TPolynomialCalibration::ccRaw ? RawEdits[size_t(Point)] : MadeEdits[size_t(Point)];
}

void TaiSimpleUserPolynom::CoefficientExit(int Index) {
    if (FChecking)
        return;
    QLineEdit* edit = CoefficientEdits[size_t(Index)];
    const auto value = CoefficientOf(edit->text());
    if (!value) {
        const TAiUserPolynomLanguage& t = AiUserPolynomLanguage().Texts(CurrentLanguage());
        const QString texts[] = {t.MsgIncorrectA, t.MsgIncorrectB, t.MsgIncorrectC};
        FChecking = true;
        ShowMessage(this, OnMessage, texts[Index]);
        FChecking = false;
        edit->setFocus();
        edit->selectAll();
        return;
    }
    if (edit->text().trimmed().isEmpty())
        edit->setText(QStringLiteral("0"));
}

void TaiSimpleUserPolynom::PointExit(int Point, int Column) {
    if (FChecking)
        return;
    QLineEdit* edit = PointEdit(Point, Column);
    const QString text = edit->text().trimmed();
    const auto column = TPolynomialCalibration::TColumn(Column);
    if (text.isEmpty()) {
        FCalibration.Set(Point, column, std::nullopt);
        return;
    }
    const auto value = ParseFloat(text);
    if (!value || !std::isfinite(*value)) {
        FCalibration.Set(Point, column, std::nullopt);
        const TAiUserPolynomLanguage& t = AiUserPolynomLanguage().Texts(CurrentLanguage());
        const QString columns[] = {t.RawValue, t.MadeValue};
        const QString points[] = {t.Point1, t.Point2, t.Point3};
        FChecking = true;
        ShowMessage(this, OnMessage, t.MsgIncorrectValue.arg(columns[Column], points[Point]));
        FChecking = false;
        edit->setFocus();
        edit->selectAll();
        return;
    }
    FCalibration.Set(Point, column, *value);
    Recompute();
}

void TaiSimpleUserPolynom::GetValueClick(int Point) {
    if (!FReadValue)
        return;
    const TValueRead read = FReadValue();
    if (!read.Done)
        return;
    if (!read.Ok) {
        ShowMessage(this, OnMessage, AiUserPolynomLanguage().Texts(CurrentLanguage()).MsgDataReadingError);
        return;
    }
    RawEdits[size_t(Point)]->setText(FloatToTrimmedText(QStringLiteral("0.0000000"), read.Value));
    FCalibration.Set(Point, TPolynomialCalibration::ccRaw, double(read.Value));
    Recompute();
}

void TaiSimpleUserPolynom::Recompute() {
    std::array<double, 3> abc{};
    switch (FCalibration.Compute(abc)) {
    case TPolynomialCalibration::crIncomplete:
        return;
    case TPolynomialCalibration::crEqualRaw:
        FChecking = true;
        ShowMessage(this, OnMessage, AiUserPolynomLanguage().Texts(CurrentLanguage()).MsgIncorrectRaw);
        FChecking = false;
        return;
    case TPolynomialCalibration::crDone:
        for (int i = 0; i < 3; ++i)
            CoefficientEdits[size_t(i)]->setText(CoefficientText(abc[size_t(i)]));
        return;
    }
}

void TaiSimpleUserPolynom::accept() {
    TPolynomialABC abc;
    abc.A = TextToFloat(CoefficientEdits[0]->text());
    abc.B = TextToFloat(CoefficientEdits[1]->text());
    abc.C = TextToFloat(CoefficientEdits[2]->text());
    FCoefficients = PolynomialOf(abc);
    QDialog::accept();
}
