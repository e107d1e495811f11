// Number text written into documents, and typed reading of attribute text.
#include "sml/EVariantError.h"
#include "sml/FloatText.h"
#include "sml/XMLValueConversion.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>

namespace
{

// Sets the user's locale for one test and restores the previous one.
class LocaleGuard
{
public:
    explicit LocaleGuard(const QLocale &locale) : FPrevious(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleGuard() { QLocale::setDefault(FPrevious); }

private:
    QLocale FPrevious;
};

std::string errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EVariantError &e) {
        return e.what();
    }
    return "(no error)";
}

std::string convert(const char *from, const char *to)
{
    return std::string("Could not convert variant of type (") + from + ") into type (" + to + ")";
}

std::string overflow(const char *to)
{
    return std::string("Overflow while converting variant of type (OleStr) into type (") + to + ")";
}

} // namespace

TEST(FloatText, SingleValuesAreWidenedAndWrittenWith15Digits)
{
    const struct {
        float value;
        const char *text;
    } cases[] = {
        {3.14159f, "3.1415901184082"},
        {0.1f, "0.100000001490116"},
        {0.0001f, "9.99999974737875E-5"},
        {40.5f, "40.5"},
        {-73.25f, "-73.25"},
        {12.0f, "12"},
        {51.4779f, "51.4779014587402"},
        {0.0f, "0"},
        {-0.0f, "0"},
        {1e16f, "1.00000002725642E16"},
        {1e15f, "999999986991104"},
        {0.00025f, "0.000250000011874363"},
        {-1.5e-7f, "-1.50000005305628E-7"},
        {FLT_MAX, "3.40282346638529E38"},
        {1e-45f, "1.40129846432482E-45"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatToXMLText(c.value).toStdString(), c.text) << c.text;
}

TEST(FloatText, DoubleRoundingCanMoveTheExponentIntoScientificNotation)
{
    EXPECT_EQ(DoubleToXMLText(999999999999999.9).toStdString(), "1E15");
    EXPECT_EQ(DoubleToXMLText(0.000099999999999999999).toStdString(), "0.0001");
    EXPECT_EQ(DoubleToXMLText(123456789012345678.0).toStdString(), "1.23456789012346E17");
}

TEST(FloatText, WritingIgnoresTheUserLocaleAndReadingAcceptsBothSeparators)
{
    const LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FloatToXMLText(40.5f).toStdString(), "40.5");
    EXPECT_EQ(XMLTextToDouble(QStringLiteral("40,5")), 40.5);
    EXPECT_EQ(XMLTextToDouble(QStringLiteral("40.5")), 40.5);
    EXPECT_EQ(XMLTextToSingle(QStringLiteral("-1,25e2")), -125.0f);
    // A group separator is not a decimal separator a second time.
    EXPECT_FALSE(XMLTextToDouble(QStringLiteral("1.000,5")));
}

// Sets LC_NUMERIC to a locale with a decimal comma: an installed one, or else one compiled into
// dir from the system's locale sources. The name, or null when there is none.
const char *setCommaLocale(const QString &dir)
{
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_NUMERIC, name))
            return name;
    if (!QFile::exists("/usr/share/i18n/locales/de_DE") ||
        QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", dir + "/de_DE.UTF-8"}) < 0)
        return nullptr;
    qputenv("LOCPATH", dir.toLocal8Bit());
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") ? "de_DE.UTF-8 (compiled)" : nullptr;
}

// The application runs in the user's C locale too (set at start-up); a comma there must not
// reach the document.
TEST(FloatText, WritingIgnoresTheCLocale)
{
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const QTemporaryDir dir;
    const char *comma = setCommaLocale(dir.path());
    const QString written[] = {FloatToXMLText(40.5f), FloatToXMLText(3.14159f),
                               FloatToXMLText(0.0001f)};
    std::setlocale(LC_NUMERIC, previous.c_str());
    qunsetenv("LOCPATH");
    if (!comma)
        GTEST_SKIP() << "no locale with a decimal comma is installed or can be compiled";
    EXPECT_EQ(written[0], "40.5") << comma;
    EXPECT_EQ(written[1], "3.1415901184082") << comma;
    EXPECT_EQ(written[2], "9.99999974737875E-5") << comma;
}

TEST(FloatText, ReadingRejectsWhatIsNoPlainNumber)
{
    for (const char *text :
         {"", " ", "abc", "1.2.3", "1e", "e5", "--1", "1-", "nan", "inf", "0x10", "1,5", "12 34"})
        EXPECT_FALSE(XMLTextToDouble(QString::fromLatin1(text))) << text;
    EXPECT_EQ(XMLTextToDouble(QStringLiteral("  +7.5E-1 ")), 0.75);
    EXPECT_EQ(XMLTextToDouble(QStringLiteral("1e400")), std::numeric_limits<double>::infinity());
}

TEST(FloatText, ReadingBackAWrittenSingleGivesTheSameSingle)
{
    for (float value :
         {3.14159f, 0.1f, 0.0001f, 51.4779f, -73.25f, FLT_MAX, FLT_MIN, 1e-45f,
          std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()})
        EXPECT_EQ(XMLTextToSingle(FloatToXMLText(value)), value) << value;
    EXPECT_TRUE(std::isnan(XMLTextToSingle(FloatToXMLText(std::nanf("")))));
}

TEST(TypedValues, IntegerReading)
{
    const struct {
        const char *text;
        int value;
    } good[] = {{"-5", -5},    {" 42", 42},  {"2147483647", 2147483647},
                {"$1F", 31},   {"0x1f", 31}, {"x10", 16},
                {"-$10", -16}, {"True", 1},  {"FALSE", 0},
                {"2.5", 2},    {"3.5", 4},   {"1e3", 1000}};
    for (const auto &c : good)
        EXPECT_EQ(XMLTextToInteger(QString::fromLatin1(c.text)), c.value) << c.text;

    EXPECT_EQ(errorOf([] { XMLTextToInteger(std::nullopt); }), convert("Null", "Integer"));
    EXPECT_EQ(errorOf([] { XMLTextToInteger(QString()); }), convert("Null", "Integer"));
    EXPECT_EQ(errorOf([] { XMLTextToInteger(QStringLiteral("String")); }),
              convert("OleStr", "Integer"));
    EXPECT_EQ(errorOf([] { XMLTextToInteger(QStringLiteral("yes")); }),
              convert("OleStr", "Integer"));
    for (const char *text : {"2147483648", "-2147483649", "1e10", "$80000000"})
        EXPECT_EQ(errorOf([&] { XMLTextToInteger(QString::fromLatin1(text)); }),
                  overflow("Integer"))
            << text;
}

TEST(TypedValues, Int64Reading)
{
    const struct {
        const char *text;
        qint64 value;
    } good[] = {{"2147483648", 2147483648LL},
                {"-9223372036854775808", std::numeric_limits<qint64>::min()},
                {"9223372036854775807", std::numeric_limits<qint64>::max()},
                {"$7FFFFFFFFFFFFFFF", std::numeric_limits<qint64>::max()},
                {"1.5", 2},
                {"true", 1}};
    for (const auto &c : good)
        EXPECT_EQ(XMLTextToInt64(QString::fromLatin1(c.text)), c.value) << c.text;
    EXPECT_EQ(errorOf([] { XMLTextToInt64(std::nullopt); }), convert("Null", "Int64"));
    EXPECT_EQ(errorOf([] { XMLTextToInt64(QStringLiteral("1 2")); }), convert("OleStr", "Int64"));
    EXPECT_EQ(errorOf([] { XMLTextToInt64(QStringLiteral("9223372036854775808")); }),
              overflow("Int64"));
}

TEST(TypedValues, BooleanReading)
{
    for (const char *text : {"true", "True", "TRUE", "1", "-1", "2.5"})
        EXPECT_TRUE(XMLTextToBoolean(QString::fromLatin1(text))) << text;
    for (const char *text : {"false", "False", "0", "0.0"})
        EXPECT_FALSE(XMLTextToBoolean(QString::fromLatin1(text))) << text;
    EXPECT_EQ(errorOf([] { XMLTextToBoolean(QStringLiteral("yes")); }),
              convert("OleStr", "Boolean"));
    EXPECT_EQ(errorOf([] { XMLTextToBoolean(std::nullopt); }), convert("Null", "Boolean"));
}

TEST(TypedValues, SingleReading)
{
    EXPECT_EQ(XMLTextToSingle(QStringLiteral("3.1415901184082")), 3.14159f);
    EXPECT_EQ(errorOf([] { XMLTextToSingle(std::nullopt); }), convert("Null", "Double"));
    EXPECT_EQ(errorOf([] { XMLTextToSingle(QStringLiteral("north")); }),
              convert("OleStr", "Double"));
    EXPECT_EQ(errorOf([] { XMLTextToSingle(QStringLiteral("1e39")); }), overflow("Double"));
    EXPECT_EQ(errorOf([] { XMLTextToSingle(QStringLiteral("-1e400")); }), overflow("Double"));
}
