#include "NumberText.h"
#include "ScpiCommands.h"

#include <QLocale>
#include <QtTest>

// Command texts and number texts: what goes on the line must not depend on the locale.
class TestCommandText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void formatGeneral_data();
    void formatGeneral();
    void singleValueCommands_data();
    void singleValueCommands();
    void tripleAndFixedCommands_data();
    void tripleAndFixedCommands();
    void parseReplyNumber_data();
    void parseReplyNumber();
    void localFormatUsesLocaleSeparator();
};

void TestCommandText::formatGeneral_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 5.0 << "5";
    QTest::newRow("fraction") << 12.3 << "12.3";
    QTest::newRow("hundredth") << 0.01 << "0.01";
    QTest::newRow("negative") << -1.5 << "-1.5";
    QTest::newRow("smallest fixed") << 0.0001 << "0.0001";
    QTest::newRow("below fixed") << 0.00001 << "1E-5";
    QTest::newRow("rounding noise") << 0.1 + 0.2 - 0.3 << "5.55111512312578E-17";
    QTest::newRow("15 digits rounded") << 0.1 + 0.2 << "0.3";
    QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
    QTest::newRow("1E15") << 1e15 << "1E15";
    QTest::newRow("big with digits") << 1.5e20 << "1.5E20";
    QTest::newRow("negative small") << -0.000025 << "-2.5E-5";
    QTest::newRow("scan step sum") << 0.3 + 0.3 + 0.3 << "0.9";
    QTest::newRow("rounds up a digit") << 9.9999999999999999 << "10";
}

void TestCommandText::formatGeneral()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatGeneral(value, QLatin1Char('.')), text);
    QString withComma = text;
    QCOMPARE(FormatGeneral(value, QLatin1Char(',')), withComma.replace('.', ','));
}

void TestCommandText::singleValueCommands_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("voltage");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("command");
    for (const char* locale : {"C", "de_DE"}) {
        const QByteArray tag(locale);
        QTest::newRow(tag + " volt 12.3") << locale << true << 12.3
                                          << QByteArray("VOLT 12.3;:Syst:Err?\n");
        QTest::newRow(tag + " volt 0") << locale << true << 0.0
                                       << QByteArray("VOLT 0;:Syst:Err?\n");
        QTest::newRow(tag + " volt 5.01") << locale << true << 5.01
                                          << QByteArray("VOLT 5.01;:Syst:Err?\n");
        QTest::newRow(tag + " curr 1E-5") << locale << false << 0.00001
                                          << QByteArray("Curr 1E-5;:Syst:Err?\n");
        QTest::newRow(tag + " curr 0.0001") << locale << false << 0.0001
                                            << QByteArray("Curr 0.0001;:Syst:Err?\n");
    }
}

void TestCommandText::singleValueCommands()
{
    QFETCH(QString, locale);
    QFETCH(bool, voltage);
    QFETCH(double, value);
    QFETCH(QByteArray, command);
    QLocale::setDefault(QLocale(locale));
    QCOMPARE(voltage ? BuildVoltCommand(value) : BuildCurrCommand(value), command);
}

void TestCommandText::tripleAndFixedCommands_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("app volt commas") << BuildAppVoltCommand("1,5", "N", "2")
                                     << QByteArray("APP:VOLT 1.5,N,2;:Syst:Err?\n");
    QTest::newRow("app curr N") << BuildAppCurrCommand("N", "N", "N")
                                << QByteArray("APP:CURR N,N,N;:Syst:Err?\n");
    QTest::newRow("app volt empty kept") << BuildAppVoltCommand("1", "", "2")
                                         << QByteArray("APP:VOLT 1,,2;:Syst:Err?\n");
    QTest::newRow("app volt untrimmed") << BuildAppVoltCommand(" 1", "2 ", "3")
                                        << QByteArray("APP:VOLT  1,2 ,3;:Syst:Err?\n");
    QTest::newRow("channel") << BuildChannelCommand(2) << QByteArray("INST:NSEL 2;:Syst:Err?\n");
    QTest::newRow("output on") << BuildOutputCommand(true) << QByteArray("OUTP 1;:Syst:Err?\n");
    QTest::newRow("output off") << BuildOutputCommand(false) << QByteArray("OUTP 0;:Syst:Err?\n");
}

void TestCommandText::tripleAndFixedCommands()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(built, expected);
}

void TestCommandText::parseReplyNumber_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << QByteArray("12.345") << 12.345;
    QTest::newRow("padded with CR") << QByteArray("  0.500\r") << 0.5;
    QTest::newRow("whole") << QByteArray("7") << 7.0;
    QTest::newRow("comma") << QByteArray("1,25") << 1.25;
    QTest::newRow("no whole digits") << QByteArray(".75") << 0.75;
    QTest::newRow("six fraction digits, cut") << QByteArray("3.14159265") << 3.141592;
    QTest::newRow("unit letter") << QByteArray("12.5V") << 12.5;
    QTest::newRow("exponent digits join fraction") << QByteArray("2.5e3") << 2.53;
    QTest::newRow("31.000") << QByteArray("31.000") << 31.0;
    QTest::newRow("tiny") << QByteArray("0.0001234567") << 0.000123;
    QTest::newRow("trailing point") << QByteArray("10.") << 10.0;
    QTest::newRow("sign ends whole part") << QByteArray("-1.5") << 0.15;
    QTest::newRow("no digit") << QByteArray("N") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("beyond 32 bits") << QByteArray("12345678901") << 12345678901.0;
}

void TestCommandText::parseReplyNumber()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(ParseReplyNumber(text), value);
    QCOMPARE(ParseReplyNumber(QString::fromLatin1(text)), value);
}

void TestCommandText::localFormatUsesLocaleSeparator()
{
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(FormatGeneralLocal(2.5), QStringLiteral("2,5"));
    QLocale::setDefault(QLocale::c());
    QCOMPARE(FormatGeneralLocal(2.5), QStringLiteral("2.5"));
}

QTEST_GUILESS_MAIN(TestCommandText)
#include "tst_commandtext.moc"
