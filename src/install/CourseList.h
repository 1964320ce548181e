#pragma once
// What the course menu lists and chooses, read by every later screen.
#include <QString>
#include <array>
#include <cstdint>
#include <string>

// The current vendor's look: directory name, picture number 1-7 and two colours (0x00BBGGRR).
struct VendorTheme {
    QString directory;
    int picture = 1;
    std::uint32_t colour1 = 0x656699;
    std::uint32_t colour2 = 0xC0C0C0;

    bool operator==(const VendorTheme&) const = default;
};

// One listed test.
struct CourseTest {
    QString questionFile; // full path of the .qdf
    QString historyFile;  // HIST/<vendor>/<test>.HIS
    QString adaptiveFile; // HIST/<vendor>/<test>.ADP
    QString drillFile;    // HIST/<vendor>/<test>.DRL
    std::string code;     // header line 4 (CP932)
    std::string title;    // header line 5 (CP932)
    int questionCount = 0;
    std::string targetRate; // header line 2 after the "/"
    std::array<bool, 5> badges{};
    bool noBadge = true;
    std::string updated; // header line 9

    bool operator==(const CourseTest&) const = default;
};
