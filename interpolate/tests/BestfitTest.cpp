#include "AboutBox.h"
#include "Bestfit.h"
#include "RecordingMessageBoxes.h"
#include "WindowTestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const QString kAppTitle = QStringLiteral("Interpolate (best fit) experimental data");

class BestfitWindow : public ::testing::Test {
protected:
    void SetUp() override { form.show(); }

    template <typename W = QLineEdit>
    W* find(const QString& name, QWidget* root = nullptr)
    {
        W* w = (root ? root : &form)->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString& name) { return find(name)->text(); }
    void click(const QString& name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
    void setRow(int row, bool used, const QString& y, const QString& x)
    {
        const QString n = QString::number(row);
        find<QCheckBox>("CheckBox" + n)->setChecked(used);
        find("ValueEdit" + n)->setText(y);
        find("CountsEdit" + n)->setText(x);
    }
    QStringList resultTexts()
    {
        return {text("Acoeff"), text("Bcoeff"), text("Rcoeff"), text("VarEdit1")};
    }
    void selectModel(int row)
    {
        auto* list = find<QListWidget>("CalcListBox");
        const QRect item = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }

    RecordingMessageBoxes boxes;
    TAboutBox about;
    TmainForm form{boxes, about};
};

const QStringList kInitialTexts{"0", "1", "1", "100"};
const QStringList kUnitLineTexts{"0.00000000", "1.00000000", "1.00000000", "100.00000000"};

TEST_F(BestfitWindow, StartsWithRowsOneAndTwoMarkedAndTheInitialResults)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Interpolation - best fit"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), kAppTitle);
    for (int row = 1; row <= TmainForm::kRows; ++row) {
        const QString n = QString::number(row);
        const QString start = row == 2 ? "1" : "0";
        EXPECT_EQ(find<QLabel>("Label" + n)->text(), n);
        EXPECT_EQ(find<QCheckBox>("CheckBox" + n)->isChecked(), row <= 2) << row;
        EXPECT_TRUE(find<QCheckBox>("CheckBox" + n)->text().isEmpty());
        EXPECT_EQ(text("ValueEdit" + n), start) << row;
        EXPECT_EQ(text("CountsEdit" + n), start) << row;
    }
    EXPECT_EQ(text("NpointsEdit"), "2");
    EXPECT_TRUE(find("NpointsEdit")->isReadOnly());
    EXPECT_EQ(resultTexts(), kInitialTexts);
    EXPECT_EQ(form.results(), fit::kInitialResults);

    for (const char* heading : {"Label12", "Label13", "Label14"})
        EXPECT_TRUE(find<QLabel>(heading)->font().bold()) << heading;
    EXPECT_EQ(find<QLabel>("Label12")->text(), "Y values");
    EXPECT_EQ(find<QLabel>("Label13")->text(), "X values");
    EXPECT_EQ(find<QLabel>("Label14")->text(), "y = a + bx");
    EXPECT_EQ(find<QLabel>("Label11")->text(), "N.points");

    auto* list = find<QListWidget>("CalcListBox");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Linear");
    EXPECT_EQ(list->item(1)->text(), "Logaritmic");
    EXPECT_EQ(list->item(2)->text(), "Exponential");
    EXPECT_EQ(list->currentRow(), 0);

    EXPECT_EQ(find<QPushButton>("CalcButton")->text(), "Calculate");
    EXPECT_EQ(find<QPushButton>("ClearButton")->text(), "Clear");
    EXPECT_EQ(find<QPushButton>("AboutButton1")->text(), "About");
    EXPECT_EQ(find<QPushButton>("ExitButton")->text(), "Exit");
}

TEST_F(BestfitWindow, EveryControlHasAnAccessibleName)
{
    for (int row = 1; row <= TmainForm::kRows; ++row) {
        const QString n = QString::number(row);
        EXPECT_EQ(find<QCheckBox>("CheckBox" + n)->accessibleName(), "Use row " + n);
        EXPECT_EQ(find("ValueEdit" + n)->accessibleName(), "Y value " + n);
        EXPECT_EQ(find("CountsEdit" + n)->accessibleName(), "X value " + n);
    }
    const struct {
        const char* label;
        const char* field;
        const char* name;
    } labelled[]{{"Label11", "NpointsEdit", "N.points"},
                 {"LabelOffset", "Acoeff", "Offset (a)"},
                 {"LabelSlope", "Bcoeff", "Slope (b)"},
                 {"LabelR", "Rcoeff", "r"},
                 {"LabelVariance", "VarEdit1", "variance%"}};
    for (const auto& l : labelled) {
        EXPECT_EQ(find<QLabel>(l.label)->text(), l.name);
        EXPECT_EQ(find<QLabel>(l.label)->buddy(), find(l.field)) << l.label;
        EXPECT_EQ(find(l.field)->accessibleName(), l.name);
    }
    EXPECT_FALSE(find<QListWidget>("CalcListBox")->accessibleName().isEmpty());
}

TEST_F(BestfitWindow, CalculateWithoutChangesFitsTheFirstTwoRows)
{
    click("CalcButton");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(resultTexts(), kUnitLineTexts);
    EXPECT_EQ(form.results(), (fit::FitResults{0, 1, 1, 100}));
    EXPECT_EQ(text("NpointsEdit"), "2");
}

TEST_F(BestfitWindow, UsesOnlyMarkedRowsAndIgnoresTheTextsOfOthers)
{
    setRow(1, true, "2", "1");
    setRow(2, false, "not a number", "");
    setRow(3, true, "6", "3");
    setRow(7, true, "10", "5");
    click("CalcButton");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(text("NpointsEdit"), "3");
    EXPECT_EQ(resultTexts(), (QStringList{"0.00000000", "2.00000000", "1.00000000",
                                          "100.00000000"}));
}

TEST_F(BestfitWindow, ClearRestoresTheInitialResultsAndKeepsTheTable)
{
    setRow(3, true, "5", "2");
    click("CalcButton");
    ASSERT_NE(resultTexts(), kUnitLineTexts);
    click("ClearButton");
    EXPECT_EQ(resultTexts(), kInitialTexts);
    EXPECT_EQ(form.results(), fit::kInitialResults);
    EXPECT_EQ(text("ValueEdit3"), "5");
    EXPECT_EQ(text("CountsEdit3"), "2");
    EXPECT_TRUE(find<QCheckBox>("CheckBox3")->isChecked());
    EXPECT_EQ(text("NpointsEdit"), "3");
}

TEST_F(BestfitWindow, FewerThanTwoMarkedRowsAreRefusedAfterShowingTheCount)
{
    setRow(3, true, "4", "2");
    click("CalcButton");
    const QStringList before = resultTexts();
    const fit::FitResults beforeResults = form.results();

    find<QCheckBox>("CheckBox2")->setChecked(false);
    find<QCheckBox>("CheckBox3")->setChecked(false);
    click("CalcButton");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Best fit");
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes.shown[0].text, "Configure at least 2 set of values");
    EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(text("NpointsEdit"), "1");
    EXPECT_EQ(resultTexts(), before);
    EXPECT_EQ(form.results(), beforeResults);
}

TEST_F(BestfitWindow, AnArithmeticFaultShowsInterpolationErrorAndKeepsTheResults)
{
    setRow(3, true, "5", "2");
    click("CalcButton");
    const QStringList before = resultTexts();
    const fit::FitResults beforeResults = form.results();

    const struct {
        const char* name;
        QStringList y, x;
    } cases[]{{"same x", {"1", "2", "3"}, {"4", "4", "4"}},
              {"same y", {"2", "2", "2"}, {"1", "2", "3"}}};
    for (const auto& c : cases) {
        boxes.shown.clear();
        for (int i = 0; i < 3; ++i)
            setRow(i + 1, true, c.y[i], c.x[i]);
        click("CalcButton");
        ASSERT_EQ(boxes.shown.size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown[0].title, "Best fit");
        EXPECT_EQ(boxes.shown[0].icon, QMessageBox::NoIcon);
        EXPECT_EQ(boxes.shown[0].text, "Interpolation error");
        EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::Ok);
        EXPECT_EQ(resultTexts(), before) << c.name;
        EXPECT_EQ(form.results(), beforeResults) << c.name;
        EXPECT_EQ(text("NpointsEdit"), "3");
    }
}

TEST_F(BestfitWindow, AMarkedTextThatIsNotANumberShowsTheConversionError)
{
    setRow(3, true, "5", "2");
    click("CalcButton");
    const QStringList before = resultTexts();
    setRow(4, true, "abc", "1");
    setRow(5, true, "1", "2");
    click("CalcButton");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, kAppTitle);
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.shown[0].text, "'abc' is not a valid floating point value");
    EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(text("NpointsEdit"), "3");  // not updated
    EXPECT_EQ(resultTexts(), before);
}

TEST_F(BestfitWindow, ChoosingAModelChangesNothingUntilTheNextCalculation)
{
    selectModel(2);  // Exponential: y = a + b ln x
    EXPECT_EQ(find<QListWidget>("CalcListBox")->currentRow(), 2);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(resultTexts(), kInitialTexts);

    click("CalcButton");  // row 1 has x = 0, whose logarithm is undefined
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Interpolation error");
    EXPECT_EQ(resultTexts(), kInitialTexts);

    setRow(1, true, "0", "1");
    setRow(2, true, "1", "2.718281828459045");
    click("CalcButton");
    EXPECT_EQ(resultTexts(), kUnitLineTexts);

    selectModel(1);  // Logaritmic: ln y of row 1 (y = 0) is undefined
    click("CalcButton");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Interpolation error");
}

TEST_F(BestfitWindow, ReadsAndWritesNumbersInTheUserLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setRow(2, true, "0,5", "1");
    setRow(3, true, "1", "2");
    click("CalcButton");
    QLocale::setDefault(previous);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(resultTexts(), (QStringList{"0,00000000", "0,50000000", "1,00000000",
                                          "100,00000000"}));
}

TEST_F(BestfitWindow, AboutShowsTheAboutBoxModallyUntilOk)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget() == &about;
        EXPECT_EQ(about.windowTitle(), "About");
        EXPECT_EQ(find<QLabel>("ProductName", &about)->text(), "Interpolation  - Best Fit");
        EXPECT_EQ(find<QLabel>("Version", &about)->text(), "Version: 1.0.0.0");
        EXPECT_FALSE(find<QLabel>("Copyright", &about)->text().isEmpty());
        EXPECT_FALSE(find<QLabel>("Comments", &about)->text().isEmpty());
        EXPECT_FALSE(find<QLabel>("ProgramIcon", &about)->pixmap().isNull());
        QTest::mouseClick(find<QPushButton>("OKButton", &about), Qt::LeftButton);
    });
    click("AboutButton1");
    EXPECT_TRUE(seen);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(BestfitWindow, ExitClosesTheWindow)
{
    ASSERT_TRUE(form.isVisible());
    click("ExitButton");
    EXPECT_FALSE(form.isVisible());
}

class Thrower : public QObject {
public:
    explicit Thrower(bool standard) : standard_(standard) {}
    bool event(QEvent*) override
    {
        if (standard_)
            throw std::runtime_error("broken");
        throw 42;
    }

private:
    bool standard_;
};

TEST(InterpolateApplication, ShowsAnEscapingExceptionWithTheStandardDisplay)
{
    auto& shown = ApplicationExceptionBoxes().shown;
    shown.clear();
    for (bool standard : {true, false}) {
        Thrower thrower(standard);
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(&thrower, &event);
    }
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, kAppTitle);
    EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
    EXPECT_EQ(shown[0].text, "broken");
    EXPECT_EQ(shown[1].text, "");  // not a standard exception: empty message
}

}  // namespace
