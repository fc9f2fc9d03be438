#include "HotkeyController.h"
#include "HotkeyPanel.h"
#include "TForm_FastKey.h"
#include "TextTable.h"

#include <QAbstractButton>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButton)

namespace {

// Knobs that limit like the real ones (0..31 V, 0..31 V, 0..6 V; 0..3.1 A) and a log of every
// call in order.
class RecordingTarget : public PresetTarget
{
public:
    QStringList log;
    QByteArrayList commands;

    double setKnob(int channel, PresetQuantity quantity, double value) override
    {
        const double top = quantity == PresetQuantity::Current ? 3.1 : channel == 3 ? 6.0 : 31.0;
        log.append(QStringLiteral("knob %1%2=%3").arg(channel).arg(letter(quantity)).arg(value));
        return qBound(0.0, value, top);
    }
    void showSetpoint(int channel, PresetQuantity quantity, double value) override
    {
        log.append(QStringLiteral("show %1%2=%3").arg(channel).arg(letter(quantity)).arg(value));
    }
    void appendCommand(const QByteArray& command) override { commands.append(command); }

private:
    static QChar letter(PresetQuantity quantity)
    {
        return QLatin1Char(quantity == PresetQuantity::Voltage ? 'V' : 'A');
    }
};

class MapTextTable : public TextTable
{
public:
    QMap<int, QString> texts;
    std::optional<QString> text(int index) const override
    {
        if (!texts.contains(index))
            return std::nullopt;
        return texts.value(index);
    }
};

QDoubleSpinBox* entry(const TForm_FastKey& dialog, int channel, char unit)
{
    return dialog.findChild<QDoubleSpinBox*>(
        QStringLiteral("iAnalogOutput_Ch%1FastKey%2").arg(channel).arg(QLatin1Char(unit)));
}

QPushButton* dialogButton(const TForm_FastKey& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Entries in the order V1, A1, V2, A2, V3, A3.
QVector<double> entryValues(const TForm_FastKey& dialog)
{
    QVector<double> values;
    for (int channel = 1; channel <= 3; ++channel)
        values << entry(dialog, channel, 'V')->value() << entry(dialog, channel, 'A')->value();
    return values;
}

void setEntryValues(const TForm_FastKey& dialog, const QVector<double>& values)
{
    for (int channel = 1; channel <= 3; ++channel) {
        entry(dialog, channel, 'V')->setValue(values.at(2 * (channel - 1)));
        entry(dialog, channel, 'A')->setValue(values.at(2 * (channel - 1) + 1));
    }
}

// Runs `whileOpen` once the dialog is shown modally, then closes it with the named button.
void whenDialogOpens(TForm_FastKey& dialog, const QString& closeWith,
                     std::function<void()> whileOpen = {})
{
    QTimer::singleShot(0, &dialog, [&dialog, closeWith, whileOpen] {
        QVERIFY(dialog.isVisible());
        if (whileOpen)
            whileOpen();
        QTest::mouseClick(dialogButton(dialog, closeWith), Qt::LeftButton);
    });
}

} // namespace

// A window with the panel, the dialog and the controller wired to a recording target.
struct Fixture
{
    QWidget window;
    HotkeyPanel* panel = new HotkeyPanel(&window);
    TForm_FastKey dialog{&window};
    RecordingTarget target;
    HotkeyController controller{panel, &dialog, &target};

    Fixture()
    {
        window.resize(340, 180);
        panel->resize(window.size());
        window.show();
    }
    QAbstractButton* button(int index) const { return panel->button(index); }
    QVector<int> latched() const
    {
        QVector<int> down;
        for (int i = 0; i < HotkeyPanel::ButtonCount; ++i) {
            if (button(i)->isChecked())
                down.append(i);
        }
        return down;
    }
};

// The hotkey panel under real mouse clicks, the set-up dialog, and the apply and edit gestures
// against recorded knobs and command queue.
class TestHotkeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void panelLayout();
    void leftClickAppliesAndLatches();
    void otherMouseButtonsEdit_data();
    void otherMouseButtonsEdit();
    void disabledPanelTakesNoClicks();
    void captionShownWholeOrElidedWithTooltip();
    void dialogCaptions();
    void dialogKeepsEntriesNotGiven();
    void applyMovesKnobsAndQueues_data();
    void applyMovesKnobsAndQueues();
    void editAcceptedSetsCaptionAndHint();
    void editCancelledChangesNothing();
    void editUsesLocaleSeparator();
    void snapshots();

private:
    std::unique_ptr<Fixture> fixture;
};

void TestHotkeys::init()
{
    fixture = std::make_unique<Fixture>();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture->window));
}

void TestHotkeys::cleanup()
{
    fixture.reset();
    QLocale::setDefault(QLocale::c());
}

void TestHotkeys::panelLayout()
{
    HotkeyPanel& panel = *fixture->panel;
    QCOMPARE(panel.objectName(), QStringLiteral("TeThemeGroupBoxFastKey"));
    QCOMPARE(panel.title(), QStringLiteral("HotKey(Right-click button to Setup)"));
    for (int i = 0; i < HotkeyPanel::ButtonCount; ++i) {
        const QAbstractButton* button = panel.button(i);
        QCOMPARE(button->objectName(), QStringLiteral("tbFastKey%1").arg(i + 1));
        QCOMPARE(panel.caption(i), QStringLiteral("0V/0A;0V/0A;0V/0A"));
        QCOMPARE(button->height(), 22);
        QVERIFY(button->width() >= 103);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        const QAbstractButton* left = panel.button(i - i % 2);
        QCOMPARE(button->y(), left->y());
        if (i % 2 == 1)
            QVERIFY(button->x() >= left->x() + left->width());
        if (i >= 2)
            QCOMPARE(button->y() - panel.button(i - 2)->y(), 25);
    }
}

void TestHotkeys::leftClickAppliesAndLatches()
{
    QSignalSpy apply(fixture->panel, &HotkeyPanel::applyRequested);
    QSignalSpy edit(fixture->panel, &HotkeyPanel::editRequested);

    QTest::mouseClick(fixture->button(2), Qt::LeftButton);
    QCOMPARE(fixture->latched(), QVector<int>{2});
    QTest::mouseClick(fixture->button(9), Qt::LeftButton);
    QCOMPARE(fixture->latched(), QVector<int>{9});
    QTest::mouseClick(fixture->button(9), Qt::LeftButton);
    QCOMPARE(fixture->latched(), QVector<int>{});

    QCOMPARE(apply.size(), 3);
    QCOMPARE(apply.at(0).at(0).toInt(), 2);
    QCOMPARE(apply.at(1).at(0).toInt(), 9);
    QCOMPARE(apply.at(2).at(0).toInt(), 9);
    QCOMPARE(edit.size(), 0);
    QCOMPARE(fixture->target.commands.size(), 6);
}

void TestHotkeys::otherMouseButtonsEdit_data()
{
    QTest::addColumn<Qt::MouseButton>("mouseButton");
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestHotkeys::otherMouseButtonsEdit()
{
    QFETCH(Qt::MouseButton, mouseButton);
    QTest::mouseClick(fixture->button(4), Qt::LeftButton);
    QSignalSpy apply(fixture->panel, &HotkeyPanel::applyRequested);
    QSignalSpy edit(fixture->panel, &HotkeyPanel::editRequested);

    whenDialogOpens(fixture->dialog, QStringLiteral("Cancel"));
    QTest::mouseClick(fixture->button(7), mouseButton);

    QCOMPARE(edit.size(), 1);
    QCOMPARE(edit.at(0).at(0).toInt(), 7);
    QCOMPARE(apply.size(), 0);
    QCOMPARE(fixture->latched(), QVector<int>{4});
}

void TestHotkeys::disabledPanelTakesNoClicks()
{
    fixture->panel->setEnabled(false);
    QSignalSpy apply(fixture->panel, &HotkeyPanel::applyRequested);
    QSignalSpy edit(fixture->panel, &HotkeyPanel::editRequested);
    QTest::mouseClick(fixture->button(0), Qt::LeftButton);
    QTest::mouseClick(fixture->button(1), Qt::RightButton);
    QCOMPARE(apply.size() + edit.size(), 0);
    QCOMPARE(fixture->latched(), QVector<int>{});
    QVERIFY(fixture->target.commands.isEmpty());
}

void TestHotkeys::captionShownWholeOrElidedWithTooltip()
{
    HotkeyPanel& panel = *fixture->panel;
    // A typical edited caption fits a button of the main window's width (the tooltip stays the
    // hint); a caption too long for it is elided and its tooltip shows it whole.
    const QString longCaption = QStringLiteral("31.123V/3.123A;31.123V/3.123A;6.123V/3.123A");
    panel.setHint(0, QStringLiteral("old hint"));
    QCOMPARE(panel.button(0)->toolTip(), QStringLiteral("old hint"));
    panel.setCaption(0, longCaption);
    QCOMPARE(panel.button(0)->toolTip(), longCaption);
    QCOMPARE(panel.hint(0), QStringLiteral("old hint"));
    panel.setCaption(0, QStringLiteral("1.5V/0.25A;0V/0A;0V/0A"));
    QCOMPARE(panel.button(0)->toolTip(), QStringLiteral("old hint"));
}

void TestHotkeys::dialogCaptions()
{
    TForm_FastKey& dialog = fixture->dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("Form_FastKey"));
    MapTextTable texts;
    texts.texts = {{28, "Presets"}, {71, "Accept"}, {153, "U1"}, {154, "U2"},
                   {155, "U3"},     {156, "I1"},    {157, "I2"}};
    dialog.LoadCaptions(texts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Presets"));
    QVERIFY(dialogButton(dialog, QStringLiteral("Accept")));
    QVERIFY(dialogButton(dialog, QStringLiteral("Cancel")));
    const auto labelOf = [&](int channel, char unit) {
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy() == entry(dialog, channel, unit))
                return label->text();
        }
        return QString();
    };
    QCOMPARE(labelOf(1, 'V'), QStringLiteral("U1"));
    QCOMPARE(labelOf(3, 'V'), QStringLiteral("U3"));
    QCOMPARE(labelOf(2, 'A'), QStringLiteral("I2"));
    QCOMPARE(labelOf(3, 'A'), QStringLiteral("CH3 Current"));
    for (int channel = 1; channel <= 3; ++channel) {
        QCOMPARE(entry(dialog, channel, 'V')->decimals(), 3);
        QCOMPARE(entry(dialog, channel, 'V')->suffix(), QStringLiteral(" V"));
        QCOMPARE(entry(dialog, channel, 'A')->suffix(), QStringLiteral(" A"));
    }
}

void TestHotkeys::dialogKeepsEntriesNotGiven()
{
    TForm_FastKey& dialog = fixture->dialog;
    QCOMPARE(entryValues(dialog), (QVector<double>{0, 0, 0, 0, 0, 0}));
    setEntryValues(dialog, {1, 0.1, 2, 0.2, 3, 0.3});
    dialog.SetEntries(ReadPreset("10V/A;20V/2A"));
    QCOMPARE(entryValues(dialog), (QVector<double>{10, 0.1, 2, 0.2, 20, 2}));
    dialog.SetEntries(ReadPreset("31.5V/1.25A;0V/0A;99999V/0.001A"));
    QCOMPARE(entryValues(dialog), (QVector<double>{31.5, 1.25, 0, 0, 99999, 0.001}));
}

void TestHotkeys::applyMovesKnobsAndQueues_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QByteArrayList>("commands");

    QTest::newRow("default") << "0V/0A;0V/0A;0V/0A"
                             << QStringList{"knob 1V=0", "show 1V=0", "knob 1A=0", "show 1A=0",
                                            "knob 2V=0", "show 2V=0", "knob 2A=0", "show 2A=0",
                                            "knob 3V=0", "show 3V=0", "knob 3A=0", "show 3A=0"}
                             << QByteArrayList{"APP:VOLT 0,0,0;:Syst:Err?\n",
                                               "APP:CURR 0,0,0;:Syst:Err?\n"};
    QTest::newRow("limited on knobs, sent as written")
        << "5V/1.5A;12V/4A;40V/1A"
        << QStringList{"knob 1V=5",  "show 1V=5",  "knob 1A=1.5", "show 1A=1.5",
                       "knob 2V=12", "show 2V=12", "knob 2A=4",   "show 2A=3.1",
                       "knob 3V=40", "show 3V=6",  "knob 3A=1",   "show 3A=1"}
        << QByteArrayList{"APP:VOLT 5,12,40;:Syst:Err?\n", "APP:CURR 1.5,4,1;:Syst:Err?\n"};
    QTest::newRow("two segments leave channel 2")
        << "1V/1A;2V/2A" << QStringList{"knob 1V=1", "show 1V=1", "knob 1A=1", "show 1A=1",
                                        "knob 3V=2", "show 3V=2", "knob 3A=2", "show 3A=2"}
        << QByteArrayList{"APP:VOLT 1,,2;:Syst:Err?\n", "APP:CURR 1,,2;:Syst:Err?\n"};
    QTest::newRow("no channel 3: knobs move, nothing queued")
        << "1V/1A;2V/2A;3V" << QStringList{"knob 1V=1", "show 1V=1", "knob 1A=1", "show 1A=1",
                                           "knob 2V=2", "show 2V=2", "knob 2A=2", "show 2A=2"}
        << QByteArrayList{};
}

void TestHotkeys::applyMovesKnobsAndQueues()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, log);
    QFETCH(QByteArrayList, commands);
    fixture->panel->setCaption(6, caption);
    QTest::mouseClick(fixture->button(6), Qt::LeftButton);
    QCOMPARE(fixture->target.log, log);
    QCOMPARE(fixture->target.commands, commands);
}

void TestHotkeys::editAcceptedSetsCaptionAndHint()
{
    TForm_FastKey& dialog = fixture->dialog;
    fixture->panel->setCaption(3, QStringLiteral("5V/1.5A;12V/0.2A;3.3V/1A"));
    QVector<double> shown;
    whenDialogOpens(dialog, QStringLiteral("OK"), [&] {
        shown = entryValues(dialog);
        setEntryValues(dialog, {1.5, 0.25, 0, 0, 0, 0});
    });
    QTest::mouseClick(fixture->button(3), Qt::RightButton);

    QCOMPARE(shown, (QVector<double>{5, 1.5, 12, 0.2, 3.3, 1}));
    QCOMPARE(fixture->panel->caption(3), QStringLiteral("1.5V/0.25A;0V/0A;0V/0A"));
    QCOMPARE(fixture->panel->hint(3), QStringLiteral("1.5V/0.25A;0V/0A;0V/0A"));
    QVERIFY(fixture->target.log.isEmpty());
    QVERIFY(fixture->target.commands.isEmpty());
    QVERIFY(!dialog.isVisible());
}

void TestHotkeys::editCancelledChangesNothing()
{
    TForm_FastKey& dialog = fixture->dialog;
    fixture->panel->setCaption(0, QStringLiteral("2V/1A;0V/0A;0V/0A"));
    fixture->panel->setHint(0, QStringLiteral("hint"));
    whenDialogOpens(dialog, QStringLiteral("Cancel"), [&] {
        setEntryValues(dialog, {9, 9, 9, 9, 9, 9});
    });
    QTest::mouseClick(fixture->button(0), Qt::RightButton);

    QCOMPARE(fixture->panel->caption(0), QStringLiteral("2V/1A;0V/0A;0V/0A"));
    QCOMPARE(fixture->panel->hint(0), QStringLiteral("hint"));
    QVERIFY(fixture->target.log.isEmpty());
    QVERIFY(fixture->target.commands.isEmpty());
}

void TestHotkeys::editUsesLocaleSeparator()
{
    // The dialog takes the locale at creation, as it does at program start.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    fixture = std::make_unique<Fixture>();
    TForm_FastKey& dialog = fixture->dialog;
    whenDialogOpens(dialog, QStringLiteral("OK"), [&] {
        QTest::keyClick(entry(dialog, 1, 'V'), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(entry(dialog, 1, 'V'), QStringLiteral("2,5"));
    });
    QTest::mouseClick(fixture->button(1), Qt::RightButton);
    QCOMPARE(fixture->panel->caption(1), QStringLiteral("2,5V/0A;0V/0A;0V/0A"));

    QTest::mouseClick(fixture->button(1), Qt::LeftButton);
    QCOMPARE(fixture->target.log.mid(0, 2), (QStringList{"knob 1V=2.5", "show 1V=2.5"}));
    QCOMPARE(fixture->target.commands.first(), QByteArray("APP:VOLT 2.5,0,0;:Syst:Err?\n"));
}

// Pictures to look at: PSU_SNAPSHOT_DIR=<folder> ctest -R tst_hotkeys
void TestHotkeys::snapshots()
{
    const QByteArray folder = qgetenv("PSU_SNAPSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("PSU_SNAPSHOT_DIR is not set");
    const QDir output(QString::fromLocal8Bit(folder));
    HotkeyPanel& panel = *fixture->panel;
    panel.setCaption(1, QStringLiteral("5V/1.5A;12V/0.2A;3.3V/1A"));
    panel.setCaption(2, QStringLiteral("31.123V/3.123A;31.123V/3.123A;6.123V/3.123A"));
    panel.setCaption(4, QStringLiteral("1,5V/0,25A;0V/0A;0V/0A"));
    panel.setCaption(5, QStringLiteral("A&B"));
    QTest::mouseClick(panel.button(1), Qt::LeftButton);
    QVERIFY(panel.grab().save(output.filePath(QStringLiteral("hotkey-panel.png"))));

    TForm_FastKey& dialog = fixture->dialog;
    dialog.SetEntries(ReadPreset("5V/1.5A;12V/0.2A;3.3V/1A"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.grab().save(output.filePath(QStringLiteral("hotkey-dialog.png"))));
    qInfo("dialog client area %dx%d", dialog.width(), dialog.height());
    dialog.hide();
}

QTEST_MAIN(TestHotkeys)
#include "tst_hotkeys.moc"
