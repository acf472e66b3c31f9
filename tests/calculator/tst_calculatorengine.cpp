#include "KeyScript.h"
#include "calculator/CalculatorEngine.h"
#include "calculator/NumberText.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <exception>

#include <limits>
#include <string>
#include <vector>

namespace {

struct Warning
{
    std::string message;
    std::string title;
};

} // namespace

class tst_CalculatorEngine : public QObject
{
    Q_OBJECT

private:
    // A fresh engine, loaded as the window loads it, that records its warnings.
    struct Session
    {
        std::vector<Warning> warnings;
        CalculatorEngine engine{[this](const std::string& m, const std::string& t) {
            warnings.push_back({m, t});
        }};
        Session() { engine.Reset(); }
    };

    static void addRows(const std::vector<std::pair<const char*, std::pair<const char*, const char*>>>& rows)
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << QString::fromLatin1(row.first) << QString::fromLatin1(row.second);
    }

    static void check()
    {
        QFETCH(QString, keys);
        QFETCH(QString, readout);
        Session s;
        QCOMPARE(QString::fromStdString(play(s.engine, keys.toStdString())), readout);
        QVERIFY(s.warnings.empty());
    }

private slots:
    void typing_data()
    {
        addRows({
            {"a new engine shows 0.", {"", "0."}},
            {"the point trails the integer part", {"53", "53."}},
            {"leading zeros stay", {"007", "007."}},
            {"a second point does nothing", {"5.3.2", "5.32"}},
            {"a point first gives 0.", {".5", "0.5"}},
            {"digits after the point append", {"3.50", "3.50"}},
            {"a number after an operator starts afresh", {"12+3", "3."}},
            {"C clears to 0.", {"12+3C", "0."}},
            {"CE clears to 0.", {"12+3E", "0."}},
        });
    }
    void typing() { check(); }

    void signs_data()
    {
        addRows({
            {"minus first shows -0.", {"-", "-0."}},
            {"a second minus changes nothing", {"--", "-0."}},
            {"a digit after the sign is negative", {"-5", "-5."}},
            {"a point after the sign", {"-.", "-0."}},
            {"minus after plus is a sign", {"5+-3=", "2"}},
            {"minus after minus is a sign", {"5--3=", "8"}},
            {"minus after equals subtracts", {"5+3=-2=", "6"}},
            {"lone minus shows while waiting", {"31=--", "-"}},
            {"operator on the lone minus reads it as 0 for plus", {"7+-=5=", "-5"}},
            {"lone minus is 0 for times", {"7X-X5=", "0"}},
            {"negative zero result shows 0", {"-.X5=", "0"}},
        });
    }
    void signs() { check(); }

    void chaining_data()
    {
        addRows({
            {"worked sequence", {"12+3.5X2=--4=", "35"}},
            {"left to right, no precedence", {"2+3X4=", "20"}},
            {"a typed operand shows as typed", {"12+3.5X", "15.5"}},
            {"the second operator replaces the first", {"6+X2=", "12"}},
            {"equals again repeats nothing", {"5+3==", "8"}},
            {"a number after equals starts afresh", {"5+3=4+1=", "5"}},
            {"after equals the typed text keeps its point", {"5+3=4+", "4."}},
            {"equals on a typed number shows its text", {"4=", "4."}},
            {"plus reads a formatted result back", {"1/3=+1=", "1.33333333333333"}},
            {"addition of decimals", {".1+.2=", "0.3"}},
            {"one third", {"1/3=", "0.333333333333333"}},
            {"two thirds", {"2/3=", "0.666666666666667"}},
        });
    }
    void chaining() { check(); }

    void percent_data()
    {
        addRows({
            {"percent divides at once", {"50%", "0.5"}},
            {"percent turns plus into times", {"200+5%=", "10"}},
            {"percent then times", {"50%X4=", "2"}},
            {"minus after percent is a sign", {"50%-2=", "-1"}},
            {"percent does not set the left operand", {"5%3=", "0"}},
            {"percent of the lone minus is 0", {"5X-%", "0"}},
            {"count past two freezes evaluation", {"5+3%2=", "2."}},
            {"frozen until C", {"5+3%%1+2=", "2."}},
            {"C thaws it", {"5+3%%C1+2=", "3"}},
        });
    }
    void percent() { check(); }

    void clearEntry_data()
    {
        addRows({
            {"CE keeps the pending operation", {"5+3E4=", "9"}},
            {"CE after an operator loses the left operand", {"5+E+3=", "3"}},
            {"C forgets everything", {"5+3C2=", "2."}},
        });
    }
    void clearEntry() { check(); }

    void divisionByZero_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("thenKeys");
        QTest::addColumn<QString>("thenReadout");
        QTest::newRow("zero") << "8/0=" << "8." << "2=" << "2.";
        QTest::newRow("zero with decimals") << "8/0.000=" << "8." << "" << "8.";
        QTest::newRow("negative zero") << "8/-.=" << "8." << "" << "8.";
        QTest::newRow("plus becomes pending") << "8/0+" << "8." << "2=" << "10";
        QTest::newRow("computed left operand") << "2X3/0=" << "6" << "" << "6";
        QTest::newRow("a number too small for a double is zero")
            << QString(u"8/." % QString(400, u'0') % u"1=") << "8." << "" << "8.";
    }
    void divisionByZero()
    {
        QFETCH(QString, keys);
        QFETCH(QString, readout);
        QFETCH(QString, thenKeys);
        QFETCH(QString, thenReadout);
        Session s;
        QCOMPARE(QString::fromStdString(play(s.engine, keys.toStdString())), readout);
        QCOMPARE(s.warnings.size(), std::size_t(1));
        QCOMPARE(s.warnings[0].message, std::string("Can't divide by zero"));
        QCOMPARE(s.warnings[0].title, std::string("Calculator"));
        QCOMPARE(QString::fromStdString(play(s.engine, thenKeys.toStdString())), thenReadout);
    }

    void warningComesBeforeTheReadoutChanges()
    {
        std::string seen;
        CalculatorEngine engine([&](const std::string&, const std::string&) {});
        CalculatorEngine* e = &engine;
        engine = CalculatorEngine([&](const std::string&, const std::string&) { seen = e->Readout(); });
        engine.Reset();
        play(engine, "8/0=");
        QCOMPARE(seen, std::string("0."));
        QCOMPARE(engine.Readout(), std::string("8."));
    }

    void outOfRange_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        const QString huge(400, u'9');
        QTest::newRow("a product beyond a double is refused")
            << QString(u"9" % QString(200, u'9') % u"X9" % QString(200, u'9') % u"=") << QString(u"9" % QString(200, u'9') % u".");
        QTest::newRow("a typed number beyond a double is refused as right operand")
            << QString(u"2+" % huge % u"=") << "2.";
        QTest::newRow("a typed number beyond a double stays the left operand")
            << QString(huge % u"X2=") << QString(huge % u".");
        QTest::newRow("percent of a number beyond a double leaves it")
            << QString(huge % u"%") << QString(huge % u".");
        QTest::newRow("a refusal after percent at the start shows 0, not an empty readout")
            << QString(u"8%" % huge % u"-") << "0";
        QTest::newRow("the calculator goes on after a refusal")
            << QString(u"2+" % huge % u"=C3X4=") << "12";
    }
    void outOfRange()
    {
        QFETCH(QString, keys);
        QFETCH(QString, readout);
        Session s;
        QCOMPARE(QString::fromStdString(play(s.engine, keys.toStdString())), readout);
        QVERIFY(s.warnings.empty());
    }

    void operandCountStopsAtItsLargestValue()
    {
        Session s;
        play(s.engine, "5+");
        for (int i = 0; i < std::numeric_limits<std::int16_t>::max() + 10; ++i)
            s.engine.PercentKey();
        // Still frozen (no wrap-around to a count that evaluates), and C still recovers.
        QCOMPARE(play(s.engine, "2+3="), std::string("3."));
        QCOMPARE(play(s.engine, "C2+3="), std::string("5"));
    }

    void formatting_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fifteen significant digits") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("rounded at fifteen digits") << 2.0 / 3 << "0.666666666666667";
        QTest::newRow("large switches to exponent") << 1e15 << "1E+15";
        QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
        QTest::newRow("small switches to exponent") << 1.5e-7 << "1.5E-07";
        QTest::newRow("small in fixed form") << 0.0001 << "0.0001";
        QTest::newRow("zero before the point") << 0.05 << "0.05";
        QTest::newRow("whole shows no point") << 8.0 << "8";
        QTest::newRow("negative") << -0.5 << "-0.5";
        QTest::newRow("negative zero shows 0") << -0.0 << "0";
        QTest::newRow("three exponent digits") << 1e300 << "1E+300";
    }
    void formatting()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(NumberText::format(value)), text);
    }

    void readings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("strictIsNumber");
        QTest::addColumn<double>("strictValue");
        QTest::addColumn<double>("lenientValue");
        QTest::newRow("trailing point") << "5." << true << 5.0 << 5.0;
        QTest::newRow("negative zero") << "-0." << true << 0.0 << 0.0;
        QTest::newRow("fraction") << "0.05" << true << 0.05 << 0.05;
        QTest::newRow("exponent") << "1.5E-07" << true << 1.5e-7 << 1.5e-7;
        QTest::newRow("lone minus") << "-" << false << 0.0 << 0.0;
        QTest::newRow("empty") << "" << false << 0.0 << 0.0;
        QTest::newRow("trailing text") << "12abc" << false << 0.0 << 12.0;
        QTest::newRow("incomplete exponent") << "3E" << false << 0.0 << 3.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0 << 1.2;
        QTest::newRow("words are not numbers") << "inf" << false << 0.0 << 0.0;
        QTest::newRow("no plus sign") << "+4" << false << 0.0 << 0.0;
    }
    void readings()
    {
        QFETCH(QString, text);
        QFETCH(bool, strictIsNumber);
        QFETCH(double, strictValue);
        QFETCH(double, lenientValue);
        const std::string t = text.toStdString();
        const NumberText::Reading strict = NumberText::readStrict(t);
        QCOMPARE(strict.isNumber(), strictIsNumber);
        if (strictIsNumber)
            QCOMPARE(strict.value, strictValue);
        const NumberText::Reading lenient = NumberText::readLenient(t);
        QVERIFY(lenient.isNumber());
        QCOMPARE(lenient.value, lenientValue);
    }

    void readingIgnoresTheProcessLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
        QCOMPARE(NumberText::readStrict("2.5").value, 2.5);
        QCOMPARE(NumberText::format(2.5), std::string("2.5"));
        std::setlocale(LC_ALL, "C");
    }

    void randomKeysKeepAReadableReadout_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2024u, 65535u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void randomKeysKeepAReadableReadout()
    {
        // Long random key sequences, with now and then a run of digits too long for a
        // double; after every key the readout must be something later keys read back.
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        static const std::string keys = "0123456789.+-X/=%CE";
        Session s;
        std::string played;
        for (int i = 0; i < 20000; ++i) {
            std::string key(1, keys[random.bounded(int(keys.size()))]);
            if (random.bounded(500) == 0)
                key = std::string(320, '9');
            played += key;
            try {
                play(s.engine, key);
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QString::fromStdString("threw " + std::string(e.what()))));
            }
            const std::string readout = s.engine.Readout();
            const bool readable = readout == "-" || NumberText::readStrict(readout).kind
                                                        != NumberText::Reading::Kind::NotANumber;
            if (!readable)
                QFAIL(qPrintable(QString::fromStdString("unreadable readout \"" + readout
                                                        + "\" after " + played.substr(played.size() > 60 ? played.size() - 60 : 0))));
            const char last = key.back();
            if ((last >= '0' && last <= '9') || last == '.')
                QCOMPARE(std::count(readout.begin(), readout.end(), '.'), 1);
        }
        for (const Warning& w : s.warnings) {
            QCOMPARE(w.message, std::string("Can't divide by zero"));
            QCOMPARE(w.title, std::string("Calculator"));
        }
    }

    void typingAVeryLongNumberIsLinear()
    {
        // 200,000 digits would take minutes if each digit rebuilt the readout.
        Session s;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 200000; ++i)
            s.engine.NumberKey("7");
        QCOMPARE(s.engine.Readout().size(), std::size_t(200001));
        QCOMPARE(s.engine.Readout().back(), '.');
        QVERIFY2(timer.elapsed() < 2000, "typing digits is not linear");
    }
};

QTEST_GUILESS_MAIN(tst_CalculatorEngine)
#include "tst_calculatorengine.moc"
