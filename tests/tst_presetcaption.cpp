#include "PresetCaption.h"

#include <QLocale>
#include <QtTest>

// The hotkey caption grammar: which channels a caption sets, what it queues, and the caption
// built from the set-up dialog's six values.
class TestPresetCaption : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void readingAndCommands_data();
    void readingAndCommands();
    void buildCaption_data();
    void buildCaption();
    void builtCaptionAppliesAsEntered_data();
    void builtCaptionAppliesAsEntered();
};

namespace {

// "V,A" per channel, "-" for a value the caption does not give, channels joined by " ; ".
QString describe(const PresetReading& reading)
{
    const auto text = [](const std::optional<double>& value) {
        return value ? QString::number(*value) : QStringLiteral("-");
    };
    QStringList channels;
    for (const PresetChannelReading& channel : reading)
        channels.append(text(channel.voltage) + QLatin1Char(',') + text(channel.current));
    return channels.join(QLatin1String(" ; "));
}

QByteArray voltCommand(const char* values)
{
    return QByteArray("APP:VOLT ") + values + ";:Syst:Err?\n";
}

QByteArray currCommand(const char* values)
{
    return QByteArray("APP:CURR ") + values + ";:Syst:Err?\n";
}

} // namespace

void TestPresetCaption::readingAndCommands_data()
{
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QByteArrayList>("commands");

    QTest::newRow("default") << QByteArray("0V/0A;0V/0A;0V/0A") << "0,0 ; 0,0 ; 0,0"
                             << QByteArrayList{voltCommand("0,0,0"), currCommand("0,0,0")};
    QTest::newRow("beyond knob range sent as written")
        << QByteArray("5V/1.5A;12V/0.2A;40V/1A") << "5,1.5 ; 12,0.2 ; 40,1"
        << QByteArrayList{voltCommand("5,12,40"), currCommand("1.5,0.2,1")};
    QTest::newRow("two segments: second is channel 3")
        << QByteArray("1V/1A;2V/2A") << "1,1 ; -,- ; 2,2"
        << QByteArrayList{voltCommand("1,,2"), currCommand("1,,2")};
    QTest::newRow("third segment ignored")
        << QByteArray("1V/1A;2V/2A;3V/3A;4V/4A") << "1,1 ; 2,2 ; 4,4"
        << QByteArrayList{voltCommand("1,2,4"), currCommand("1,2,4")};
    QTest::newRow("lower-case unit letters")
        << QByteArray("1v/1A;2V/2a;3v/3a") << "-,1 ; 2,- ; -,-"
        << QByteArrayList{voltCommand(",2,"), currCommand("1,,")};
    QTest::newRow("no semicolon: channel 3 only")
        << QByteArray("3.3V/0.5A") << "-,- ; -,- ; 3.3,0.5"
        << QByteArrayList{voltCommand(",,3.3"), currCommand(",,0.5")};
    QTest::newRow("rest without slash queues nothing")
        << QByteArray("1V/1A;2V/2A;3V") << "1,1 ; 2,2 ; -,-" << QByteArrayList{};
    QTest::newRow("trailing semicolon queues nothing")
        << QByteArray("1V/1A;2V/2A;3V/3A;") << "1,1 ; 2,2 ; -,-" << QByteArrayList{};
    QTest::newRow("no slash and no semicolon")
        << QByteArray("12V") << "-,- ; -,- ; -,-" << QByteArrayList{};
    QTest::newRow("empty caption") << QByteArray() << "-,- ; -,- ; -,-" << QByteArrayList{};
    QTest::newRow("segment without slash is all current")
        << QByteArray("1.5A;5V;1V/2A") << "-,1.5 ; -,- ; 1,2"
        << QByteArrayList{voltCommand(",,1"), currCommand("1.5,,2")};
    QTest::newRow("cut before the first letter")
        << QByteArray("1V2V/1A2A;;3VA/A3A") << "1,1 ; -,- ; 3,-"
        << QByteArrayList{voltCommand("1,,3"), currCommand("1,,")};
    QTest::newRow("comma locale caption")
        << QByteArray("1,5V/0,25A;12V/0,2A;3,3V/1A") << "1.5,0.25 ; 12,0.2 ; 3.3,1"
        << QByteArrayList{voltCommand("1.5,12,3.3"), currCommand("0.25,0.2,1")};
    QTest::newRow("N and blanks keep knobs, sent as written")
        << QByteArray("NV/ A;2 V/0.5A;6V/1A") << "-,- ; 2,0.5 ; 6,1"
        << QByteArrayList{voltCommand("N,2 ,6"), currCommand(" ,0.5,1")};
    QTest::newRow("sign not read back")
        << QByteArray("-1V/1A;0V/0A;0V/0A") << "0.1,1 ; 0,0 ; 0,0"
        << QByteArrayList{voltCommand("-1,0,0"), currCommand("1,0,0")};
    QTest::newRow("8-bit bytes carried through")
        << QByteArray("1\xb5V/1A;0V/0A;0V/0A") << "1,1 ; 0,0 ; 0,0"
        << QByteArrayList{voltCommand("1\xb5,0,0"), currCommand("1,0,0")};
}

void TestPresetCaption::readingAndCommands()
{
    QFETCH(QByteArray, caption);
    QFETCH(QString, reading);
    QFETCH(QByteArrayList, commands);
    QCOMPARE(describe(ReadPreset(caption)), reading);
    QCOMPARE(BuildPresetCommands(caption), commands);
}

void TestPresetCaption::buildCaption_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QVector<double>>("values"); // V1, A1, V2, A2, V3, A3
    QTest::addColumn<QString>("caption");

    QTest::newRow("zeros") << "C" << QVector<double>{0, 0, 0, 0, 0, 0} << "0V/0A;0V/0A;0V/0A";
    QTest::newRow("fractions") << "C" << QVector<double>{1.5, 0.25, 0, 0, 0, 0}
                               << "1.5V/0.25A;0V/0A;0V/0A";
    QTest::newRow("comma locale") << "de_DE" << QVector<double>{1.5, 0.25, 0, 0, 0, 0}
                                  << "1,5V/0,25A;0V/0A;0V/0A";
    QTest::newRow("whole and three decimals")
        << "C" << QVector<double>{12, 3.1, 31, 0.001, 6, 1.234} << "12V/3.1A;31V/0.001A;6V/1.234A";
    QTest::newRow("large stays fixed")
        << "C" << QVector<double>{123456789, 0, 0, 0, 0, 0} << "123456789V/0A;0V/0A;0V/0A";
}

void TestPresetCaption::buildCaption()
{
    QFETCH(QString, locale);
    QFETCH(QVector<double>, values);
    QFETCH(QString, caption);
    QLocale::setDefault(QLocale(locale));
    PresetValues preset;
    for (int i = 0; i < PresetChannelCount; ++i)
        preset[i] = {values.at(2 * i), values.at(2 * i + 1)};
    QCOMPARE(BuildPresetCaption(preset), caption);
}

void TestPresetCaption::builtCaptionAppliesAsEntered_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("point") << "C";
    QTest::newRow("comma") << "de_DE";
    QTest::newRow("comma, French") << "fr_FR";
}

// An edited preset, applied, sets the knobs to the entered values and sends them with points.
void TestPresetCaption::builtCaptionAppliesAsEntered()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    const PresetValues entered{{{30.5, 2.125}, {0.001, 3.1}, {5.75, 0}}};
    const QByteArray caption = BuildPresetCaption(entered).toLocal8Bit();
    QCOMPARE(describe(ReadPreset(caption)), QStringLiteral("30.5,2.125 ; 0.001,3.1 ; 5.75,0"));
    QCOMPARE(BuildPresetCommands(caption),
             (QByteArrayList{voltCommand("30.5,0.001,5.75"), currCommand("2.125,3.1,0")}));
}

QTEST_GUILESS_MAIN(TestPresetCaption)
#include "tst_presetcaption.moc"
