#include "calculator/CalculatorEngine.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <clocale>
#include <limits>

namespace {

// The letters of a key script that are neither digits nor operators.
enum Key : char16_t { Point = u'.', Percent = u'%', Cancel = u'C', CancelEntry = u'E', Backspace = u'B' };

void type(CalculatorEngine& engine, const QString& keys)
{
    for (const QChar key : keys) {
        const std::string text(1, char(key.unicode()));
        switch (Key(key.unicode())) {
        case Point:
            engine.DecimalKey();
            break;
        case Percent:
            engine.PercentKey();
            break;
        case Cancel:
            engine.CancelKey();
            break;
        case CancelEntry:
            engine.CancelEntryKey();
            break;
        case Backspace:
            engine.BackspaceKey();
            break;
        default:
            key.isDigit() ? engine.NumberKey(text) : engine.OperatorKey(text);
        }
    }
}

} // namespace

class tst_CalculatorEngine : public QObject
{
    Q_OBJECT

private slots:
    // Readouts must not follow the process locale: run under one with a decimal comma.
    void initTestCase() { std::setlocale(LC_ALL, "de_DE.UTF-8"); }

    // Key scripts on a fresh engine (see Key). warnedAt is the readout shown while the
    // division-by-zero warning is up, null when no warning may come.
    void keys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("readout");
        QTest::addColumn<QString>("warnedAt");
        const auto row = [](const char* rule, QString keys, QString readout, QString warnedAt = {}) {
            QTest::newRow(rule) << keys << readout << warnedAt;
        };
        const QString huge(400, u'9'), big(201, u'9');
        row("leading zeros and trailing fraction zeros stay", u"007.50"_qs, u"007.50"_qs);
        row("a point first gives 0., a second point does nothing", u".5.3"_qs, u"0.53"_qs);
        row("a second minus changes nothing", u"--"_qs, u"-0."_qs);
        row("minus after an operator is a sign", u"5--3="_qs, u"8"_qs);
        row("minus after equals subtracts", u"5+3=-2="_qs, u"6"_qs);
        row("lone minus shows while waiting", u"31=--"_qs, u"-"_qs);
        row("plus reads the lone minus as 0", u"5+-+3="_qs, u"-3"_qs);
        row("the second operator replaces the first", u"6+X2="_qs, u"12"_qs);
        row("equals again repeats nothing", u"5+3=="_qs, u"8"_qs);
        row("plus reads a formatted result back", u"1/3=+1="_qs, u"1.33333333333333"_qs);
        row("results are rounded at fifteen digits", u"2/3="_qs, u"0.666666666666667"_qs);
        row("the largest fixed result", u"999999999999999+0="_qs, u"999999999999999"_qs);
        row("large results switch to exponent form", u"999999999999999+1="_qs, u"1E+15"_qs);
        row("times reads an exponent result back", u"999999999999999+1=X2="_qs, u"2E+15"_qs);
        row("three exponent digits", u"1" + QString(300, u'0') + u"+0=", u"1E+300"_qs);
        row("small results in fixed form", u".0001+0="_qs, u"0.0001"_qs);
        row("small results switch to exponent form", u".00000015+0="_qs, u"1.5E-07"_qs);
        row("a negative zero result shows 0", u"-.X5="_qs, u"0"_qs);
        row("percent does not set the left operand", u"5%3="_qs, u"0"_qs);
        row("percent of the lone minus is 0", u"5X-%"_qs, u"0"_qs);
        row("a count past two freezes evaluation", u"5+3%2="_qs, u"2."_qs);
        row("C thaws it", u"5+3%%C1+2="_qs, u"3"_qs);
        row("the count stops at its largest value, no wrap-around", u"5+" + QString(32777, u'%') + u"2+3=", u"3."_qs);
        row("CE after an operator loses the left operand", u"5+E+3="_qs, u"3"_qs);
        row("division by zero warns, then keeps the left operand", u"8/0="_qs, u"8."_qs, u"0."_qs);
        row("negative zero is zero", u"8/-.="_qs, u"8."_qs, u"-0."_qs);
        row("a computed left operand is kept", u"2X3/0="_qs, u"6"_qs, u"0."_qs);
        row("a number too small for a double is zero", u"8/." + QString(400, u'0') + u"1=", u"8."_qs,
            u"0." + QString(400, u'0') + u'1');
        row("a product beyond a double is refused", big + u'X' + big + u'=', big + u'.');
        row("a typed number beyond a double is refused as right operand", u"2+" + huge + u'=', u"2."_qs);
        row("a refusal after percent at the start shows 0", u"8%" + huge + u'-', u"0"_qs);
        row("backspace takes a fraction digit, the point stays keyed", u"12.5B3"_qs, u"12.3"_qs);
        row("backspace takes an integer digit and the keyed point", u"12.B3"_qs, u"13."_qs);
        row("backspace of the last digit leaves 0., then nothing", u"7BB"_qs, u"0."_qs);
        row("a digit replaces that 0, the sign stays", u"-7B5"_qs, u"-5."_qs);
        row("the number stays in the chain", u"12.5B+1="_qs, u"13"_qs);
        row("backspace leaves a result alone", u"5+3=B"_qs, u"8"_qs);
        row("backspace leaves the lone minus alone", u"5+-B"_qs, u"-"_qs);
        row("a very long number keeps every digit", QString(100000, u'7'), QString(100000, u'7') + u'.');
    }
    void keys()
    {
        QFETCH(QString, keys);
        QFETCH(QString, readout);
        QFETCH(QString, warnedAt);
        QStringList shownAtWarning;
        CalculatorEngine engine([&](const std::string& message, const std::string& title) {
            QCOMPARE(QString::fromStdString(message), u"Can't divide by zero"_qs);
            QCOMPARE(QString::fromStdString(title), u"Calculator"_qs);
            shownAtWarning << QString::fromStdString(engine.Readout());
        });
        engine.Reset();
        type(engine, keys);
        QCOMPARE(QString::fromStdString(engine.Readout()), readout);
        QCOMPARE(shownAtWarning, warnedAt.isNull() ? QStringList() : QStringList{warnedAt});
    }

    // Each digit costs the same however long the number has grown: one number of 100,000
    // digits against ten of 10,000, the best of three runs each. A cost per key that grew
    // with the length would make the long one about ten times slower; the factor of four
    // leaves room for a loaded machine.
    void typingCostGrowsLinearly()
    {
        const QString one(100000, u'7'), ten = QString(QString(10000, u'7') + u'C').repeated(10);
        qint64 best[2] = {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()};
        for (int run = 0; run < 6; ++run) {
            CalculatorEngine engine([](const std::string&, const std::string&) {});
            engine.Reset();
            QElapsedTimer timer;
            timer.start();
            type(engine, run % 2 ? ten : one);
            best[run % 2] = std::min(best[run % 2], timer.nsecsElapsed());
        }
        QVERIFY2(best[0] < 4 * best[1] + 10'000'000,
                 qPrintable(u"%1 ms for one, %2 ms for ten"_qs.arg(best[0] / 1e6).arg(best[1] / 1e6)));
    }
};

QTEST_GUILESS_MAIN(tst_CalculatorEngine)
#include "tst_calculatorengine.moc"
