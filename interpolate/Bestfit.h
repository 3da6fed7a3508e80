#pragma once

#include "fit/LeastSquares.h"

#include <QWidget>

#include <array>

class MessageBoxes;
class QCheckBox;
class QDialog;
class QLineEdit;
class QListWidget;

// The best-fit window: ten (y, x) rows with a use mark each, the model list,
// the four result fields and the Calculate, Clear, About and Exit commands.
// Controls carry the object names the tests look them up by (CheckBox1,
// ValueEdit1, CountsEdit1, NpointsEdit, Acoeff, Bcoeff, Rcoeff, VarEdit1,
// CalcListBox, CalcButton, ClearButton, AboutButton1, ExitButton, ...).
class TmainForm final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 10;

    // `boxes` and `aboutBox` must outlive the window.
    TmainForm(MessageBoxes& boxes, QDialog& aboutBox, QWidget* parent = nullptr);

    // The results of the last successful calculation (initially 0, 1, 1, 100).
    const fit::FitResults& results() const { return results_; }

private slots:
    void CalcButtonClick();
    void FunctionSelectionClick();
    void ClearButtonClick();
    void AboutButton1Click();
    void ExitButtonClick();

private:
    QWidget* buildPointTable();
    QWidget* buildModelAndResults();
    void showResults(const fit::FitResults& results, QString (*format)(double, const QLocale&));

    MessageBoxes& boxes_;
    QDialog& aboutBox_;

    std::array<QCheckBox*, kRows> marks_{};
    std::array<QLineEdit*, kRows> yEdits_{};
    std::array<QLineEdit*, kRows> xEdits_{};
    QLineEdit* npointsEdit_ = nullptr;
    QLineEdit* aEdit_ = nullptr;
    QLineEdit* bEdit_ = nullptr;
    QLineEdit* rEdit_ = nullptr;
    QLineEdit* varianceEdit_ = nullptr;
    QListWidget* modelList_ = nullptr;

    fit::FitModel model_ = fit::FitModel::Linear;
    fit::FitResults results_ = fit::kInitialResults;
};
