// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/runtime/numtext.h"
#include "window/runtime/palette.h"
#include "window/runtime/random.h"
#include "window/runtime/rounding.h"

#include <QTest>

#include <cmath>
#include <limits>

class TestNumText : public QObject {
    Q_OBJECT

private slots:
    void leadingNumber_data();
    void leadingNumber();
    void leadingNumberOfHugeTexts();
    void numberToText_data();
    void numberToText();
    void wholeToDigits_data();
    void wholeToDigits();
    void roundHalfEven_data();
    void roundHalfEven();
    void roundDown_data();
    void roundDown();
    void palette_data();
    void palette();
    void randomIsRepeatableAndInRange();
};

void TestNumText::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::addRow("whole") << "10" << 10.0;
    QTest::addRow("decimal point") << "12.5" << 12.5;
    QTest::addRow("leading blanks") << "   7" << 7.0;
    QTest::addRow("leading tab") << "\t3" << 3.0;
    QTest::addRow("minus") << "-5" << -5.0;
    QTest::addRow("plus") << "+5" << 5.0;
    QTest::addRow("blank then sign") << "  -2.5x" << -2.5;
    QTest::addRow("fraction only") << ".5" << 0.5;
    QTest::addRow("trailing point") << "5." << 5.0;
    QTest::addRow("exponent") << "1e3" << 1000.0;
    QTest::addRow("capital exponent with sign") << "2.5E-1" << 0.25;
    QTest::addRow("exponent without digits stops") << "3e" << 3.0;
    QTest::addRow("exponent sign without digits stops") << "3e+" << 3.0;
    QTest::addRow("stops at a letter") << "12abc" << 12.0;
    QTest::addRow("stops at a comma") << "1,5" << 1.0;
    QTest::addRow("stops at an inner blank") << "1 2" << 1.0;
    QTest::addRow("second point stops") << "1.2.3" << 1.2;
    QTest::addRow("empty") << "" << 0.0;
    QTest::addRow("blanks only") << "   " << 0.0;
    QTest::addRow("letters") << "abc" << 0.0;
    QTest::addRow("sign only") << "-" << 0.0;
    QTest::addRow("point only") << "." << 0.0;
    QTest::addRow("inf is no number") << "inf" << 0.0;
    QTest::addRow("nan is no number") << "nan" << 0.0;
    QTest::addRow("hex is its leading zero") << "0x1A" << 0.0;
    QTest::addRow("umlaut stops") << "4ä" << 4.0;
    QTest::addRow("largest double")
        << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::addRow("overflow") << "1e999" << std::numeric_limits<double>::infinity();
    QTest::addRow("negative overflow") << "-1e999" << -std::numeric_limits<double>::infinity();
    QTest::addRow("underflow") << "1e-999" << 0.0;
    QTest::addRow("zero with huge exponent") << "0e999" << 0.0;
}

void TestNumText::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    const double got = rb::leadingNumber(QStringView(text));
    QVERIFY2(got == value || (std::isnan(got) && std::isnan(value)),
             qPrintable(QStringLiteral("%1 read as %2").arg(text).arg(got, 0, 'g', 17)));
    // Locale never matters: the same in a German locale.
    QLocale::setDefault(QLocale(QLocale::German));
    QVERIFY(rb::leadingNumber(QStringView(text)) == got);
    QLocale::setDefault(QLocale::c());
}

void TestNumText::leadingNumberOfHugeTexts() {
    const QString digits(10000, QLatin1Char('9'));
    QCOMPARE(rb::leadingNumber(QStringView(digits)), std::numeric_limits<double>::infinity());
    const QString small = QStringLiteral("0.") + QString(10000, QLatin1Char('0')) + "1";
    QCOMPARE(rb::leadingNumber(QStringView(small)), 0.0);
    const QString longExponent = QStringLiteral("1e") + QString(50, QLatin1Char('9'));
    QCOMPARE(rb::leadingNumber(QStringView(longExponent)), std::numeric_limits<double>::infinity());
}

void TestNumText::numberToText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::addRow("zero") << 0.0 << " 0";
    QTest::addRow("one") << 1.0 << " 1";
    QTest::addRow("counter") << 800.0 << " 800";
    QTest::addRow("negative") << -5.0 << "-5";
    QTest::addRow("fraction") << 1.5 << " 1.5";
    QTest::addRow("third") << 1.0 / 3 << " 0.333333333333333";
    QTest::addRow("large whole") << 123456789012345.0 << " 123456789012345";
    QTest::addRow("exponent form") << 1.5e20 << " 1.5E+20";
}

void TestNumText::numberToText() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(rb::numberToText(value), text);
}

void TestNumText::wholeToDigits_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::addRow("zero") << 0.0 << "0";
    QTest::addRow("negative zero") << -0.0 << "0";
    QTest::addRow("stock text") << 2033.0 << "2033";
    QTest::addRow("fraction dropped") << 2033.9 << "2033";
    QTest::addRow("negative") << -450.0 << "-450";
    QTest::addRow("beyond 64 bits") << 1e20 << "100000000000000000000";
    QTest::addRow("largest double, exactly")
        << std::numeric_limits<double>::max()
        << QStringLiteral(
               "17976931348623157081452742373170435679807056752584499659891747680315726078002853876"
               "05895586327668781715404589535143824642343213268894641827684675467035375169860499105"
               "76551282076245490090389328944075868508455133942304583236903222948165808559332123348"
               "274797826204144723168738177180919299881250404026184124858368");
    QTest::addRow("infinity") << std::numeric_limits<double>::infinity() << "0";
    QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << "0";
}

void TestNumText::wholeToDigits() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(rb::wholeToDigits(value), text);
}

void TestNumText::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");

    QTest::addRow("0.5") << 0.5 << 0;
    QTest::addRow("1.5") << 1.5 << 2;
    QTest::addRow("2.5") << 2.5 << 2;
    QTest::addRow("4.5") << 4.5 << 4;
    QTest::addRow("5.5") << 5.5 << 6;
    QTest::addRow("-0.5") << -0.5 << 0;
    QTest::addRow("-1.5") << -1.5 << -2;
    QTest::addRow("20.333") << 20.333333333333332 << 20;
    QTest::addRow("12.5") << 12.5 << 12;
    QTest::addRow("13.5") << 13.5 << 14;
    QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::addRow("+inf") << std::numeric_limits<double>::infinity()
                          << std::numeric_limits<int>::max();
    QTest::addRow("-inf") << -std::numeric_limits<double>::infinity()
                          << std::numeric_limits<int>::min();
    QTest::addRow("1e308") << 1e308 << std::numeric_limits<int>::max();
}

void TestNumText::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(rb::roundHalfEven(value), rounded);
}

void TestNumText::roundDown_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");

    QTest::addRow("109.6875") << 109.6875 << 109;
    QTest::addRow("20.3") << 20.3 << 20;
    QTest::addRow("-0.5") << -0.5 << -1;
    QTest::addRow("21.15") << 21.15 << 21;
    QTest::addRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::addRow("-1e308") << -1e308 << std::numeric_limits<int>::min();
}

void TestNumText::roundDown() {
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(rb::roundDown(value), rounded);
}

void TestNumText::palette_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("colour");

    QTest::addRow("1 dark blue") << 1 << QColor(0, 0, 128);
    QTest::addRow("3 cyan") << 3 << QColor(0, 128, 128);
    QTest::addRow("9 light blue") << 9 << QColor(0, 0, 255);
    QTest::addRow("14 yellow") << 14 << QColor(255, 255, 0);
    QTest::addRow("0 black") << 0 << QColor(0, 0, 0);
    QTest::addRow("15 white") << 15 << QColor(255, 255, 255);
    QTest::addRow("17 wraps to 1") << 17 << QColor(0, 0, 128);
}

void TestNumText::palette() {
    QFETCH(int, number);
    QFETCH(QColor, colour);
    QCOMPARE(rb::paletteColor(number), colour);
}

void TestNumText::randomIsRepeatableAndInRange() {
    rb::Random& r = rb::Random::shared();
    r.seed(42);
    std::vector<double> first;
    for (int k = 0; k < 1000; ++k) {
        const double v = r.next();
        QVERIFY(v >= 0.0 && v < 1.0);
        first.push_back(v);
    }
    r.seed(42);
    for (double v : first) {
        QCOMPARE(r.next(), v);
    }
    // Reseeding from the time of day gives another sequence.
    r.randomize();
    bool differs = false;
    for (double v : first) {
        differs = differs || r.next() != v;
    }
    QVERIFY(differs);
}

QTEST_APPLESS_MAIN(TestNumText)
#include "tst_numtext.moc"
