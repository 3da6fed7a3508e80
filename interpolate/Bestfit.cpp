#include "Bestfit.h"

#include "MessageBoxes.h"
#include "fit/PointCollection.h"
#include "fit/ResultFormat.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const QString kMessageTitle = QStringLiteral("Best fit");

QLabel* newLabel(const QString& name, const QString& text, QWidget* parent, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLineEdit* newEdit(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(accessibleName);
    return edit;
}

// Room for about 12 digits, which is what the table is typed with.
QLineEdit* newTableEdit(const QString& name, const QString& accessibleName, QWidget* parent)
{
    QLineEdit* edit = newEdit(name, accessibleName, parent);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12 + 12);
    return edit;
}

QPushButton* newButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TmainForm::TmainForm(MessageBoxes& boxes, QDialog& aboutBox, QWidget* parent)
    : QWidget(parent), boxes_(boxes), aboutBox_(aboutBox)
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Interpolation - best fit"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(16);
    layout->addWidget(buildPointTable(), 0, Qt::AlignTop);
    layout->addWidget(buildModelAndResults(), 1, Qt::AlignTop);

    showResults(results_, fit::FormatGeneral);

    resize(489, 381);
    if (const QScreen* desktop = QGuiApplication::primaryScreen())
        move(desktop->availableGeometry().center() - rect().center());
}

QWidget* TmainForm::buildPointTable()
{
    auto* table = new QWidget(this);
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(9);

    grid->addWidget(newLabel(QStringLiteral("Label12"), QStringLiteral("Y values"), table, true),
                    0, 2, Qt::AlignHCenter);
    grid->addWidget(newLabel(QStringLiteral("Label13"), QStringLiteral("X values"), table, true),
                    0, 3, Qt::AlignHCenter);

    for (int i = 0; i < kRows; ++i) {
        const QString n = QString::number(i + 1);
        const bool usedAtStart = i < 2;
        const QString startText = i == 1 ? QStringLiteral("1") : QStringLiteral("0");

        grid->addWidget(newLabel(QStringLiteral("Label") + n, n, table), i + 1, 0,
                        Qt::AlignRight | Qt::AlignVCenter);

        marks_[i] = new QCheckBox(table);
        marks_[i]->setObjectName(QStringLiteral("CheckBox") + n);
        marks_[i]->setAccessibleName(QStringLiteral("Use row ") + n);
        marks_[i]->setChecked(usedAtStart);
        grid->addWidget(marks_[i], i + 1, 1);

        yEdits_[i] =
            newTableEdit(QStringLiteral("ValueEdit") + n, QStringLiteral("Y value ") + n, table);
        yEdits_[i]->setText(startText);
        grid->addWidget(yEdits_[i], i + 1, 2);

        xEdits_[i] =
            newTableEdit(QStringLiteral("CountsEdit") + n, QStringLiteral("X value ") + n, table);
        xEdits_[i]->setText(startText);
        grid->addWidget(xEdits_[i], i + 1, 3);
    }

    QLabel* npointsLabel = newLabel(QStringLiteral("Label11"), QStringLiteral("N.points"), table);
    npointsEdit_ = newTableEdit(QStringLiteral("NpointsEdit"), npointsLabel->text(), table);
    npointsEdit_->setReadOnly(true);
    npointsEdit_->setText(QStringLiteral("2"));
    npointsLabel->setBuddy(npointsEdit_);
    grid->setRowMinimumHeight(kRows + 1, 4);
    grid->addWidget(npointsLabel, kRows + 2, 2, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(npointsEdit_, kRows + 2, 3);
    return table;
}

QWidget* TmainForm::buildModelAndResults()
{
    auto* panel = new QWidget(this);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    column->addWidget(
        newLabel(QStringLiteral("Label14"), QStringLiteral("y = a + bx"), panel, true));

    auto* form = new QFormLayout;
    form->setVerticalSpacing(6);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const auto addResult = [&](const QString& labelName, const QString& caption,
                               const QString& editName) {
        QLabel* label = newLabel(labelName, caption, panel);
        QLineEdit* edit = newEdit(editName, caption, panel);
        label->setBuddy(edit);
        form->addRow(label, edit);
        return edit;
    };
    aEdit_ = addResult(QStringLiteral("LabelOffset"), QStringLiteral("Offset (a)"),
                       QStringLiteral("Acoeff"));
    bEdit_ = addResult(QStringLiteral("LabelSlope"), QStringLiteral("Slope (b)"),
                       QStringLiteral("Bcoeff"));
    rEdit_ = addResult(QStringLiteral("LabelR"), QStringLiteral("r"), QStringLiteral("Rcoeff"));
    varianceEdit_ = addResult(QStringLiteral("LabelVariance"), QStringLiteral("variance%"),
                              QStringLiteral("VarEdit1"));
    column->addLayout(form);
    column->addSpacing(6);

    modelList_ = new QListWidget(panel);
    modelList_->setObjectName(QStringLiteral("CalcListBox"));
    modelList_->setAccessibleName(QStringLiteral("Model"));
    for (std::string_view caption : fit::kModelCaptions)
        modelList_->addItem(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
    modelList_->setCurrentRow(static_cast<int>(fit::FitModel::Linear));
    modelList_->setFixedHeight(modelList_->sizeHintForRow(0) * modelList_->count() +
                               2 * modelList_->frameWidth() + 4);
    connect(modelList_, &QListWidget::currentRowChanged, this, &TmainForm::FunctionSelectionClick);
    column->addWidget(modelList_);
    column->addSpacing(6);

    auto* buttons = new QGridLayout;
    buttons->setSpacing(6);
    QPushButton* calc = newButton(QStringLiteral("CalcButton"), QStringLiteral("Calculate"), panel);
    QPushButton* clear = newButton(QStringLiteral("ClearButton"), QStringLiteral("Clear"), panel);
    QPushButton* about = newButton(QStringLiteral("AboutButton1"), QStringLiteral("About"), panel);
    QPushButton* exit = newButton(QStringLiteral("ExitButton"), QStringLiteral("Exit"), panel);
    buttons->addWidget(calc, 0, 0);
    buttons->addWidget(clear, 0, 1);
    buttons->addWidget(about, 1, 0);
    buttons->addWidget(exit, 1, 1);
    connect(calc, &QPushButton::clicked, this, &TmainForm::CalcButtonClick);
    connect(clear, &QPushButton::clicked, this, &TmainForm::ClearButtonClick);
    connect(about, &QPushButton::clicked, this, &TmainForm::AboutButton1Click);
    connect(exit, &QPushButton::clicked, this, &TmainForm::ExitButtonClick);
    column->addLayout(buttons);
    return panel;
}

void TmainForm::showResults(const fit::FitResults& results,
                            QString (*format)(double, const QLocale&))
{
    const QLocale locale;
    aEdit_->setText(format(results.a, locale));
    bEdit_->setText(format(results.b, locale));
    rEdit_->setText(format(results.r, locale));
    varianceEdit_->setText(format(results.variance, locale));
}

void TmainForm::CalcButtonClick()
{
    std::array<fit::RowEntry, kRows> rows;
    for (int i = 0; i < kRows; ++i)
        rows[i] = {marks_[i]->isChecked(), yEdits_[i]->text(), xEdits_[i]->text()};

    const fit::PointCollection collected = fit::CollectPoints(rows, QLocale());
    if (!collected.ok()) {
        boxes_.showException(collected.conversionError);
        return;
    }
    npointsEdit_->setText(QString::number(collected.points.size()));

    const fit::FitOutcome outcome = fit::ComputeFit(collected.points, model_);
    switch (outcome.status) {
    case fit::FitStatus::TooFewPoints:
        boxes_.ask(kMessageTitle, QMessageBox::NoIcon,
                   QStringLiteral("Configure at least 2 set of values"), QMessageBox::Ok);
        return;
    case fit::FitStatus::ArithmeticFault:
        boxes_.ask(kMessageTitle, QMessageBox::NoIcon, QStringLiteral("Interpolation error"),
                   QMessageBox::Ok);
        return;
    case fit::FitStatus::Ok:
        break;
    }
    results_ = outcome.results;
    showResults(results_, fit::FormatResult);
}

void TmainForm::FunctionSelectionClick()
{
    model_ = static_cast<fit::FitModel>(modelList_->currentRow());
}

void TmainForm::ClearButtonClick()
{
    results_ = fit::kInitialResults;
    showResults(results_, fit::FormatGeneral);
}

void TmainForm::AboutButton1Click() { aboutBox_.exec(); }

void TmainForm::ExitButtonClick() { close(); }
