#include "editor/NumberText.h"
#include "editor/TNumericEntry.h"
#include "editor/TNumericSpin.h"
#include "sml/FloatText.h"
#include "sml/XMLValueConversion.h"

#include <QFocusEvent>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

const QLocale kC = QLocale::c();

struct FormatCase {
    const char *format;
    double value;
    const char *shown;
};

TEST(NumberText, FormatsThroughFormatStrings)
{
    const FormatCase cases[] = {
        {"#0.#", 0, "0"},
        {"#0.#", 12, "12"},
        {"#0.#", 12.34, "12.3"},
        {"#0.0#", 51, "51.0"},
        {"#0.0#", 51.4778, "51.48"},
        {"#0.00#", 1.5, "1.50"},
        {"#00.#", 5, "05"},
        {"#0.0", 0.1, "0.1"},
        {"#0", 0, "0"},
        {"#0", 7, "7"},
        {"#0#", 0, "00"},
        {"#0#", 7, "07"},
        {"#0#", 123, "123"},
        {"#00000#", 0, "000000"},
        {"#00000#", 300, "000300"},
        {"#,#", 0, ""},
        {"#,#", 2147483647, "2,147,483,647"},
        {"#.00#", 0, ".00"},
        {"#.00#", 1.5, "1.50"},
        // Beyond the examples: signs, rounding up into a new digit, tiny negatives.
        {"#0.#", -12.34, "-12.3"},
        {"#0.#", 9.96, "10"},
        {"#0.#", -0.01, "0"},
        {"#,#", -1234567, "-1,234,567"},
        {"#0.#", 1e10, "10000000000"},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(FormatNumber(c.value, c.format, kC), QString::fromUtf8(c.shown))
            << c.format << " " << c.value;
}

TEST(NumberText, FormatsWithTheLocaleSeparatorsAndExactIntegers)
{
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatNumber(1234567.25, "#,#.0#", de), "1.234.567,25");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::max(), "#0.#", kC),
              "9223372036854775807");
    EXPECT_EQ(FormatInteger(std::numeric_limits<std::int64_t>::min(), "#,#", kC),
              "-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatInteger(12, "#0.00#", kC), "12.00");
    EXPECT_EQ(FormatNumber(std::nan(""), "#0.#", kC), "NAN");
}

struct ParseCase {
    const char *text;
    bool valid;
    double value; // when valid
    int firstBad; // when invalid
    int lastBad;
};

TEST(NumberText, ReadsTypedNumbers)
{
    const ParseCase cases[] = {
        {"", true, 0, -1, -1},         {"-", true, 0, -1, -1},
        {"+", true, 0, -1, -1},        {"12.5", true, 12.5, -1, -1},
        {"1.5k", true, 1500, -1, -1},  {"-2M", true, -2e6, -1, -1},
        {"3m", true, 3e-3, -1, -1},    {"1E", true, 1e18, -1, -1},
        {"1e3", true, 1000, -1, -1},   {"1.5e-3", true, 1.5e-3, -1, -1},
        {"2e2k", true, 2e5, -1, -1},   {"1,234.5", true, 1234.5, -1, -1},
        {" 7 ", true, 7, -1, -1},      {"!12", true, 12, -1, -1},
        {"$ff", true, 255, -1, -1},    {"$-10", true, -16, -1, -1},
        {"%12k", true, 12000, -1, -1}, {"&101", true, 5, -1, -1},
        {"12x4", false, 0, 2, 2},      {"1.2.3", false, 0, 3, 3},
        {"abc", false, 0, 0, 2},       {"1e", false, 0, 1, 1},
        {"1e+", false, 0, 1, 2},       {"%1m", false, 0, 2, 2},
        {"&102", false, 0, 3, 3},      {"$G", false, 0, 1, 1},
        {"k", false, 0, 0, 0},         {".", false, 0, 0, 0},
        {"1e999", false, 0, 0, 4},     {"--1", false, 0, 1, 1},
        {"1k2", false, 0, 1, 1},       {"1,5.", true, 15, -1, -1},
    };
    for (const ParseCase &c : cases) {
        const TParsedNumber r = ParseNumber(QString::fromUtf8(c.text), kC);
        EXPECT_EQ(r.Valid, c.valid) << c.text;
        if (c.valid) {
            EXPECT_DOUBLE_EQ(r.Value, c.value) << c.text;
        } else {
            EXPECT_EQ(r.FirstBad, c.firstBad) << c.text;
            EXPECT_EQ(r.LastBad, c.lastBad) << c.text;
        }
    }
    // Beyond the double range no reading gives a number: the whole text is wrong.
    for (const QString &text :
         {"$" + QString(300, u'f'), "%1" + QString(400, u'0') + "k", "&1" + QString(1100, u'0')}) {
        const TParsedNumber r = ParseNumber(text, kC);
        EXPECT_FALSE(r.Valid) << text.left(8).toStdString();
        EXPECT_EQ(r.FirstBad, 0);
        EXPECT_EQ(r.LastBad, text.size() - 1);
    }
}

TEST(NumberText, KeepsWholeNumbersExact)
{
    EXPECT_EQ(ParseNumber("9223372036854775807", kC).Exact,
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ParseNumber("-9223372036854775808", kC).Exact,
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(ParseNumber("10,000,000,001", kC).Exact, 10000000001);
    EXPECT_EQ(ParseNumber("10G", kC).Exact, 10000000000);
    EXPECT_EQ(ParseNumber("7.000", kC).Exact, 7);
    EXPECT_FALSE(ParseNumber("9223372036854775808", kC).Exact);
    EXPECT_FALSE(ParseNumber("7.5", kC).Exact);
    EXPECT_FALSE(ParseNumber("7e2", kC).Exact);
    // The German reading: "," is the decimal separator, "." groups.
    const TParsedNumber de = ParseNumber("1.234,5", QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(de.Valid);
    EXPECT_DOUBLE_EQ(de.Value, 1234.5);
}

TEST(NumberText, ReadsBackWhatItShowsInEveryLocale)
{
    // Some locales show their own minus: U+2212 in Swedish, a direction mark before
    // "-" in Hebrew and Arabic. A shown negative value must still read back.
    const QLocale locales[] = {
        kC,
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::NorwegianBokmal, QLocale::Norway),
        QLocale(QLocale::Finnish, QLocale::Finland),
        QLocale(QLocale::Hebrew, QLocale::Israel),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland),
    };
    for (const QLocale &locale : locales) {
        for (const double value : {-12.5, -1234567.25, -0.04, 3.75}) {
            const QString shown = FormatNumber(value, "#,#.0#", locale);
            const TParsedNumber r = ParseNumber(shown, locale);
            EXPECT_TRUE(r.Valid) << locale.name().toStdString() << " " << shown.toStdString();
            EXPECT_DOUBLE_EQ(r.Value, value) << locale.name().toStdString();
        }
    }

    // A wrong character after the locale's minus is the one marked.
    const TParsedNumber bad = ParseNumber(QStringLiteral("\u2212k"), locales[1]);
    EXPECT_FALSE(bad.Valid);
    EXPECT_EQ(bad.FirstBad, 1);

    // Editing the shown text of a negative value commits it.
    TNumericEntry field;
    field.setLocale(QLocale(QLocale::Swedish, QLocale::Sweden));
    field.SetFormatStr("#0.0#");
    field.SetValue(-3.5);
    QTest::keyClick(&field, Qt::Key_End);
    QTest::keyClicks(&field, "1");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.State(), TNumericEntry::TState::Normal) << field.text().toStdString();
    EXPECT_DOUBLE_EQ(field.Value(), -3.51);
}

TEST(NumberText, ArbitraryTextNeverBreaksTheReader)
{
    const QString alphabet = QStringLiteral("0123456789.,+-eE!$%&kKmMuGaAfF xé\u00a0|");
    QRandomGenerator rng(20261209);
    for (int i = 0; i < 5000; ++i) {
        QString text;
        const int length = rng.bounded(12);
        for (int j = 0; j < length; ++j)
            text += alphabet.at(rng.bounded(alphabet.size()));
        const TParsedNumber r = ParseNumber(text, kC);
        if (r.Valid) {
            EXPECT_FALSE(std::isnan(r.Value)) << text.toStdString();
        } else {
            EXPECT_GE(r.FirstBad, 0) << text.toStdString();
            EXPECT_LE(r.FirstBad, r.LastBad) << text.toStdString();
            EXPECT_LT(r.LastBad, text.size()) << text.toStdString();
        }
    }
}

// A field in a C locale, so the shown texts do not depend on the machine.
class NumericEntry : public ::testing::Test
{
protected:
    void SetUp() override { field.setLocale(kC); }

    void type(const QString &text)
    {
        field.selectAll();
        QTest::keyClicks(&field, text);
    }

    TNumericEntry field;
};

TEST_F(NumericEntry, StartsAtZeroAndReformatsWithItsFormat)
{
    EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(field.FormatStr(), "#0.#");
    field.SetValue(51);
    field.SetFormatStr("#0.0#");
    EXPECT_EQ(field.text(), "51.0");
}

TEST_F(NumericEntry, IntegerViewRoundsHalfToEvenAndClamps)
{
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {2.4999, 2},
        {3e9, 2147483647},
        {-3e9, -2147483647},
        {2147483646.5, 2147483646},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto &[value, integer] : cases) {
        field.SetValue(value);
        EXPECT_EQ(field.ValueAsInt(), integer) << value;
    }
    field.SetValueAsInt(2147483647);
    EXPECT_EQ(field.text(), "2147483647");
    EXPECT_EQ(field.ValueAsInt(), 2147483647);
    field.SetValue(0.1);
    EXPECT_EQ(field.ValueAsSingle(), 0.1f);
}

TEST_F(NumericEntry, SingleViewOfAHugeValueReadsBackFromADocument)
{
    // The pages write the single view into the document; an infinity there would make
    // the next show step fail on it.
    for (const char *typed : {"1e40", "-1e40", "1e30T"}) {
        type(typed);
        QTest::keyClick(&field, Qt::Key_Return);
        const float single = field.ValueAsSingle();
        EXPECT_TRUE(std::isfinite(single)) << typed;
        EXPECT_NO_THROW(EXPECT_EQ(XMLTextToSingle(FloatToXMLText(single)), single)) << typed;
    }
    field.SetValue(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(field.ValueAsSingle()));
}

TEST_F(NumericEntry, SixtyFourBitIntegersPassThroughExactly)
{
    const std::int64_t values[] = {10000000000, 9007199254740993,
                                   std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::int64_t>::min()};
    for (const std::int64_t v : values) {
        field.SetValueAsInt64(v);
        EXPECT_EQ(field.ValueAsInt64(), v);
        EXPECT_EQ(field.text(), QString::number(v));
        // Committing the untouched text keeps the exact value.
        QTest::keyClick(&field, Qt::Key_Return);
        EXPECT_EQ(field.ValueAsInt64(), v);
    }
    type("9223372036854775806");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.ValueAsInt64(), 9223372036854775806);
    // A value that is not a whole number gives the rounded, clamped view.
    field.SetValue(1e30);
    EXPECT_EQ(field.ValueAsInt64(), std::numeric_limits<std::int64_t>::max());
    field.SetValue(12.5);
    EXPECT_EQ(field.ValueAsInt64(), 12);
}

TEST_F(NumericEntry, LimitsApplyToSetValueOnly)
{
    field.SetOptions(TNumericEntry::eoLimitMin | TNumericEntry::eoLimitMax);
    field.SetMinValue(0.1);
    field.SetMaxValue(360);
    field.SetValue(-5);
    EXPECT_EQ(field.Value(), 0.1);
    EXPECT_TRUE(field.AtLowerLimit());
    field.SetValue(400);
    EXPECT_EQ(field.Value(), 360);
    EXPECT_TRUE(field.AtUpperLimit());
    EXPECT_FALSE(field.AtLowerLimit());
    field.SetValueAsInt(-7);
    EXPECT_EQ(field.Value(), -7);
    field.SetValueAsSingle(500.5f);
    EXPECT_EQ(field.Value(), 500.5);
    type("1000");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.Value(), 360);
}

TEST_F(NumericEntry, ValueChangedOnlyWhenTheShownTextChanges)
{
    QSignalSpy spy(&field, &TNumericEntry::OnValueChanged);
    field.SetValue(12.34);
    EXPECT_EQ(spy.count(), 1);
    field.SetValue(12.31); // still shows 12.3
    EXPECT_EQ(field.Value(), 12.31);
    EXPECT_EQ(spy.count(), 1);
    field.SetValueAsInt(12);
    EXPECT_EQ(spy.count(), 2);
    field.SetLoading(true);
    field.SetValue(99);
    EXPECT_EQ(spy.count(), 2);
    field.SetLoading(false);
    field.SetFormatStr("#0.00#");
    EXPECT_EQ(spy.count(), 2);
    // The handler already sees the new value.
    double seen = 0;
    QObject::connect(&field, &TNumericEntry::OnValueChanged, [&] { seen = field.Value(); });
    field.SetValue(7);
    EXPECT_EQ(seen, 7);
}

TEST_F(NumericEntry, ShowStepsReplaceAValueHiddenByRounding)
{
    // 51.4778 and 51.48 share the text "51.48"; a later show of 51.48 must not keep
    // the earlier value, or the next collect would write 51.4778.
    field.SetFormatStr("#0.0#");
    field.SetValue(51.4778);
    field.SetValueAsSingle(51.48f);
    EXPECT_EQ(field.ValueAsSingle(), 51.48f);
    field.SetValue(5.4);
    field.SetFormatStr("#0");
    field.SetValueAsInt(5);
    EXPECT_EQ(field.Value(), 5);
}

TEST_F(NumericEntry, TypingChangesStateButNotTheValueUntilCommitted)
{
    field.SetValue(3);
    type("1.5k");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Editing);
    EXPECT_EQ(field.Value(), 3);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.Value(), 1500);
    EXPECT_EQ(field.text(), "1500");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Normal);

    type("12x4");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Error);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.State(), TNumericEntry::TState::Error);
    EXPECT_EQ(field.Value(), 1500);
    EXPECT_EQ(field.selectedText(), "x");
    EXPECT_EQ(field.palette().color(QPalette::Base), field.ColorError());

    QTest::keyClick(&field, Qt::Key_Escape);
    EXPECT_EQ(field.text(), "1500");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Normal);
    EXPECT_EQ(field.palette().color(QPalette::Base), field.ColorDefault());
}

TEST_F(NumericEntry, ShowsAndReadsInTheWidgetsLocale)
{
    field.SetFormatStr("#,#.0#");
    field.SetValue(1234.5);
    field.setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(field.text(), "1.234,5");
    type("2,5k");
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.Value(), 2500);
    type("2.5");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Editing); // "." groups: 25
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.Value(), 25);
}

TEST_F(NumericEntry, CommittingUntouchedTextKeepsTheFullValue)
{
    field.SetFormatStr("#0.0#");
    field.SetValue(51.4778);
    EXPECT_EQ(field.text(), "51.48");
    QTest::keyClick(&field, Qt::Key_Return);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &leave);
    EXPECT_EQ(field.Value(), 51.4778);
}

TEST_F(NumericEntry, EmptyTextCommitsAsZero)
{
    field.SetFormatStr("#,#");
    field.SetValue(5);
    type("");
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Return);
    EXPECT_EQ(field.Value(), 0);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(field.State(), TNumericEntry::TState::Normal);
}

TEST_F(NumericEntry, LeavingTheFieldCommits)
{
    type("42");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &leave);
    EXPECT_EQ(field.Value(), 42);
    // A window losing activation is not leaving the field.
    type("43");
    QFocusEvent deactivate(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&field, &deactivate);
    EXPECT_EQ(field.Value(), 42);
    EXPECT_EQ(field.State(), TNumericEntry::TState::Editing);
}

TEST_F(NumericEntry, RefusedTypingStillSteps)
{
    field.SetEditorEnabled(false);
    QTest::keyClicks(&field, "12");
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "0");
    QTest::keyClick(&field, Qt::Key_Up);
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.Value(), 2);
    QTest::keyClick(&field, Qt::Key_Down);
    EXPECT_EQ(field.ValueAsInt(), 1);
    field.insert("99"); // as a paste would
    EXPECT_EQ(field.text(), "1");
}

struct StepCase {
    double start;
    float increment;
    bool multiply;
    bool up;
    double expected;
};

TEST_F(NumericEntry, StepsByIncrementOrFactor)
{
    const StepCase cases[] = {
        {1, 1, false, true, 2}, {1, 1, false, false, 0}, {0.5, 0.25f, false, true, 0.75},
        {8, 2, true, true, 16}, {8, 2, true, false, 4},  {0, 2, true, true, 2},
    };
    for (const StepCase &c : cases) {
        field.SetOptions(c.multiply ? TNumericEntry::TEditOptions(TNumericEntry::eoMultiply)
                                    : TNumericEntry::TEditOptions());
        field.SetIncrement(c.increment);
        field.SetValue(c.start);
        QTest::keyClick(&field, c.up ? Qt::Key_Up : Qt::Key_Down);
        EXPECT_DOUBLE_EQ(field.Value(), c.expected) << c.start << " " << c.up;
    }
    field.setReadOnly(true);
    field.StepUp();
    EXPECT_EQ(field.Value(), 2);
}

TEST(NumericSpin, ButtonsFollowLimitsAndPendingText)
{
    TNumericSpin spin;
    spin.setLocale(kC);
    spin.SetOptions(TNumericEntry::eoLimitMin | TNumericEntry::eoLimitMax);
    spin.SetMinValue(0);
    spin.SetMaxValue(2);
    spin.SetValue(-1);
    EXPECT_EQ(spin.Value(), 0);
    EXPECT_FALSE(spin.DownButton()->isEnabled());
    EXPECT_TRUE(spin.UpButton()->isEnabled());
    spin.UpButton()->click();
    spin.UpButton()->click();
    EXPECT_EQ(spin.Value(), 2);
    EXPECT_FALSE(spin.UpButton()->isEnabled());
    spin.UpButton()->click(); // disabled: nothing
    spin.StepUp();            // the flag stops it too
    EXPECT_EQ(spin.Value(), 2);
    QTest::keyClicks(&spin, "1");
    EXPECT_FALSE(spin.DownButton()->isEnabled());
    QTest::keyClick(&spin, Qt::Key_Escape);
    EXPECT_TRUE(spin.DownButton()->isEnabled());
    spin.setEnabled(false);
    EXPECT_FALSE(spin.DownButton()->isEnabled());
    EXPECT_EQ(spin.UpButton()->autoRepeatDelay(), 500);
    EXPECT_EQ(spin.UpButton()->autoRepeatInterval(), 100);
}

TEST(NumericSpin, SetsThatBypassTheLimitsStillMoveTheButtons)
{
    // A show step puts a document value in with SetValueAsSingle or SetValueAsInt:
    // after a value at the limit, a value inside it must be steppable again.
    TNumericSpin spin;
    spin.setLocale(kC);
    spin.SetOptions(TNumericEntry::eoLimitMin | TNumericEntry::eoLimitMax);
    spin.SetMinValue(0.1);
    spin.SetMaxValue(90);
    spin.SetValue(-1);
    ASSERT_FALSE(spin.DownButton()->isEnabled());
    spin.SetValueAsSingle(5);
    EXPECT_TRUE(spin.DownButton()->isEnabled());
    QTest::keyClick(&spin, Qt::Key_Down);
    EXPECT_EQ(spin.Value(), 4);
    spin.SetValueAsInt(95); // beyond the limit: shown as it is, no step up
    EXPECT_EQ(spin.Value(), 95);
    EXPECT_FALSE(spin.UpButton()->isEnabled());
    spin.SetValueAsInt(60);
    EXPECT_TRUE(spin.UpButton()->isEnabled());
    QTest::keyClick(&spin, Qt::Key_Up);
    EXPECT_EQ(spin.Value(), 61);
}

TEST_F(NumericEntry, AnyTypedTextCommitsANumberOrShowsTheError)
{
    const QString alphabet = QStringLiteral("0123456789.,+-eE!$%&kMmGa x");
    QRandomGenerator rng(7);
    for (int i = 0; i < 300; ++i) {
        QString text;
        const int length = rng.bounded(10);
        for (int j = 0; j < length; ++j)
            text += alphabet.at(rng.bounded(alphabet.size()));
        const double before = field.Value();
        type(text);
        QTest::keyClick(&field, Qt::Key_Return);
        if (field.State() == TNumericEntry::TState::Error) {
            EXPECT_EQ(field.Value(), before) << text.toStdString();
            QTest::keyClick(&field, Qt::Key_Escape);
        } else {
            EXPECT_EQ(field.State(), TNumericEntry::TState::Normal) << text.toStdString();
        }
    }
}

} // namespace
