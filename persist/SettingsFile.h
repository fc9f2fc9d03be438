#pragma once

#include "CommConfig.h"
#include "StepRecords.h"

#include <QByteArrayList>
#include <QString>
#include <QVector>

#include <optional>

// The settings container shared by "Config.dat" and the parameter files, little-endian with no
// header: [64-byte communication block] 10 caption slots and 12 scan-cell slots of 100 bytes
// (8-bit text, zero-terminated), the program step count and 72-byte records, the GO/NG step
// count and 104-byte records. Parameter files leave out the communication block.
struct SettingsImage
{
    static constexpr int CaptionCount = 10;
    static constexpr int ScanCellCount = 12;
    static constexpr int SlotSize = 100;

    std::optional<TCommConfig> comm;
    QByteArrayList hotkeyCaptions; // 8-bit texts, CaptionCount when complete
    QByteArrayList scanCells;      // 8-bit texts, ScanCellCount when complete
    QVector<TProgramStep> programSteps;
    QVector<TGoNGStep> goNGSteps;
};

// What a first start without a settings file works with: the default communication block,
// ten "0V/0A;0V/0A;0V/0A" presets, the scan table 1 V to 6 V in 1 V steps every second, and
// one default step in each list.
SettingsImage DefaultSettingsImage();

// The communication block is stored unless the path contains ".PAR" in any letter case.
bool PathHasCommBlock(const QString& path);

// The path a parameter file is saved under: the chosen name, with ".PAR" appended unless it
// already contains ".PAR" (in capitals), so "Lab1.Par" becomes "Lab1.Par.PAR".
QString ParameterFilePath(const QString& chosen);

QByteArray EncodeSettings(const SettingsImage& image);

struct DecodedSettings
{
    SettingsImage image; // what was read completely; empty step lists when a count was <= 0
    bool complete = true; // false when the bytes ended before the last section
};
DecodedSettings DecodeSettings(const QByteArray& bytes, bool withCommBlock);

struct SettingsReadResult
{
    enum Status { Missing, Read, Failed } status = Missing;
    DecodedSettings settings;
    QString error; // for Failed: names the path and the system's reason
};
SettingsReadResult ReadSettingsImage(const QString& path);

// Writes the whole file to a temporary and replaces the old file only when the new one is
// complete. Returns an error text naming the path and the reason, or an empty text.
QString WriteSettingsImage(const QString& path, const SettingsImage& image);
