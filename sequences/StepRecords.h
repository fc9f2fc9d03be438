#pragma once

#include <QByteArray>

#include <array>

// One step of the program list for all three channels, stored as a 72-byte record:
// six 10-byte texts (Voltage1, Current1, Voltage2, Current2, Voltage3, Current3; each at most
// 9 characters and a terminating zero), four filler bytes, then Time as a double at offset 64.
struct TProgramStep
{
    static constexpr int ImageSize = 72;
    static constexpr int TextSize = 10;

    // per channel (index 0..2) the voltage and current texts as typed, or "N"
    std::array<QByteArray, 3> Voltage{{"1", "1", "1"}};
    std::array<QByteArray, 3> Current{{"1", "1", "1"}};
    double Time = 1.0; // seconds

    QByteArray toImage() const;
    // `image` must hold at least ImageSize bytes
    static TProgramStep fromImage(const QByteArray& image);

    bool operator==(const TProgramStep& other) const { return toImage() == other.toImage(); }
};

// One step of the GO/NG list for all three channels, stored as a 104-byte record: per channel
// three 10-byte texts (Setting, Max, Min), six filler bytes, then Time as a double at offset 96.
struct TGoNGStep
{
    static constexpr int ImageSize = 104;
    static constexpr int TextSize = 10;

    // per channel (index 0..2): voltage setting, upper and lower current limit, or "N"
    std::array<QByteArray, 3> Setting{{"1", "1", "1"}};
    std::array<QByteArray, 3> Max{{"1", "1", "1"}};
    std::array<QByteArray, 3> Min{{"0", "0", "0"}};
    double Time = 1.0; // seconds

    QByteArray toImage() const;
    // `image` must hold at least ImageSize bytes
    static TGoNGStep fromImage(const QByteArray& image);

    bool operator==(const TGoNGStep& other) const { return toImage() == other.toImage(); }
};
