#include "ReplyParsing.h"
#include "ScpiCommands.h"

#include <QtTest>

Q_DECLARE_METATYPE(ReplyMeaning::Kind)

// What a reply line means for the command in flight.
class TestReplyParsing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void refusal_data();
    void refusal();
    void fields_data();
    void fields();
    void identityModel_data();
    void identityModel();
    void meaning_data();
    void meaning();
};

void TestReplyParsing::refusal_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("refused");
    QTest::newRow("no error") << QByteArray("0,\"No error\"") << false;
    QTest::newRow("too, lower case") << QByteArray("-222,\"value too large\"") << true;
    QTest::newRow("Command, mixed case") << QByteArray("-100,\"Command error\"") << true;
    QTest::newRow("invalid and para") << QByteArray("-224,\"Invalid parameter\"") << true;
    QTest::newRow("invalid alone") << QByteArray("-200,\"Invalid\"") << false;
    QTest::newRow("para alone") << QByteArray("parameter") << false;
    QTest::newRow("inside a word") << QByteArray("TOOL") << true;
    QTest::newRow("measured values") << QByteArray("12.000,5.500,3.300") << false;
}

void TestReplyParsing::refusal()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, refused);
    QCOMPARE(IsRefusal(line), refused);
    QCOMPARE(InterpretReply(Scpi::MeasureVoltages, line).kind == ReplyMeaning::Refusal, refused);
}

void TestReplyParsing::fields_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("fields");
    QTest::newRow("three") << QByteArray("1,2,3") << QByteArrayList{"1", "2", "3"};
    QTest::newRow("rest after second comma") << QByteArray("1,2,3,4") << QByteArrayList{"1", "2", "3,4"};
    QTest::newRow("one comma") << QByteArray("1,2") << QByteArrayList{"1", "", ""};
    QTest::newRow("no comma") << QByteArray("5") << QByteArrayList{"", "", ""};
    QTest::newRow("empty fields") << QByteArray(",,") << QByteArrayList{"", "", ""};
}

void TestReplyParsing::fields()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, fields);
    const std::array<QByteArray, 3> split = SplitReplyFields(line);
    QCOMPARE((QByteArrayList{split[0], split[1], split[2]}), fields);
}

void TestReplyParsing::identityModel_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("model");
    QTest::newRow("5837 replaced whole") << QByteArray("A,B5837C,1,1.0") << "4720";
    QTest::newRow("plain") << QByteArray("A,BC,1") << "BC";
    QTest::newRow("one comma") << QByteArray("A,BC") << "";
    QTest::newRow("no comma") << QByteArray("ABC") << "";
    QTest::newRow("empty model") << QByteArray("A,,1") << "";
}

void TestReplyParsing::identityModel()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, model);
    QCOMPARE(IdentityModel(line), model);
}

void TestReplyParsing::meaning_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<ReplyMeaning::Kind>("kind");
    QTest::addColumn<QVector<double>>("values");
    QTest::addColumn<bool>("outputOn");
    QTest::addColumn<int>("channel");
    using M = ReplyMeaning;
    const QVector<double> none{0, 0, 0};
    QTest::newRow("measured voltages") << Scpi::MeasureVoltages << QByteArray("12.000,5.500,3.300")
                                       << M::MeasuredVoltages << QVector<double>{12, 5.5, 3.3}
                                       << false << 3;
    QTest::newRow("measured currents") << Scpi::MeasureCurrents << QByteArray("0.1,0.25,3")
                                       << M::MeasuredCurrents << QVector<double>{0.1, 0.25, 3}
                                       << false << 3;
    QTest::newRow("voltage set-points") << Scpi::QueryVoltageSetpoints
                                        << QByteArray("1.5,2.25,0.125") << M::VoltageSetpoints
                                        << QVector<double>{1.5, 2.25, 0.125} << false << 3;
    QTest::newRow("set-point beyond range kept") << Scpi::QueryVoltageSetpoints
                                                 << QByteArray("40.000,0,0") << M::VoltageSetpoints
                                                 << QVector<double>{40, 0, 0} << false << 3;
    QTest::newRow("current set-points") << Scpi::QueryCurrentSetpoints << QByteArray("1,2,3")
                                        << M::CurrentSetpoints << QVector<double>{1, 2, 3}
                                        << false << 3;
    QTest::newRow("output on") << Scpi::QueryOutput << QByteArray("1") << M::OutputState << none
                               << true << 3;
    QTest::newRow("output 1 with CR is off") << Scpi::QueryOutput << QByteArray("1\r")
                                             << M::OutputState << none << false << 3;
    QTest::newRow("channel 1") << Scpi::QueryChannel << QByteArray("1") << M::SelectedChannel
                               << none << false << 1;
    QTest::newRow("channel 2") << Scpi::QueryChannel << QByteArray("2") << M::SelectedChannel
                               << none << false << 2;
    QTest::newRow("channel 3") << Scpi::QueryChannel << QByteArray("3") << M::SelectedChannel
                               << none << false << 3;
    QTest::newRow("channel X is 3") << Scpi::QueryChannel << QByteArray("X") << M::SelectedChannel
                                    << none << false << 3;
    QTest::newRow("set command") << BuildVoltCommand(5) << QByteArray("0,\"No error\"")
                                 << M::Acknowledgement << none << false << 3;
    QTest::newRow("head compared with its line feed")
        << QByteArray("MEAS:ALL?") << QByteArray("1,2,3") << M::Acknowledgement << none << false
        << 3;
}

void TestReplyParsing::meaning()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, line);
    QFETCH(ReplyMeaning::Kind, kind);
    QFETCH(QVector<double>, values);
    QFETCH(bool, outputOn);
    QFETCH(int, channel);
    const ReplyMeaning meaning = InterpretReply(command, line);
    QCOMPARE(meaning.kind, kind);
    QCOMPARE((QVector<double>{meaning.values[0], meaning.values[1], meaning.values[2]}), values);
    QCOMPARE(meaning.outputOn, outputOn);
    if (kind == ReplyMeaning::SelectedChannel)
        QCOMPARE(meaning.channel, channel);
}

QTEST_GUILESS_MAIN(TestReplyParsing)
#include "tst_replyparsing.moc"
